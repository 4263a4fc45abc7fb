#include "platform/file_system.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "platform/app_error.h"
#include "platform/text_file.h"

namespace montrelle {

std::optional<DirectoryEntry> LookUpEntry(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  DirectoryEntry entry;
  entry.size = static_cast<std::int64_t>(st.st_size);
  entry.last_write = st.st_mtim.tv_sec;
  entry.is_folder = S_ISDIR(st.st_mode);
  return entry;
}

bool FileExists(const std::string& path) {
  auto entry = LookUpEntry(path);
  return entry && !entry->is_folder;
}

bool FolderExists(const std::string& path) {
  auto entry = LookUpEntry(path);
  return entry && entry->is_folder;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool CreateFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0;
}

void EnsureFolder(const std::string& path) {
  if (!FolderExists(path)) CreateFolder(path);
}

std::vector<ListedName> ListFolder(const std::string& folder) {
  std::vector<ListedName> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir.get())) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    names.push_back({name, FolderExists(folder + "/" + name)});
  }
  std::sort(names.begin(), names.end(),
            [](const ListedName& a, const ListedName& b) { return a.name < b.name; });
  return names;
}

bool CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) {
  if (fail_if_exists && LookUpEntry(to)) return false;
  try {
    WriteFileReplacing(to, ReadFileBytes(from));
    return true;
  } catch (const AppError&) {
    return false;
  }
}

}  // namespace montrelle
