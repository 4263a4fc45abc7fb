// The gallery settings in their two forms.
//
// TKX_Options is the typed record read from the settings file; it is a load-time
// snapshot. LiveSettings is what the main window's controls hold: numeric fields as
// the text typed, colours as the panel's colour value, flags as ticked states, the
// layout as the selected entry. Every consumer (the run, the batch, the settings
// writer) works on a LiveSettings value taken at the moment it runs.
#pragma once

#include <cstdint>
#include <string>

namespace montrelle {

// The layout: the index of the layout combo box and the value of HTMLtype.type.
enum class OutputLayout : int { kFrame = 0, kTable = 1, kPulldown = 2 };

// A colour value laid out as 0x00BBGGRR (red in the lowest byte).
using ColorValue = std::uint32_t;

struct TKX_Options {
  struct {
    std::uint8_t type = 0;
  } HTMLtype;
  struct {
    std::int32_t width = 0;
    std::int32_t count = 0;
  } Frame;
  struct {
    std::int32_t width = 0;
    std::int32_t count = 0;
    std::int32_t bwidth = 0;
  } Table;
  struct {
    std::int32_t width = 0;
  } Pulldown;
  struct {
    std::int32_t width = 0;
  } SmallImage;
  struct {
    std::string bg_color, link_color, vlink_color;
  } Color;
  struct {
    std::string bg_image;
  } BGImage;
  struct {
    bool fnoutput = false, simake = false, micopy = false, mimake = false, bgishow = false,
         jpegconvert = false, QRVlist = false, CommentOut = false, CommentOutPD = false,
         dontask = false, Preview = false;
  } Flags;
  struct {
    std::string out_path, out_name, title;
  } Other;

  bool operator==(const TKX_Options&) const = default;
};

struct LiveSettings {
  int layout = 0;                       // 0 to 2, or -1 when no layout entry is selected
  std::string frame_width = "550";      // edt_mi_w
  std::string frame_count = "6";        // edt_f_n
  std::string table_width = "550";      // edt_tmi_w
  std::string table_count = "6";        // edt_tc_n
  std::string table_bwidth = "2";       // edt_b_w
  std::string pulldown_width = "400";   // edt_pd_iw
  std::string small_width = "80";       // edt_lf_w
  ColorValue bg_color = 0xFFFFFF;       // pnl_bg_color, white
  ColorValue link_color = 0xFFFF00;     // pnl_link_color, aqua
  ColorValue vlink_color = 0xFF0000;    // pnl_vlink_color, blue
  std::string bg_image;                 // edt_bg_image
  bool fnoutput = false;                // CB_fn
  bool simake = false;                  // CB_f_show
  bool micopy = false;                  // CB_make_mi
  bool mimake = false;                  // CB_ch_main
  bool bgishow = false;                 // CB_show_bg_image
  bool jpegconvert = false;             // CB_Jpeg_convert
  bool qrvlist = false;                 // CB_QRV
  bool comment_out = false;             // CB_show_com of the preview window
  bool comment_out_pd = false;          // CB_pw_use_com
  bool dontask = false;                 // CB_ask
  bool preview = true;                  // CB_preview
  std::string out_path;                 // edt_out_path
  std::string out_name = "index.html";  // edt_out
  std::string title;                    // edt_title

  bool operator==(const LiveSettings&) const = default;
};

// The values of the default settings file.
TKX_Options DefaultOptions();

// The controls' values before any settings are applied (a default LiveSettings).
inline LiveSettings FormDefaults() {
  return LiveSettings{};
}

}  // namespace montrelle
