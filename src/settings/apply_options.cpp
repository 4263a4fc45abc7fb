#include "settings/apply_options.h"

#include <string>

#include "platform/file_system.h"
#include "settings/color_text.h"

namespace montrelle {
namespace {

// The two pull-down entry options exclude each other: ticking one unticks the other.
void SetFileNameOutput(LiveSettings& live, bool ticked) {
  live.fnoutput = ticked;
  if (ticked) live.comment_out_pd = false;
}

void SetPulldownComments(LiveSettings& live, bool ticked) {
  live.comment_out_pd = ticked;
  if (ticked) live.fnoutput = false;
}

}  // namespace

void ApplyOptions(const TMT_Options& options, LiveSettings& live) {
  live.layout = LayoutAt(options.HTMLtype.type);

  live.frame_width = std::to_string(options.Frame.width);
  live.frame_count = std::to_string(options.Frame.count);
  live.table_width = std::to_string(options.Table.width);
  live.table_count = std::to_string(options.Table.count);
  live.table_bwidth = std::to_string(options.Table.bwidth);
  live.pulldown_width = std::to_string(options.Pulldown.width);
  live.responsive_width = std::to_string(options.Responsive.width);
  live.small_width = std::to_string(options.SmallImage.width);

  live.bg_color = ParseColorText(options.Color.bg_color);
  live.link_color = ParseColorText(options.Color.link_color);
  live.vlink_color = ParseColorText(options.Color.vlink_color);

  SetFileNameOutput(live, options.Flags.fnoutput);
  live.simake = options.Flags.simake;
  live.micopy = options.Flags.micopy;
  live.mimake = options.Flags.mimake;
  live.preview = options.Flags.Preview;
  live.comment_out = options.Flags.CommentOut;
  SetPulldownComments(live, options.Flags.CommentOutPD);

  const bool has_picture = FileExists(options.BGImage.bg_image);
  live.bg_image = has_picture ? options.BGImage.bg_image : std::string();
  live.bgishow = has_picture && options.Flags.bgishow;

  live.dontask = options.Flags.dontask;
  live.jpegconvert = options.Flags.jpegconvert;
  live.qrvlist = options.Flags.QRVlist;
  live.exif = options.Flags.exif;
  live.keepmeta = options.Flags.keepmeta;

  live.out_path = FolderExists(options.Other.out_path) ? options.Other.out_path : std::string();

  live.out_name = options.Other.out_name;
  live.title = options.Other.title;
}

}  // namespace montrelle
