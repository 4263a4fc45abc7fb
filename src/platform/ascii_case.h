// Names matched without regard to ASCII case, as a profile reader matches keys and
// a Windows file system matches folder names. Only A-Z fold; every other byte, the
// bytes of multi-byte characters included, compares as it is.
#pragma once

#include <algorithm>
#include <string_view>

namespace montrelle {

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace montrelle
