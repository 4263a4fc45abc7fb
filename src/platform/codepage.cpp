#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/app_error.h"

namespace montrelle {
namespace {

// Owns one iconv descriptor; every call opens its own, so conversions may run on
// several threads at once.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw AppError("iconv: CP932 を使えません");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; on a sequence it cannot convert, returns false and leaves
  // `consumed` at its start. `out` holds what was converted before it.
  bool Convert(std::string_view in, std::string& out, size_t& consumed) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[4096];
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, dst - buffer);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        consumed = in.size() - src_left;
        return false;
      }
    }
    char* dst = buffer;
    size_t dst_left = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    out.append(buffer, dst - buffer);
    consumed = in.size();
    return true;
  }

 private:
  iconv_t cd_;
};

char32_t DecodeCodePoint(std::string_view utf8) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
  switch (utf8.size()) {
    case 1:
      return byte(0);
    case 2:
      return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
      return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
      return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
             (byte(3) & 0x3F);
  }
}

// The length of the valid UTF-8 sequence starting at s[i], or 0 when there is none
// (a stray continuation byte, a sequence cut short, an overlong form, a surrogate).
size_t ValidSequenceLength(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n;
  char32_t min;
  if (c < 0x80) {
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    n = 2, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  const char32_t cp = DecodeCodePoint(s.substr(i, n));
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

// The name around position `at` of a line: the text between the nearest path
// separators, quotation marks, tabs or tag brackets, so that a page line shows the
// file name it holds rather than its markup.
std::string_view NameAround(std::string_view line, size_t at) {
  constexpr std::string_view kBounds = "/\\\"\t<>";
  const size_t before = line.find_last_of(kBounds, at);
  const size_t start = before == std::string_view::npos ? 0 : before + 1;
  const size_t end = std::min(line.find_first_of(kBounds, at), line.size());
  return line.substr(start, end - start);
}

// The position of the first byte that starts no valid sequence; npos when there is none.
size_t FirstInvalidByte(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const size_t n = ValidSequenceLength(s, i);
    if (n == 0) return i;
    i += n;
  }
  return std::string_view::npos;
}

[[noreturn]] void ThrowNotText(std::string_view text, size_t bad, std::string_view file) {
  throw AppError("ファイル " + ShownText(file) + " に書けない文字があります: 「" +
                 ShownText(NameAround(text, bad)) + "」は正しい文字列ではありません");
}

// The JIS forms of free text that CP932 stores as its own counterparts.
bool IsAcceptedJisForm(char32_t c) {
  switch (c) {
    case U'\u301C':  // 〜
    case U'\u2016':  // ‖
    case U'\u2212':  // −
    case U'\u00A2':  // ¢
    case U'\u00A3':  // £
    case U'\u00AC':  // ¬
    case U'\u2014':  // —
      return true;
    default:
      return false;
  }
}

[[noreturn]] void ThrowUnwritable(std::string_view character, std::string_view file) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(DecodeCodePoint(character)));
  throw AppError("ファイル " + ShownText(file) + " に書けない文字があります: 「" +
                 std::string(character) + "」(" + code + ")");
}

// The slow path: finds the character that does not survive and throws for it.
// `utf8` is valid UTF-8.
void CheckEachCharacter(std::string_view utf8, TextKind kind, std::string_view file) {
  Converter to("CP932", "UTF-8");
  Converter back("UTF-8", "CP932");
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = ValidSequenceLength(utf8, i);
    std::string_view character = utf8.substr(i, n);
    std::string encoded, decoded;
    size_t consumed = 0;
    bool ok = to.Convert(character, encoded, consumed) && back.Convert(encoded, decoded, consumed);
    if (!ok || decoded != character) {
      if (!(ok && kind == TextKind::kFree && IsAcceptedJisForm(DecodeCodePoint(character)))) {
        ThrowUnwritable(character, file);
      }
    }
    i += n;
  }
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  return FirstInvalidByte(s) == std::string_view::npos;
}

std::string ShownText(std::string_view text) {
  std::string shown;
  for (size_t i = 0; i < text.size();) {
    const size_t n = ValidSequenceLength(text, i);
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
      ++i;
    } else {
      shown.append(text.substr(i, n));
      i += n;
    }
  }
  return shown;
}

std::string ToCp932(std::string_view utf8, TextKind kind, std::string_view file) {
  if (const size_t bad = FirstInvalidByte(utf8); bad != std::string_view::npos) {
    ThrowNotText(utf8, bad, file);
  }
  std::string encoded, decoded;
  size_t consumed = 0;
  bool ok = Converter("CP932", "UTF-8").Convert(utf8, encoded, consumed) &&
            Converter("UTF-8", "CP932").Convert(encoded, decoded, consumed);
  if (!ok || decoded != utf8) CheckEachCharacter(utf8, kind, file);
  return encoded;
}

std::string DecodeFileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return std::string(bytes);
  }
  Converter converter("UTF-8", "CP932");
  std::string out;
  while (!bytes.empty()) {
    size_t consumed = 0;
    if (converter.Convert(bytes, out, consumed)) break;
    out += "\uFFFD";
    // A lead byte with a bad trail byte: skip only the lead, the trail may start a character.
    bytes.remove_prefix(consumed + 1);
  }
  return out;
}

}  // namespace montrelle
