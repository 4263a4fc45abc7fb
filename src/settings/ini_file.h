// An INI text read as a profile reader reads it.
//
// A section starts with a line whose first non-blank character is "[" and that
// holds a "]" after it; its name is the text between them, blanks around it
// removed. A value line holds the key, "=" and the value; the key is the text
// before the first "=", the value the text after it, each without the blanks
// (space, tab) around it, and the value also without one pair of enclosing single
// or double quotation marks. Lines before the first section, lines without "=" and
// everything else belong to no value. Nothing is unescaped and ";" starts no comment.
//
// Section and key names are matched without regard to ASCII case. With a name
// given twice, the first section and, inside it, the first key count. Reading
// takes time and memory in proportion to the text, whatever its bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace montrelle {

class IniFile {
 public:
  // `lines` are decoded text lines without line ends.
  explicit IniFile(const std::vector<std::string>& lines);

  // The section names in file order, every occurrence.
  std::vector<std::string> SectionNames() const;

  // The value of `key` in `section`; nothing when the section or the key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
  };
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

}  // namespace montrelle
