#include "imaging/jpeg_metadata.h"

#include <cstddef>
#include <cstdint>

#include "platform/app_error.h"

namespace montrelle {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kComment = 0xFE;

AppError DamagedJpeg() {
  return AppError("JPEG 画像が不正です");
}

bool StartsWith(std::string_view payload, std::string_view identifier) {
  return payload.substr(0, identifier.size()) == identifier;
}

// Markers without a length: the restart markers and TEM.
bool StandsAlone(std::uint8_t marker) {
  return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// Whether a segment of the picture's own is kept: all but the application
// segments and comments, and of those the three that say how to show the pixels.
bool Keeps(std::uint8_t marker, std::string_view payload) {
  if (marker == kComment) return false;
  if (marker < 0xE0 || marker > 0xEF) return true;
  if (marker == 0xE0) return StartsWith(payload, std::string_view("JFIF\0", 5));
  if (marker == 0xE2) return StartsWith(payload, std::string_view("ICC_PROFILE\0", 12));
  return marker == 0xEE && StartsWith(payload, "Adobe");
}

// Where the entropy-coded data from `at` ends: at the next marker, which is a 0xFF
// followed by neither a stuffed zero nor a restart marker; the size when none comes.
std::size_t EndOfScanData(std::string_view jpeg, std::size_t at) {
  for (; at + 1 < jpeg.size(); ++at) {
    if (static_cast<std::uint8_t>(jpeg[at]) != kMarker) continue;
    const auto next = static_cast<std::uint8_t>(jpeg[at + 1]);
    if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7)) return at;
  }
  return jpeg.size();
}

}  // namespace

std::string JpegWithoutMetadata(std::string_view jpeg) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(jpeg[at]); };
  if (jpeg.size() < 2 || byte(0) != kMarker || byte(1) != kStartOfImage) throw DamagedJpeg();
  std::string out(jpeg.substr(0, 2));
  std::size_t at = 2;
  while (at < jpeg.size()) {
    if (byte(at) != kMarker) throw DamagedJpeg();
    // Fill bytes before a marker are passed over.
    while (at + 1 < jpeg.size() && byte(at + 1) == kMarker) ++at;
    if (at + 1 >= jpeg.size()) break;
    const std::uint8_t marker = byte(at + 1);
    if (marker == kEndOfImage) {
      out.append(jpeg.substr(at, 2));
      break;
    }
    if (StandsAlone(marker)) {
      out.append(jpeg.substr(at, 2));
      at += 2;
      continue;
    }
    if (at + 4 > jpeg.size()) throw DamagedJpeg();
    const std::size_t length = std::size_t{byte(at + 2)} << 8 | byte(at + 3);
    if (length < 2 || at + 2 + length > jpeg.size()) throw DamagedJpeg();
    const std::size_t end = at + 2 + length;
    if (Keeps(marker, jpeg.substr(at + 4, length - 2))) out.append(jpeg.substr(at, end - at));
    at = end;
    if (marker == kStartOfScan) {
      const std::size_t data_end = EndOfScanData(jpeg, at);
      out.append(jpeg.substr(at, data_end - at));
      at = data_end;
    }
  }
  return out;
}

}  // namespace montrelle
