#include "support/page_text.h"

#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace montrelle::testing {

std::vector<std::string> FileLines(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(DecodeFileText(bytes.substr(start, end - start)));
  }
  if (start < bytes.size()) lines.push_back("<no CR LF>" + DecodeFileText(bytes.substr(start)));
  return lines;
}

std::vector<std::string> Texts(const std::vector<TextLine>& lines) {
  std::vector<std::string> texts;
  for (const TextLine& line : lines) texts.push_back(line.text);
  return texts;
}

}  // namespace montrelle::testing
