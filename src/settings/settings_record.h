// The gallery settings in their two forms.
//
// TMT_Options is the typed record read from the settings file; it is a load-time
// snapshot. LiveSettings is what the main window's controls hold: numeric fields as
// the text typed, colours as the panel's colour value, flags as ticked states, the
// layout as the selected entry. Every consumer (the run, the batch, the settings
// writer) works on a LiveSettings value taken at the moment it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace montrelle {

// The layout: the index of the layout combo box and the value of HTMLtype.type.
enum class OutputLayout : int { kFrame = 0, kTable = 1, kPulldown = 2, kResponsive = 3 };

// The layout at a combo box index or HTMLtype.type value; none outside 0 to 3.
std::optional<OutputLayout> LayoutAt(int index);
// The combo box index and settings file value of a layout: -1 for none.
int LayoutIndex(std::optional<OutputLayout> layout);

// A colour value laid out as 0x00BBGGRR (red in the lowest byte).
using ColorValue = std::uint32_t;

struct TMT_Options {
  // Each section is a named type so that whole records compare with ==.
  struct HTMLtypeSection {
    std::uint8_t type = 0;
    bool operator==(const HTMLtypeSection&) const = default;
  } HTMLtype;
  struct FrameSection {
    std::int32_t width = 0;
    std::int32_t count = 0;
    bool operator==(const FrameSection&) const = default;
  } Frame;
  struct TableSection {
    std::int32_t width = 0;
    std::int32_t count = 0;
    std::int32_t bwidth = 0;
    bool operator==(const TableSection&) const = default;
  } Table;
  struct PulldownSection {
    std::int32_t width = 0;
    bool operator==(const PulldownSection&) const = default;
  } Pulldown;
  struct ResponsiveSection {
    std::int32_t width = 0;
    bool operator==(const ResponsiveSection&) const = default;
  } Responsive;
  struct SmallImageSection {
    std::int32_t width = 0;
    bool operator==(const SmallImageSection&) const = default;
  } SmallImage;
  struct ColorSection {
    std::string bg_color, link_color, vlink_color;
    bool operator==(const ColorSection&) const = default;
  } Color;
  struct BGImageSection {
    std::string bg_image;
    bool operator==(const BGImageSection&) const = default;
  } BGImage;
  struct FlagsSection {
    bool fnoutput = false, simake = false, micopy = false, mimake = false, bgishow = false,
         jpegconvert = false, QRVlist = false, CommentOut = false, CommentOutPD = false,
         dontask = false, Preview = false, exif = false, keepmeta = false;
    bool operator==(const FlagsSection&) const = default;
  } Flags;
  struct OtherSection {
    std::string out_path, out_name, title;
    bool operator==(const OtherSection&) const = default;
  } Other;

  bool operator==(const TMT_Options&) const = default;
};

struct LiveSettings {
  // CmB_type; none when no layout entry is selected.
  std::optional<OutputLayout> layout = OutputLayout::kFrame;

  std::string frame_width = "550";        // edt_mi_w
  std::string frame_count = "6";          // edt_f_n
  std::string table_width = "550";        // edt_tmi_w
  std::string table_count = "6";          // edt_tc_n
  std::string table_bwidth = "2";         // edt_b_w
  std::string pulldown_width = "400";     // edt_pd_iw
  std::string responsive_width = "1600";  // edt_rs_w
  std::string small_width = "80";         // edt_lf_w
  ColorValue bg_color = 0xFFFFFF;         // pnl_bg_color, white
  ColorValue link_color = 0xFFFF00;       // pnl_link_color, aqua
  ColorValue vlink_color = 0xFF0000;      // pnl_vlink_color, blue
  std::string bg_image;                   // edt_bg_image
  bool fnoutput = false;                  // CB_fn
  bool simake = false;                    // CB_f_show
  bool micopy = false;                    // CB_make_mi
  bool mimake = false;                    // CB_ch_main
  bool bgishow = false;                   // CB_show_bg_image
  bool jpegconvert = false;               // CB_Jpeg_convert
  bool qrvlist = false;                   // CB_QRV
  bool comment_out = false;               // CB_show_com of the preview window
  bool comment_out_pd = false;            // CB_pw_use_com
  bool dontask = false;                   // CB_ask
  bool preview = true;                    // CB_preview
  bool exif = true;                       // CB_exif
  bool keepmeta = false;                  // CB_keepmeta: copies keep their metadata
  std::string out_path;                   // edt_out_path
  std::string out_name = "index.html";    // edt_out
  std::string title;                      // edt_title

  bool operator==(const LiveSettings&) const = default;
};

// The values of the default settings file.
TMT_Options DefaultOptions();

// The controls' values before any settings are applied (a default LiveSettings).
inline LiveSettings FormDefaults() {
  return LiveSettings{};
}

}  // namespace montrelle
