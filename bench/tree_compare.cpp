#include "bench/tree_compare.h"

#include <filesystem>
#include <set>

#include "gallery/output_record.h"
#include "platform/text_file.h"

namespace montrelle::bench {
namespace {

// The gallery's files; the make run's record of them is no part of the gallery.
std::set<std::string> FilesUnder(const std::filesystem::path& root) {
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(root).string());
  }
  files.erase(kOutputRecordName);
  return files;
}

}  // namespace

TreeComparison CompareTrees(const std::string& first, const std::string& second) {
  TreeComparison comparison;
  const std::set<std::string> files = FilesUnder(first);
  comparison.files = static_cast<int>(files.size());
  if (files != FilesUnder(second)) {
    comparison.difference = "the two folders hold different files";
    return comparison;
  }
  for (const std::string& file : files) {
    if (ReadFileBytes(first + "/" + file) != ReadFileBytes(second + "/" + file)) {
      comparison.difference = file + " differs";
      return comparison;
    }
  }
  return comparison;
}

}  // namespace montrelle::bench
