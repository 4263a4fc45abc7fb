#include "support/small_disk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace montrelle::testing {

SmallDisk::SmallDisk(std::string folder, int kilobytes) : folder_(std::move(folder)) {
  const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0777";
  if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    error_ = std::string("mount: ") + std::strerror(errno);
  }
}

SmallDisk::~SmallDisk() {
  if (mounted()) ::umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::Fill(const std::string& name) const {
  const int fd = ::open((folder_ + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  const std::string block(4096, 'f');
  while (::write(fd, block.data(), block.size()) > 0) {
  }
  ::close(fd);
}

}  // namespace montrelle::testing
