#include "settings/color_text.h"

#include <charconv>
#include <cstdio>

#include "platform/app_error.h"

namespace montrelle {

ColorValue ParseColorText(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  ColorValue value = 0;
  // For an unsigned value from_chars takes digits only: no sign, prefix or blank.
  auto [end, ec] = std::from_chars(first, last, value, 16);
  if (first == last || ec != std::errc() || end != last) {
    throw NotAnIntegerError("$" + text);
  }
  return value;
}

std::string ColorText(ColorValue color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

}  // namespace montrelle
