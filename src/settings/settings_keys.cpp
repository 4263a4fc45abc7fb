#include "settings/settings_keys.h"

#include <array>
#include <utility>

#include "platform/app_error.h"
#include "settings/color_text.h"

namespace montrelle {
namespace {

using L = LiveSettings;
constexpr TextKind kFree = TextKind::kFree;
constexpr TextKind kPath = TextKind::kPath;

// The key order inside [Flags] is the file's, not the record's.
const std::array<SettingKey, 29> kKeys = {{
    {"HTMLtype", "type", "0", [](TMT_Options& o) -> OptionField { return &o.HTMLtype.type; },
     &L::layout, kFree},
    {"Frame", "width", "550", [](TMT_Options& o) -> OptionField { return &o.Frame.width; },
     &L::frame_width, kFree},
    {"Frame", "count", "6", [](TMT_Options& o) -> OptionField { return &o.Frame.count; },
     &L::frame_count, kFree},
    {"Table", "width", "600", [](TMT_Options& o) -> OptionField { return &o.Table.width; },
     &L::table_width, kFree},
    {"Table", "count", "6", [](TMT_Options& o) -> OptionField { return &o.Table.count; },
     &L::table_count, kFree},
    {"Table", "bwidth", "2", [](TMT_Options& o) -> OptionField { return &o.Table.bwidth; },
     &L::table_bwidth, kFree},
    {"Pulldown", "width", "450", [](TMT_Options& o) -> OptionField { return &o.Pulldown.width; },
     &L::pulldown_width, kFree},
    {"Responsive", "width", "1600",
     [](TMT_Options& o) -> OptionField { return &o.Responsive.width; }, &L::responsive_width, kFree,
     true},
    {"SmallImage", "width", "100",
     [](TMT_Options& o) -> OptionField { return &o.SmallImage.width; }, &L::small_width, kFree},
    {"Color", "bg_color", "ffffff", [](TMT_Options& o) -> OptionField { return &o.Color.bg_color; },
     &L::bg_color, kFree},
    {"Color", "link_color", "ffff00",
     [](TMT_Options& o) -> OptionField { return &o.Color.link_color; }, &L::link_color, kFree},
    {"Color", "vlink_color", "ff0000",
     [](TMT_Options& o) -> OptionField { return &o.Color.vlink_color; }, &L::vlink_color, kFree},
    {"BGImage", "bg_image", "", [](TMT_Options& o) -> OptionField { return &o.BGImage.bg_image; },
     &L::bg_image, kPath},
    {"Flags", "fnoutput", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.fnoutput; },
     &L::fnoutput, kFree},
    {"Flags", "simake", "1", [](TMT_Options& o) -> OptionField { return &o.Flags.simake; },
     &L::simake, kFree},
    {"Flags", "micopy", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.micopy; },
     &L::micopy, kFree},
    {"Flags", "mimake", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.mimake; },
     &L::mimake, kFree},
    {"Flags", "bgishow", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.bgishow; },
     &L::bgishow, kFree},
    {"Flags", "dontask", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.dontask; },
     &L::dontask, kFree},
    {"Flags", "jpegconvert", "0",
     [](TMT_Options& o) -> OptionField { return &o.Flags.jpegconvert; }, &L::jpegconvert, kFree},
    {"Flags", "QRVlist", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.QRVlist; },
     &L::qrvlist, kFree},
    {"Flags", "CommentOut", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.CommentOut; },
     &L::comment_out, kFree},
    {"Flags", "CommentOutPD", "0",
     [](TMT_Options& o) -> OptionField { return &o.Flags.CommentOutPD; }, &L::comment_out_pd,
     kFree},
    {"Flags", "Preview", "1", [](TMT_Options& o) -> OptionField { return &o.Flags.Preview; },
     &L::preview, kFree},
    {"Flags", "exif", "1", [](TMT_Options& o) -> OptionField { return &o.Flags.exif; }, &L::exif,
     kFree, true},
    {"Flags", "keepmeta", "0", [](TMT_Options& o) -> OptionField { return &o.Flags.keepmeta; },
     &L::keepmeta, kFree, true},
    {"Other", "out_path", "", [](TMT_Options& o) -> OptionField { return &o.Other.out_path; },
     &L::out_path, kPath},
    {"Other", "out_name", "index.html",
     [](TMT_Options& o) -> OptionField { return &o.Other.out_name; }, &L::out_name, kPath},
    {"Other", "title", "", [](TMT_Options& o) -> OptionField { return &o.Other.title; }, &L::title,
     kFree},
}};

// Overload set for std::visit.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang 14).
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

std::span<const SettingKey> SettingKeys() {
  return kKeys;
}

std::string_view MissingKeyText(const SettingKey& key) {
  return key.added_later ? key.default_text : std::string_view();
}

void StoreSetting(const SettingKey& key, const std::string& text, TMT_Options& options) {
  std::visit(Overloaded{
                 [&](std::uint8_t* type) { *type = static_cast<std::uint8_t>(ParseInt32(text)); },
                 [&](std::int32_t* number) { *number = ParseInt32(text); },
                 [&](bool* flag) {
                   int value = ParseInt32(text);
                   if (value == 0 || value == 1) *flag = value == 1;
                 },
                 [&](std::string* value) {
                   // A colour is kept as text, but one that could not be shown must
                   // not reach the controls.
                   if (std::holds_alternative<ColorValue L::*>(key.live)) RequireColorText(text);
                   *value = text;
                 },
             },
             key.field(options));
}

std::string LiveText(const SettingKey& key, const LiveSettings& live) {
  return std::visit(Overloaded{
                        [&](std::optional<OutputLayout> L::*layout) {
                          return std::to_string(LayoutIndex(live.*layout));
                        },
                        [&](std::string L::*text) { return live.*text; },
                        [&](ColorValue L::*color) { return ColorText(live.*color); },
                        [&](bool L::*ticked) { return std::string(live.*ticked ? "1" : "0"); },
                    },
                    key.live);
}

}  // namespace montrelle
