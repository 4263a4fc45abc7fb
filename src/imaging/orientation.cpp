#include "imaging/orientation.h"

#include <algorithm>
#include <string>

#include "imagelist/string_routines.h"

namespace montrelle {
namespace {

constexpr size_t kPixelBytes = 3;

std::uint8_t* PixelAt(RgbImage& image, std::int64_t x, std::int64_t y) {
  return image.pixels.data() + (y * image.width + x) * kPixelBytes;
}

const std::uint8_t* PixelAt(const RgbImage& image, std::int64_t x, std::int64_t y) {
  return image.pixels.data() + (y * image.width + x) * kPixelBytes;
}

void MirrorInPlace(RgbImage& image) {
  for (std::int64_t y = 0; y < image.height; ++y) {
    for (std::int64_t x = 0, back = image.width - 1; x < back; ++x, --back) {
      std::swap_ranges(PixelAt(image, x, y), PixelAt(image, x, y) + kPixelBytes,
                       PixelAt(image, back, y));
    }
  }
}

void FlipInPlace(RgbImage& image) {
  const size_t row_bytes = static_cast<size_t>(image.width) * kPixelBytes;
  for (std::int64_t y = 0, back = image.height - 1; y < back; ++y, --back) {
    std::swap_ranges(PixelAt(image, 0, y), PixelAt(image, 0, y) + row_bytes,
                     PixelAt(image, 0, back));
  }
}

// A quarter turn: the result is H wide and W high. Counter-clockwise takes
// out(x, y) = in(W-1-y, x), clockwise out(x, y) = in(y, H-1-x).
RgbImage QuarterTurn(const RgbImage& in, bool clockwise) {
  RgbImage out;
  out.width = in.height;
  out.height = in.width;
  out.pixels.resize(in.pixels.size());
  for (std::int64_t y = 0; y < out.height; ++y) {
    for (std::int64_t x = 0; x < out.width; ++x) {
      const std::uint8_t* from =
          clockwise ? PixelAt(in, y, in.height - 1 - x) : PixelAt(in, in.width - 1 - y, x);
      std::copy_n(from, kPixelBytes, PixelAt(out, x, y));
    }
  }
  return out;
}

}  // namespace

Orientation ParseOrientation(std::string_view text) {
  Orientation result;
  result.mirror = NthField("\t", text, 1) != "0";
  result.flip = NthField("\t", text, 2) != "0";
  const std::string rotation = NthField("\t", text, 3);
  if (rotation != "0") {
    result.rotation = ParseInt32(rotation);
    if (result.rotation < 0 || result.rotation > 3) {
      throw AppError("'" + rotation + "' は画像の回転 (0～3) ではありません");
    }
  }
  return result;
}

RgbImage ApplyOrientation(RgbImage image, const Orientation& orientation) {
  RequireConsistent(image);
  if (orientation.mirror) MirrorInPlace(image);
  if (orientation.flip) FlipInPlace(image);
  switch (orientation.rotation) {
    case 1:
      return QuarterTurn(image, false);
    case 2:
      return QuarterTurn(image, true);
    case 3:
      MirrorInPlace(image);
      FlipInPlace(image);
      return image;
    default:
      return image;
  }
}

RgbImage ApplyOrientation(RgbImage image, std::string_view orientation) {
  return ApplyOrientation(std::move(image), ParseOrientation(orientation));
}

}  // namespace montrelle
