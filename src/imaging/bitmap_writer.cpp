#include "imaging/bitmap_writer.h"

#include <cstdint>
#include <limits>

namespace montrelle {
namespace {

constexpr std::uint32_t kHeadersBytes = 14 + 40;

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

}  // namespace

std::string EncodeBitmap(const RgbImage& image) {
  RequireConsistent(image);
  if (image.pixels.empty()) return {};
  const std::uint64_t row_bytes =
      (std::uint64_t{static_cast<std::uint32_t>(image.width)} * 3 + 3) / 4 * 4;
  const std::uint64_t data_bytes = row_bytes * static_cast<std::uint32_t>(image.height);
  if (data_bytes > std::numeric_limits<std::uint32_t>::max() - kHeadersBytes) {
    throw ImageTooLargeError(image.width, image.height);
  }
  std::string out;
  out.reserve(kHeadersBytes + data_bytes);
  out += "BM";
  PutU32(out, static_cast<std::uint32_t>(kHeadersBytes + data_bytes));
  PutU32(out, 0);  // reserved
  PutU32(out, kHeadersBytes);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(image.width));
  PutU32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
  PutU16(out, 1);                                         // planes
  PutU16(out, 24);
  PutU32(out, 0);  // uncompressed
  PutU32(out, static_cast<std::uint32_t>(data_bytes));
  PutU32(out, 0);  // horizontal resolution: not given
  PutU32(out, 0);  // vertical resolution
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // colours important

  const size_t in_row = static_cast<size_t>(image.width) * 3;
  const size_t padding = static_cast<size_t>(row_bytes) - in_row;
  for (std::int64_t y = image.height - 1; y >= 0; --y) {
    const std::uint8_t* p = image.pixels.data() + static_cast<size_t>(y) * in_row;
    for (size_t x = 0; x < in_row; x += 3) {
      out += static_cast<char>(p[x + 2]);
      out += static_cast<char>(p[x + 1]);
      out += static_cast<char>(p[x]);
    }
    out.append(padding, '\0');
  }
  return out;
}

}  // namespace montrelle
