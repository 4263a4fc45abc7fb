#include "settings/ini_file.h"

#include <algorithm>

#include "platform/ascii_case.h"

namespace montrelle {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The section name when `line` starts a section.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

}  // namespace

IniFile::IniFile(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (auto name = SectionName(line)) {
      sections_.push_back({std::string(*name), {}});
      continue;
    }
    size_t equals = line.find('=');
    if (sections_.empty() || equals == std::string::npos) continue;
    std::string_view text(line);
    sections_.back().values.emplace_back(TrimBlanks(text.substr(0, equals)),
                                         Unquote(TrimBlanks(text.substr(equals + 1))));
  }
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  auto it = std::ranges::find_if(
      sections_, [&](const Section& s) { return EqualIgnoringAsciiCase(s.name, name); });
  return it == sections_.end() ? nullptr : &*it;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  for (const auto& [name, value] : found->values) {
    if (EqualIgnoringAsciiCase(name, key)) return value;
  }
  return std::nullopt;
}

}  // namespace montrelle
