// The text code page of every file the program writes: CP932 (Windows Shift-JIS).
//
// Inside the program text is UTF-8. Writing refuses what CP932 cannot hold instead
// of writing "?": a path must come back unchanged from CP932, free text (titles,
// comments) may also hold the JIS forms that input methods type (〜 ‖ − ¢ £ ¬ —),
// which are written as their CP932 counterparts.
#pragma once

#include <string>
#include <string_view>

namespace montrelle {

enum class TextKind { kPath, kFree };

// UTF-8 -> CP932 bytes. Throws AppError naming the first character that cannot be
// written; `file` names the file being written, for the message. Text that is not
// UTF-8 (a file name from the disk can hold any bytes) is refused with the name
// around the first bad byte: "ファイル F に書けない文字があります: 「\xFF.jpg」は
// 正しい文字列ではありません".
std::string ToCp932(std::string_view utf8, TextKind kind, std::string_view file);

// Bytes of a file -> UTF-8: taken as UTF-8 when valid (a leading BOM skipped),
// otherwise as CP932, where a byte sequence CP932 does not define becomes U+FFFD.
std::string DecodeFileText(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// `text` as a message can show it: control characters (a NUL would cut the
// message short, an escape sequence would act on a terminal) and bytes that are
// not part of valid UTF-8 become "\xNN", everything else stays.
std::string ShownText(std::string_view text);

}  // namespace montrelle
