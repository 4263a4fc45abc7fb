#include "gallery/page_file.h"

#include "gallery/run_record.h"

namespace montrelle {

void WritePage(const GenerationContext& context, const std::string& path, const PageLines& lines) {
  WriteFileReplacing(path, EncodeLines(lines, path));
  NoteWrite(context, path);
}

void WriteUtf8Page(const GenerationContext& context, const std::string& path,
                   const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  WriteFileReplacing(path, bytes);
  NoteWrite(context, path);
}

}  // namespace montrelle
