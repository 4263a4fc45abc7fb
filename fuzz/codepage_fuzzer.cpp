// libFuzzer target for the text code page: bytes of a file decoded to text, the
// text split into lines, and text written back in CP932 as a path and as free text.
//
// Decoding never fails and always gives valid UTF-8 (UTF-8 files as they are, less
// a leading byte-order mark). Writing either refuses with the message naming the
// file, itself valid UTF-8 whatever the text held, or gives CP932 bytes that read
// back as the same path, or as free text whose JIS forms became their CP932
// counterparts (a path-safe text that writes to the same bytes).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/text_file.h"

namespace {

using namespace montrelle;
using fuzz::Require;

constexpr std::string_view kFile = "out.txt";

// The CP932 bytes, or nothing when the text is refused (with the expected message).
std::optional<std::string> Write(std::string_view text, TextKind kind) {
  try {
    return ToCp932(text, kind, kFile);
  } catch (const AppError& e) {
    Require(fuzz::StartsWith(e.what(), "ファイル out.txt に書けない文字があります"),
            "the refusal names the file");
    Require(IsValidUtf8(e.what()), "the message is valid text");
    return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeFileText(bytes);
  Require(IsValidUtf8(text), "decoded text is UTF-8");
  if (IsValidUtf8(bytes)) {
    Require(text == (bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes),
            "UTF-8 is taken as it is");
  }
  for (const std::string& line : SplitTextLines(text)) {
    Require(line.find_first_of("\r\n") == std::string::npos, "lines hold no line ends");
  }

  // The raw bytes as a name from the file system: not always UTF-8.
  Write(bytes, TextKind::kPath);

  if (const auto path = Write(text, TextKind::kPath)) {
    Require(!fuzz::ReadsBackAsCp932(*path) || DecodeFileText(*path) == text,
            "a path reads back unchanged");
  }
  if (const auto free = Write(text, TextKind::kFree)) {
    if (fuzz::ReadsBackAsCp932(*free)) {
      const std::string back = DecodeFileText(*free);
      Require(Write(back, TextKind::kPath) == free, "free text reads back as its CP932 form");
    }
  }
  return 0;
}
