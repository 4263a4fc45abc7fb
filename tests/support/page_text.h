// Reading written pages back as lines, for whole-page comparisons.
#pragma once

#include <string>
#include <vector>

#include "platform/text_file.h"

namespace montrelle::testing {

// The file's lines, decoded from CP932, split at CR LF. Bytes after the last
// CR LF come back as one more line prefixed "<no CR LF>"; a lone CR or LF stays in
// its line, so a wrong line end shows as a difference.
std::vector<std::string> FileLines(const std::string& path);

// The texts of built page lines.
std::vector<std::string> Texts(const std::vector<TextLine>& lines);

}  // namespace montrelle::testing
