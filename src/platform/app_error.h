// The one error type of the program. Its text is what the user reads, in UTF-8;
// the window shows it in the error box, the command prints it on standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace montrelle {

class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of the error box: a "." is added when the last byte sorts after ".",
// so every Japanese text gets one and a text ending in ")" does not.
std::string ErrorBoxText(const std::string& text);

// "'%s' は整数ではありません", the conversion failure every number reader reports.
// The text is shown by ShownText: a NUL byte would otherwise cut the message short.
AppError NotAnIntegerError(const std::string& text);

// Parses an optionally signed decimal 32-bit integer, nothing else allowed.
// Throws NotAnIntegerError(text) otherwise.
int ParseInt32(const std::string& text);

}  // namespace montrelle
