#include "gallery/page_file.h"

namespace montrelle {

void WritePage(const std::string& path, const PageLines& lines) {
  WriteFileReplacing(path, EncodeLines(lines, path));
}

}  // namespace montrelle
