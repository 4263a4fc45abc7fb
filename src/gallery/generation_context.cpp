#include "gallery/generation_context.h"

#include <algorithm>

#include "gallery/picture_check.h"
#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/path_text.h"
#include "settings/color_text.h"

namespace montrelle {
namespace {

constexpr const char* kMainWidth = "メイン画像の幅";

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

// Reads the number in a field through `parse`; a failure names the field by its
// label in the window and the text it holds, so the user knows what to mend.
int FieldNumber(const char* label, const std::string& text, int (*parse)(const std::string&)) {
  try {
    return parse(text);
  } catch (const AppError&) {
    throw AppError(std::string(label) + "：'" + ShownText(text) + "'");
  }
}

bool IsOriented(const std::string& orientation) {
  return orientation.find_first_of("123") != std::string::npos;
}

}  // namespace

std::string HtmlColorText(ColorValue color) {
  const std::string h = ColorText(color);
  return '#' + h.substr(4, 2) + h.substr(2, 2) + h.substr(0, 2);
}

GenerationContext DeriveGenerationContext(const LiveSettings& settings, const ImageFileList& list) {
  GenerationContext c;
  c.out_dir = settings.out_path;
  c.page_file = ReplaceExtension(settings.out_name, ".html");
  c.page_base = BaseNameWithoutExtension(settings.out_name);
  c.title = settings.title.empty() ? c.page_base : settings.title;
  // The responsive grid's columns are at least a thumbnail wide.
  c.small_width = FieldNumber("縮小画像の幅", settings.small_width,
                              IsResponsive(settings) ? ParseCount : ParseSettingNumber);
  if (settings.layout) {
    switch (*settings.layout) {
      case OutputLayout::kFrame:
        c.main_width = FieldNumber(kMainWidth, settings.frame_width, ParseSettingNumber);
        c.per_page = FieldNumber("一列の画像の数", settings.frame_count, ParseMenuSlots);
        break;
      case OutputLayout::kTable:
        c.main_width = FieldNumber(kMainWidth, settings.table_width, ParseSettingNumber);
        c.columns = FieldNumber("列数", settings.table_count, ParseCount);
        c.border_text = settings.table_bwidth;
        break;
      case OutputLayout::kPulldown:
        c.main_width = FieldNumber(kMainWidth, settings.pulldown_width, ParseSettingNumber);
        break;
      case OutputLayout::kResponsive:
        c.main_width = FieldNumber(kMainWidth, settings.responsive_width, ParseCount);
        break;
    }
  }
  c.bg_color_text = HtmlColorText(settings.bg_color);
  c.link_color_text = HtmlColorText(settings.link_color);
  c.vlink_color_text = HtmlColorText(settings.vlink_color);
  if (settings.bgishow) c.bg_name = LastComponent(settings.bg_image);

  for (int i = 0; i < list.count(); ++i) {
    const std::string& path = list.paths()[i];
    try {
      c.entries.push_back(ListEntry(path, list.orientations()[i], settings.jpegconvert));
    } catch (const AppError& error) {
      throw ListedPictureError(i + 1, path, error);
    }
  }
  c.any_oriented = std::ranges::any_of(list.orientations(), IsOriented);
  // A browser may not show a library's kind (HEIC): the pages show its JPEG copy.
  const bool any_converted = std::ranges::any_of(
      c.entries, [](const ListedEntry& e) { return e.kinds.library.has_value(); });
  c.uses_image_copies = settings.micopy || settings.jpegconvert || settings.mimake ||
                        c.any_oriented || any_converted || IsResponsive(settings);
  return c;
}

}  // namespace montrelle
