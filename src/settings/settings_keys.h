// The keys of the settings file, in file order, each with its default text, the
// field of TMT_Options it fills and the control value it is written from. The
// loader, the writer and DefaultOptions all walk this one table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/codepage.h"
#include "settings/settings_record.h"

namespace montrelle {

// Where a loaded value goes; its type decides how the text is converted:
// uint8_t keeps the low 8 bits of a 32-bit integer, int32_t is a 32-bit integer,
// bool is a flag ("0" off, "1" on, any other integer leaves it), string is text.
using OptionField = std::variant<std::uint8_t*, std::int32_t*, bool*, std::string*>;

// What a written value is made from: the layout, a text as typed, a panel colour, a
// ticked state.
using LiveField =
    std::variant<std::optional<OutputLayout> LiveSettings::*, std::string LiveSettings::*,
                 ColorValue LiveSettings::*, bool LiveSettings::*>;

struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::string_view default_text;
  OptionField (*field)(TMT_Options&);
  LiveField live;
  TextKind kind;  // how the written text is checked against the code page
  // A key that files written before it came lack: missing, it takes its default.
  bool added_later = false;
};

// All 29 keys, grouped by section in file order.
std::span<const SettingKey> SettingKeys();

// The text a key reads when the file lacks it: empty for the keys every settings
// file has held from the start; the default for keys added since, so that an older
// file loads as it did.
std::string_view MissingKeyText(const SettingKey& key);

// Converts `text` (already trimmed) by the key's form and stores it in `options`.
// Throws NotAnIntegerError(text) when an integer or flag key gets no 32-bit integer,
// RequireColorText's error when a colour key gets no colour text; `options` is then
// unchanged.
void StoreSetting(const SettingKey& key, const std::string& text, TMT_Options& options);

// The text written for the key from the control values.
std::string LiveText(const SettingKey& key, const LiveSettings& live);

}  // namespace montrelle
