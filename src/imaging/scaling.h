// Scaling a picture to a target width by point sampling.
//
// The height follows the picture's proportions: h = trunc(H / W * w), the quotient
// formed first and rounded to the 64-bit significand of the x87 extended format,
// then multiplied by w and truncated toward zero (39 x 7 at width 156 gives 27,
// where double precision would give 28). A height of 0 gives an empty result.
//
// Point sampling, no filtering: output pixel (x, y) of a w x h result takes the
// source pixel at column (2x + 1) * W / (2w) and row (2y + 1) * H / (2h), in 64-bit
// integers rounded down: the source pixel under the centre of the output pixel.
// Scaling to the source's own size is the identity.
#pragma once

#include <cstdint>

#include "imaging/rgb_image.h"

namespace montrelle {

// trunc(source_height / source_width * width) as above; source_width > 0, width >= 0.
std::int64_t ScaledHeight(std::int32_t source_width, std::int32_t source_height,
                          std::int32_t width);

// The source position that output position `at` of `out_length` samples, along one
// side `source_length` long: (2 at + 1) source_length / (2 out_length), rounded down.
inline std::int64_t SamplePosition(std::int64_t at, std::int64_t source_length,
                                   std::int64_t out_length) {
  return (2 * at + 1) * source_length / (2 * out_length);
}

// The size ScaleToWidth gives a source of this size, with its errors.
ImageSize ScaledSize(ImageSize source, std::int32_t width);

// The source sampled onto width x height pixels; an empty target has no pixels.
// Throws ImageTooLargeError beyond the pixel budget, std::invalid_argument when a
// non-empty target is asked of an empty source.
RgbImage SampleToSize(const RgbImage& source, std::int32_t width, std::int32_t height);

// The source at `width` with the height from ScaledHeight. A width of 0, a height
// that comes out 0, or an empty source gives a picture `width` wide without pixels. A negative
// width fails with "画像の幅 %d は負の値です"; a result beyond the pixel budget with
// ImageTooLargeError.
RgbImage ScaleToWidth(const RgbImage& source, std::int32_t width);

}  // namespace montrelle
