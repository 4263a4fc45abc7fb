// A small memory file system mounted for one test, to see what the program does
// when the disk fills up. Mounting needs root with the right to mount (CI runs as
// root in a container that has it); elsewhere the test is skipped and says why.
#pragma once

#include <string>

namespace montrelle::testing {

class SmallDisk {
 public:
  // Mounts a tmpfs of `kilobytes` at the existing empty folder `folder`.
  SmallDisk(std::string folder, int kilobytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return error_.empty(); }
  // Why it could not be mounted.
  const std::string& error() const { return error_; }

  // Fills the disk with a file of this name until no byte more fits.
  void Fill(const std::string& name) const;

 private:
  std::string folder_, error_;
};

}  // namespace montrelle::testing

// Skips the current test when `disk` is not mounted.
#define SKIP_UNLESS_MOUNTED(disk) \
  if (!(disk).mounted()) GTEST_SKIP() << "no small disk to fill: " << (disk).error()
