#include "imaging/picture_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/bitmap_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_error_jump.h"
#include "platform/file_error.h"

namespace montrelle {
namespace {

// The headers, colour masks and largest palette of every bitmap the reader takes
// lie within the first 14 + 124 + 256 * 4 bytes.
constexpr size_t kBitmapHeadBytes = 2048;

// A regular file open for reading; the destructor closes it and never throws.
class PictureFile {
 public:
  explicit PictureFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
      file_ = ::fdopen(fd, "rb");
      size_ = static_cast<std::uint64_t>(st.st_size);
    }
    if (file_ == nullptr) {
      if (fd >= 0) ::close(fd);
      throw FileOpenError(path);
    }
  }
  ~PictureFile() { std::fclose(file_); }
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  std::FILE* get() const { return file_; }
  std::uint64_t size() const { return size_; }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
};

// The library jumps back here on a fatal error: this frame holds no object with a
// destructor.
bool ReadHeader(JpegDecompressor& d, std::FILE* file) {
  if (setjmp(d.error.jump) != 0) return false;
  jpeg_create_decompress(&d.info);
  jpeg_stdio_src(&d.info, file);
  jpeg_read_header(&d.info, TRUE);
  return true;
}

}  // namespace

ImageSize ReadJpegSize(const std::string& path, std::int64_t max_pixels) {
  const PictureFile file(path);
  JpegDecompressor d;
  if (!ReadHeader(d, file.get())) throw JpegError(d.error.manager.msg_code);
  return HeaderSize(d, max_pixels);
}

ImageSize ReadBitmapSize(const std::string& path, std::int64_t max_pixels) {
  const PictureFile file(path);
  std::string head(kBitmapHeadBytes, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file.get()));
  if (std::ferror(file.get())) throw FileOpenError(path);
  return BitmapSizeOf(head, file.size(), max_pixels);
}

}  // namespace montrelle
