// Whole-tree comparison of two output folders, file by file, byte by byte, but for
// the make run's record at the top.
#pragma once

#include <string>

namespace montrelle::bench {

struct TreeComparison {
  int files = 0;           // files in the first tree
  std::string difference;  // empty when both trees hold the same files with the same bytes
};

TreeComparison CompareTrees(const std::string& first, const std::string& second);

}  // namespace montrelle::bench
