// Reducing a picture by area averaging, and the widths a picture is offered at.
//
// Each output pixel is the mean of the source pixels it covers, each weighted by
// the part of it that is covered, so that a fine pattern (leaves, fabric, roof
// tiles) comes out as its mean colour where point sampling breaks it into noise.
// Along a side that grows, an output pixel covers part of one or two source pixels
// and takes their weighted mean the same way. Means are rounded to the nearest
// value; the sums are exact, so a picture of one colour stays that colour.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle {

// The source reduced to `size`; an empty size gives a picture without pixels.
// Throws ImageTooLargeError beyond the pixel budget, std::invalid_argument when a
// non-empty size is asked of an empty source.
RgbImage AreaReduced(const RgbImage& source, ImageSize size);

// The width a picture `own_width` wide is made at for each of `wanted`: the wanted
// width, at most the picture's own, and none where that repeats an earlier one.
std::vector<std::optional<std::int32_t>> OfferedWidths(std::int32_t own_width,
                                                       std::span<const std::int32_t> wanted);

}  // namespace montrelle
