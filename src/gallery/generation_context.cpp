#include "gallery/generation_context.h"

#include <algorithm>

#include "platform/app_error.h"
#include "platform/path_text.h"
#include "settings/color_text.h"

namespace montrelle {
namespace {

// A number typed into a settings field: leading blanks are allowed, nothing else.
int ParseSettingNumber(const std::string& text) {
  return ParseInt32(text.substr(std::min(text.find_first_not_of(' '), text.size())));
}

int ParseCount(const std::string& text) {
  int value = ParseSettingNumber(text);
  if (value < 1) throw AppError("'" + text + "' は 1 以上でなければなりません");
  return value;
}

// A menu page holds a row for every slot, filled or not, so the slot count sets
// the size of the last page; beyond this bound a mistyped count would fill the
// memory before a line is written.
constexpr int kMaxMenuSlots = 1000000;

int ParseMenuSlots(const std::string& text) {
  int value = ParseCount(text);
  if (value > kMaxMenuSlots) {
    throw AppError("'" + text + "' は " + std::to_string(kMaxMenuSlots) +
                   " 以下でなければなりません");
  }
  return value;
}

bool IsOriented(const std::string& orientation) {
  return orientation.find_first_of("123") != std::string::npos;
}

}  // namespace

std::string HtmlColorText(ColorValue color) {
  const std::string h = ColorText(color);
  return "#" + h.substr(4, 2) + h.substr(2, 2) + h.substr(0, 2);
}

GenerationContext DeriveGenerationContext(const LiveSettings& settings, const ImageFileList& list) {
  GenerationContext c;
  c.out_dir = settings.out_path;
  c.page_file = ReplaceExtension(settings.out_name, ".html");
  c.page_base = BaseNameWithoutExtension(settings.out_name);
  c.title = settings.title.empty() ? c.page_base : settings.title;
  c.small_width = ParseSettingNumber(settings.small_width);
  if (settings.layout) {
    switch (*settings.layout) {
      case OutputLayout::kFrame:
        c.main_width = ParseSettingNumber(settings.frame_width);
        c.per_page = ParseMenuSlots(settings.frame_count);
        break;
      case OutputLayout::kTable:
        c.main_width = ParseSettingNumber(settings.table_width);
        c.columns = ParseCount(settings.table_count);
        c.border_text = settings.table_bwidth;
        break;
      case OutputLayout::kPulldown:
        c.main_width = ParseSettingNumber(settings.pulldown_width);
        break;
    }
  }
  c.bg_color_text = HtmlColorText(settings.bg_color);
  c.link_color_text = HtmlColorText(settings.link_color);
  c.vlink_color_text = HtmlColorText(settings.vlink_color);
  if (settings.bgishow) c.bg_name = LastComponent(settings.bg_image);

  c.any_oriented = std::ranges::any_of(list.orientations(), IsOriented);
  c.uses_image_copies =
      settings.micopy || settings.jpegconvert || settings.mimake || c.any_oriented;
  return c;
}

}  // namespace montrelle
