#include "settings/settings_file.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace montrelle {
namespace {

// Far above any file the program writes; keeps a stray huge file from being read
// into memory whole.
constexpr size_t kMaxSettingsFileBytes = 1 << 20;

// The bound holds for the bytes read, not the size the folder entry tells: a pipe
// tells none.
std::vector<std::string> ReadSettingsLines(const std::string& path) {
  if (!LookUpEntry(path)) return {};
  std::string bytes = ReadFileBytes(path, kMaxSettingsFileBytes + 1);
  if (bytes.size() > kMaxSettingsFileBytes) {
    throw AppError("ファイル " + ShownText(path) + " は設定ファイルとしては大きすぎます");
  }
  return TextFileLines(std::move(bytes));
}

std::string TrimControls(const std::string& text) {
  auto is_control = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && is_control(text[first])) ++first;
  while (last > first && is_control(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// A line break would split the value into lines of its own and 0x1A ends the
// file for the reader: either would lose what follows when the file is read back.
void RequireSingleLine(const std::string& value, const std::string& path) {
  size_t bad = value.find_first_of("\r\n\x1A");
  if (bad == std::string::npos) return;
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(value[bad]));
  throw AppError("ファイル " + path + " に書けない文字があります: " + code);
}

std::vector<TextLine> SettingsLines(int mode, const LiveSettings& live, const std::string& path) {
  std::vector<TextLine> lines;
  std::string_view section;
  for (const SettingKey& key : SettingKeys()) {
    if (key.section != section) {
      if (!section.empty()) lines.push_back({});
      section = key.section;
      lines.push_back({"[" + std::string(section) + "]"});
    }
    std::string value =
        mode == kWriteDefaults ? std::string(key.default_text) : LiveText(key, live);
    RequireSingleLine(value, path);
    lines.push_back({std::string(key.key) + "=" + value, key.kind});
  }
  lines.push_back({});
  return lines;
}

}  // namespace

void WriteSettingsFile(const std::string& path, int mode, const LiveSettings& live) {
  if (mode != kWriteDefaults && mode != kWriteLive) {
    throw std::invalid_argument("WriteSettingsFile: unknown mode " + std::to_string(mode));
  }
  WriteFileReplacing(path, EncodeLines(SettingsLines(mode, live, path), path));
}

bool ReadSettingsFile(const std::string& path, TMT_Options& options) {
  IniFile ini(ReadSettingsLines(path));
  if (ini.SectionNames().empty()) return false;
  for (const SettingKey& key : SettingKeys()) {
    const std::optional<std::string> value = ini.Value(key.section, key.key);
    // A file from before a key was added would otherwise stop loading at it.
    const std::string missing = key.added_later ? std::string(key.default_text) : std::string();
    StoreSetting(key, TrimControls(value.value_or(missing)), options);
  }
  return true;
}

void LoadSettings(const std::string& path, TMT_Options& options) {
  if (!ReadSettingsFile(path, options)) {
    WriteSettingsFile(path, kWriteDefaults);
    options = DefaultOptions();
  }
}

}  // namespace montrelle
