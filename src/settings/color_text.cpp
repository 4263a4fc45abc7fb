#include "settings/color_text.h"

#include <charconv>
#include <cstdio>

#include "platform/app_error.h"
#include "platform/codepage.h"

namespace montrelle {

namespace {

// For an unsigned value from_chars takes digits only: no sign, prefix or blank.
bool ParseHexadecimal(const std::string& text, ColorValue& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  auto [end, ec] = std::from_chars(first, last, value, 16);
  return first != last && ec == std::errc() && end == last;
}

}  // namespace

ColorValue ParseColorText(const std::string& text) {
  ColorValue value = 0;
  if (!ParseHexadecimal(text, value)) throw NotAnIntegerError("$" + text);
  return value;
}

void RequireColorText(const std::string& text) {
  ColorValue value = 0;
  if (!ParseHexadecimal(text, value)) {
    throw AppError('\'' + ShownText(text) + "' は色を表す16進数ではありません");
  }
}

std::string ColorText(ColorValue color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

}  // namespace montrelle
