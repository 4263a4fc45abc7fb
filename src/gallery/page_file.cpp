#include "gallery/page_file.h"

namespace montrelle {

void WritePage(const std::string& path, const PageLines& lines) {
  WriteFileReplacing(path, EncodeLines(lines, path));
}

void WriteUtf8Page(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  WriteFileReplacing(path, bytes);
}

}  // namespace montrelle
