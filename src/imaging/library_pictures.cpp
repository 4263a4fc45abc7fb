#include "imaging/library_pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "imaging/heif_reader.h"
#include "imaging/png_reader.h"
#include "imaging/webp_reader.h"
#include "platform/codepage.h"
#include "platform/file_error.h"

namespace montrelle {
namespace {

class OpenFile {
 public:
  // Not blocking: opening a FIFO would otherwise wait for a writer.
  explicit OpenFile(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int get() const { return fd_; }

 private:
  int fd_;
};

AppError FileTooLargeError(const std::string& path) {
  return AppError("ファイル " + ShownText(path) + " は大きすぎます");
}

std::string ReadPictureBytes(const std::string& path) {
  const OpenFile file(path);
  struct stat st;
  if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw FileOpenError(path);
  }
  if (static_cast<std::uint64_t>(st.st_size) > kMaxLibraryFileBytes) {
    throw FileTooLargeError(path);
  }
  // One byte more than the file had, to meet its end in the same read; a file that
  // grows meanwhile is read up to one byte past the limit, which refuses it.
  const size_t limit = kMaxLibraryFileBytes + 1;
  std::string bytes(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t length = 0;
  while (length < limit) {
    if (length == bytes.size()) bytes.resize(std::min(2 * length, limit));
    const ssize_t n = ::read(file.get(), bytes.data() + length, bytes.size() - length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileOpenError(path);
    if (n == 0) break;
    length += static_cast<size_t>(n);
  }
  if (length > kMaxLibraryFileBytes) throw FileTooLargeError(path);
  bytes.resize(length);
  return bytes;
}

struct Reader {
  RgbImage (*decode)(std::string_view, std::int64_t);
  ImageSize (*size_of)(std::string_view, std::int64_t);
};

Reader ReaderOf(LibraryFormat format) {
  switch (format) {
    case LibraryFormat::kHeif:
      return {DecodeHeif, HeifSizeOf};
    case LibraryFormat::kPng:
      return {DecodePng, PngSizeOf};
    case LibraryFormat::kWebp:
      break;
  }
  return {DecodeWebp, WebpSizeOf};
}

template <typename Read>
auto NamingFileOnError(const std::string& path, Read read) {
  try {
    return read();
  } catch (const AppError& e) {
    throw NamingFile(e, path);
  }
}

}  // namespace

RgbImage DecodeLibraryPicture(std::string_view bytes, LibraryFormat format,
                              std::int64_t max_pixels) {
  return ReaderOf(format).decode(bytes, max_pixels);
}

ImageSize LibraryPictureSizeOf(std::string_view bytes, LibraryFormat format,
                               std::int64_t max_pixels) {
  return ReaderOf(format).size_of(bytes, max_pixels);
}

ImageSize ReadLibraryPictureSize(const std::string& path, LibraryFormat format,
                                 std::int64_t max_pixels) {
  const std::string bytes = ReadPictureBytes(path);
  return NamingFileOnError(path, [&] { return LibraryPictureSizeOf(bytes, format, max_pixels); });
}

RgbImage ReadLibraryPictureFile(const std::string& path, LibraryFormat format,
                                std::int64_t max_pixels) {
  const std::string bytes = ReadPictureBytes(path);
  return NamingFileOnError(path, [&] { return DecodeLibraryPicture(bytes, format, max_pixels); });
}

}  // namespace montrelle
