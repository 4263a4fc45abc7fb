// Text files as the program reads and writes them.
//
// Written: CP932, CR LF after every line (the last included), no byte-order mark,
// through a temporary file in the same folder renamed over the target, so a failed
// write never leaves half a file behind. The temporary file (".montrelle-" and six
// letters or digits) stays locked while it is written: one left by a writer that
// was killed can be told from one being written, and removed.
// Read: a line ends at LF; CR bytes belong to no line; the file ends at its last
// byte or at the first 0x1A; a last line without line end counts like the others.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace montrelle {

// One line to write and how its characters are checked (see codepage.h).
struct TextLine {
  std::string text;
  TextKind kind = TextKind::kFree;
};

// Encodes the lines, each followed by CR LF. Throws like ToCp932.
std::string EncodeLines(const std::vector<TextLine>& lines, std::string_view file);

// Replaces the whole file with `bytes`, or creates it; the old content stays whole
// when anything fails. Throws FileWriteError.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

// Removes from `folder` every temporary file of WriteFileReplacing whose writer is
// gone; nothing else, and nothing is reported.
void RemoveStaleTemporaryFiles(const std::string& folder);

// Adds `bytes` at the end of the file, or creates it. The longer file is written
// like WriteFileReplacing, so a full disk never leaves part of the new bytes
// behind. Throws FileOpenError when the old content cannot be read, FileWriteError.
void AppendToFile(const std::string& path, std::string_view bytes);

// The whole file, or its first `limit` bytes. Throws FileOpenError when it cannot
// be opened or read, or is a folder. A device such as /dev/zero may never end: it
// is read only up to a `limit`, and refused like a folder without one.
std::string ReadFileBytes(const std::string& path, size_t limit = SIZE_MAX);

// Splits decoded text into lines by the reading rules above.
std::vector<std::string> SplitTextLines(std::string_view text);

// The bytes of a text file cut at 0x1A, decoded (DecodeFileText) and split into
// lines (SplitTextLines).
std::vector<std::string> TextFileLines(std::string bytes);

// TextFileLines of the whole file.
std::vector<std::string> ReadTextFileLines(const std::string& path);

}  // namespace montrelle
