#include "platform/app_error.h"

#include <charconv>

#include "platform/codepage.h"

namespace montrelle {

std::string ErrorBoxText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') return text + ".";
  return text;
}

AppError NotAnIntegerError(const std::string& text) {
  return AppError("'" + ShownText(text) + "' は整数ではありません");
}

int ParseInt32(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  // from_chars takes a '-' itself but not a '+'; "+-1" must still fail.
  if (first != last && *first == '+' && ++first != last && *first == '-') {
    throw NotAnIntegerError(text);
  }
  int value = 0;
  auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) throw NotAnIntegerError(text);
  return value;
}

AppError NamingFile(const AppError& error, const std::string& path) {
  const std::string text = error.what();
  return text.find(path) == std::string::npos ? AppError(text + ": " + path) : error;
}

}  // namespace montrelle
