#include "imaging/exif_orientation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <memory>

#include "imagelist/image_list.h"
#include "imagelist/picture_kind.h"
#include "imaging/preview_rules.h"

namespace montrelle {
namespace {

// The Exif block has to fit one segment of at most 64 KiB and comes right after
// the start of the file or after a JFIF segment; the bound leaves room for a few
// other segments before it.
constexpr size_t kSearchedBytes = size_t{1} << 17;
// Far more segments than any file holds before its first scan.
constexpr int kMaxSegments = 64;

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr size_t kIfdEntryBytes = 12;
constexpr std::string_view kExifHeader("Exif\0\0", 6);

std::uint8_t Byte(std::string_view bytes, size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

// Numbers in the TIFF block, read in its byte order; callers check the bounds.
class TiffReader {
 public:
  TiffReader(std::string_view bytes, bool little_endian)
      : bytes_(bytes), little_endian_(little_endian) {}

  std::uint16_t U16(size_t at) const {
    const unsigned first = Byte(bytes_, at), second = Byte(bytes_, at + 1);
    return static_cast<std::uint16_t>(little_endian_ ? first | second << 8 : first << 8 | second);
  }
  std::uint32_t U32(size_t at) const {
    const std::uint32_t first = U16(at), second = U16(at + 2);
    return little_endian_ ? first | second << 16 : first << 16 | second;
  }

 private:
  std::string_view bytes_;
  bool little_endian_;
};

int TiffOrientation(std::string_view tiff) {
  if (tiff.size() < 8) return 0;
  const std::string_view order = tiff.substr(0, 2);
  if (order != "II" && order != "MM") return 0;
  const TiffReader read(tiff, order == "II");
  if (read.U16(2) != 42) return 0;
  const std::uint32_t directory = read.U32(4);
  if (directory > tiff.size() - 2) return 0;
  const size_t entries = read.U16(directory);
  if (entries > (tiff.size() - directory - 2) / kIfdEntryBytes) return 0;
  for (size_t i = 0; i < entries; ++i) {
    const size_t entry = directory + 2 + i * kIfdEntryBytes;
    if (read.U16(entry) != kOrientationTag) continue;
    if (read.U16(entry + 2) != kShortType || read.U32(entry + 4) != 1) return 0;
    const int value = read.U16(entry + 8);
    return value >= 1 && value <= 8 ? value : 0;
  }
  return 0;
}

// The first bytes of a regular file; none for anything else or on any failure:
// the make run names a file it cannot read, entering the list never fails. A pipe
// named like a picture must not hold the window, hence the non-blocking open.
std::string FileHead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  std::string head;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    // Not cleared first: a list of thousands of small files is read at every drop.
    const std::unique_ptr<char[]> buffer(new char[kSearchedBytes]);
    const ssize_t n = ::read(fd, buffer.get(), kSearchedBytes);
    if (n > 0) head.assign(buffer.get(), static_cast<size_t>(n));
  }
  ::close(fd);
  return head;
}

}  // namespace

int ExifOrientationTag(std::string_view jpeg) {
  if (jpeg.size() < 2 || Byte(jpeg, 0) != 0xFF || Byte(jpeg, 1) != 0xD8) return 0;
  size_t at = 2;
  for (int segment = 0; segment < kMaxSegments; ++segment) {
    // A marker may be preceded by any number of 0xFF fill bytes.
    while (at + 1 < jpeg.size() && Byte(jpeg, at) == 0xFF && Byte(jpeg, at + 1) == 0xFF) ++at;
    if (jpeg.size() - at < 4 || Byte(jpeg, at) != 0xFF) return 0;
    const std::uint8_t marker = Byte(jpeg, at + 1);
    if (marker == kStartOfScan || marker == kEndOfImage) return 0;
    const size_t length = size_t{Byte(jpeg, at + 2)} << 8 | Byte(jpeg, at + 3);
    if (length < 2 || length > jpeg.size() - at - 2) return 0;
    const std::string_view payload = jpeg.substr(at + 4, length - 2);
    if (marker == kApp1 && payload.starts_with(kExifHeader)) {
      return TiffOrientation(payload.substr(kExifHeader.size()));
    }
    at += 2 + length;
  }
  return 0;
}

Orientation UprightOrientation(int tag) {
  switch (tag) {
    case 2:
      return {true, false, 0};
    case 3:
      return {false, false, 3};
    case 4:
      return {false, true, 0};
    case 5:
      return {true, false, 1};
    case 6:
      return {false, false, 2};
    case 7:
      return {true, false, 2};
    case 8:
      return {false, false, 1};
    default:
      return {};
  }
}

std::string StartingOrientation(const std::string& path, bool use_exif) {
  if (!use_exif || !KindsOf(path).jpeg) return kDefaultOrientation;
  const Orientation upright = UprightOrientation(ExifOrientationTag(FileHead(path)));
  return OrientationText(upright.mirror, upright.flip, upright.rotation);
}

}  // namespace montrelle
