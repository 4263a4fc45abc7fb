#include "gallery/output_folder.h"

#include <cerrno>
#include <vector>

#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace montrelle {
namespace {

// The path of every level of `path`: "/a", "/a/b", "/a/b/c" (or "a", "a/b", ...).
std::vector<std::string> Levels(const std::string& path) {
  std::vector<std::string> levels;
  std::string level = path.starts_with('/') ? "/" : "";
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (!level.empty() && !level.ends_with('/')) level += '/';
      level += path.substr(start, end - start);
      levels.push_back(level);
    }
    start = end + 1;
  }
  return levels;
}

// The number of levels up to the deepest one that exists.
size_t ExistingLevels(const std::vector<std::string>& levels) {
  for (size_t n = levels.size(); n > 0; --n) {
    if (FolderExists(levels[n - 1])) return n;
  }
  return 0;
}

}  // namespace

void CreateOutputFolder(const std::string& out_dir) {
  const std::vector<std::string> levels = Levels(out_dir);
  size_t existing = ExistingLevels(levels);
  while (existing < levels.size()) {
    const std::string& next = levels[existing];
    const bool made = CreateFolder(next);
    // A level made and gone again at once was removed under us.
    const int reason = made ? ENOENT : errno;
    size_t now = made ? ExistingLevels(levels) : existing;
    if (now <= existing) {
      throw AppError("フォルダ " + ShownText(next) +
                     " を作成できません: " + SystemErrorText(reason));
    }
    existing = now;
  }
}

}  // namespace montrelle
