#include "imaging/picture_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/bitmap_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_error_jump.h"
#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/file_error.h"

namespace montrelle {
namespace {

// The headers, colour masks and largest palette of every bitmap the reader takes
// lie within the first 14 + 124 + 256 * 4 bytes.
constexpr size_t kBitmapHeadBytes = 2048;

// What a file may hold beyond its pixel data: metadata (Exif and other segments, a
// bitmap's palette and gaps) and data after the picture.
constexpr std::uint64_t kMetadataBytes = std::uint64_t{64} << 20;
// The most a pixel takes: libjpeg-turbo's own bound for a baseline JPEG is 6 bytes
// (4:4:4), no bitmap has more than 8 (64 bits a pixel). Each side is padded to
// whole blocks of the largest sampling.
constexpr std::uint64_t kMostBytesPerPixel = 8;
constexpr std::uint64_t kBlockPadding = 32;

// A regular file open for reading; the destructor closes it and never throws.
// Opened without waiting, so that a FIFO named like a picture is refused at once
// instead of holding the caller until someone writes into it.
class PictureFile {
 public:
  explicit PictureFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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

std::string ReadPictureBytes(const std::string& path, ImageSize size) {
  const PictureFile file(path);
  const auto width = static_cast<std::uint64_t>(size.width) + kBlockPadding;
  const auto height = static_cast<std::uint64_t>(size.height) + kBlockPadding;
  // Divided: the product of the padded sides and the bytes a pixel could pass 64 bits.
  if (file.size() > kMetadataBytes &&
      (file.size() - kMetadataBytes) / kMostBytesPerPixel > width * height) {
    throw AppError("ファイル " + ShownText(path) + " は画像としては大きすぎます");
  }
  std::string bytes(file.size(), '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  if (std::ferror(file.get())) throw FileOpenError(path);
  return bytes;
}

}  // namespace montrelle
