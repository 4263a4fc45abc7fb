// Writing one page of a gallery. Page texts are built as lines first, so they can
// be compared as text; this writes them in CP932 with CR LF. A line that CP932
// cannot hold stops the write before the file is touched, and a failed write leaves
// the old page whole.
#pragma once

#include <string>
#include <vector>

#include "platform/text_file.h"

namespace montrelle {

struct GenerationContext;

using PageLines = std::vector<TextLine>;

// Lines bound for one page, with the page's path.
struct PageText {
  std::string file;
  PageLines lines;
};

// Throws AppError (unwritable character, or the file error with the file's name).
// Both writers note the page in the record of the run of `context`.
void WritePage(const GenerationContext& context, const std::string& path, const PageLines& lines);

// A page of the responsive layout, the program's only UTF-8 files: the lines as
// they stand, each followed by CR LF, replaced whole like WritePage's.
void WriteUtf8Page(const GenerationContext& context, const std::string& path,
                   const std::vector<std::string>& lines);

// A line holding a file or folder name: it must survive CP932 unchanged.
inline TextLine PathLine(std::string text) {
  return {std::move(text), TextKind::kPath};
}
// A line of free text (title, comment, fixed markup).
inline TextLine FreeLine(std::string text) {
  return {std::move(text), TextKind::kFree};
}

}  // namespace montrelle
