#include "imaging/scaling.h"

#include <algorithm>
#include <cfloat>
#include <stdexcept>
#include <string>

namespace montrelle {

// The height rule is defined by x87 extended rounding; another long double would
// change heights (see ScaledHeight).
static_assert(LDBL_MANT_DIG == 64, "long double must be the x87 80-bit format");

std::int64_t ScaledHeight(std::int32_t source_width, std::int32_t source_height,
                          std::int32_t width) {
  const long double ratio =
      static_cast<long double>(source_height) / static_cast<long double>(source_width);
  const long double height = ratio * static_cast<long double>(width);
  // At most 2^31 * 2^31: always within int64, so the cast truncates toward zero.
  return static_cast<std::int64_t>(height);
}

RgbImage SampleToSize(const RgbImage& source, std::int32_t width, std::int32_t height) {
  RequireConsistent(source);
  RgbImage out = MakeRgbImage(width, height);
  if (out.pixels.empty()) return out;
  if (source.pixels.empty()) throw std::invalid_argument("no pixels to sample from");

  std::vector<std::int64_t> column_offsets(static_cast<size_t>(width));
  for (std::int64_t x = 0; x < width; ++x) {
    column_offsets[static_cast<size_t>(x)] = SamplePosition(x, source.width, width) * 3;
  }
  std::uint8_t* to = out.pixels.data();
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t source_y = SamplePosition(y, source.height, height);
    const std::uint8_t* row = source.pixels.data() + source_y * source.width * 3;
    for (std::int64_t offset : column_offsets) {
      to = std::copy_n(row + offset, 3, to);
    }
  }
  return out;
}

ImageSize ScaledSize(ImageSize source, std::int32_t width) {
  if (width < 0) throw AppError("画像の幅 " + std::to_string(width) + " は負の値です");
  if (source.width == 0 || source.height == 0 || width == 0) return {width, 0};
  const std::int64_t height = ScaledHeight(source.width, source.height, width);
  if (height > kMaxImagePixels / width) throw ImageTooLargeError(width, height);
  return {width, static_cast<std::int32_t>(height)};
}

RgbImage ScaleToWidth(const RgbImage& source, std::int32_t width) {
  RequireConsistent(source);
  const ImageSize size = ScaledSize({source.width, source.height}, width);
  return SampleToSize(source, size.width, size.height);
}

}  // namespace montrelle
