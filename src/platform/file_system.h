// File services the core needs: existence, directory entries, listing, folder
// creation and copies. Paths are native (UTF-8 names on Linux).
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace montrelle {

struct DirectoryEntry {
  std::int64_t size = 0;       // bytes, 64-bit
  std::time_t last_write = 0;  // seconds since the epoch
  bool is_folder = false;
};

// The entry for exactly this path (links followed), or nothing when it does not exist.
std::optional<DirectoryEntry> LookUpEntry(const std::string& path);

// An existing file; a folder does not count.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Both paths exist and name the same file (links followed).
bool IsSameFile(const std::string& a, const std::string& b);

// Creates one folder level; false when it cannot (it exists already, or no parent).
bool CreateFolder(const std::string& path);

// Creates the folder when it does not exist. Failure is not reported: the first
// write into it reports it.
void EnsureFolder(const std::string& path);

struct ListedName {
  std::string name;
  bool is_folder = false;
};

// The names directly in `folder` without "." and "..", sorted by name (byte order),
// hidden ones (a leading ".") included. Empty when the folder cannot be read.
std::vector<ListedName> ListFolder(const std::string& folder);

// Copies `from` to `to`. With `fail_if_exists` an existing `to` is left unchanged
// and the copy fails. Returns whether the copy took place; never throws.
bool CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists);

}  // namespace montrelle
