// Helpers shared by the fuzz targets: a failed expectation aborts with a note, so
// libFuzzer keeps the input; a scratch file on a memory file system stands in for
// the user's file where the code under test reads from or writes to a path.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace montrelle::fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "expectation failed: %s\n", what);
  std::abort();
}

// The error text starts with `prefix`.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether bytes the program wrote in CP932 are read back as CP932. Readers take a
// file as UTF-8 when it is valid UTF-8, so a CP932 text that happens to be valid
// UTF-8 (pairs of half-width katakana such as "ﾃｽ") is read as other characters;
// round trips can only be checked for the others.
inline bool ReadsBackAsCp932(std::string_view cp932) {
  for (char c : cp932) {
    if (static_cast<unsigned char>(c) >= 0x80) return !IsValidUtf8(cp932);
  }
  return true;
}

// One file per fuzzing process, removed when it ends. /dev/shm keeps the writes
// (and the fsync of the program's own writer) off the disk.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    folder_ = std::string(base) + "/montrelle-fuzz-XXXXXX";
    if (!mkdtemp(folder_.data())) std::abort();
    path_ = folder_ + "/" + name;
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& path() const { return path_; }
  // A second file beside it.
  std::string Sibling(const char* name) const { return folder_ + "/" + name; }

  void Write(std::string_view bytes) const {
    int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Require(fd >= 0, "scratch file opens");
    Require(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()),
            "scratch file written");
    close(fd);
  }

 private:
  std::string folder_, path_;
};

}  // namespace montrelle::fuzz
