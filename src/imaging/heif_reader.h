// Reading HEIF pictures (HEIC, and AVIF, its AV1 kind) through libheif, from memory.
//
// Read: the file's primary image, with the rotation, mirror and crop its container
// gives applied by libheif, so that a picture comes out as it is meant to be seen.
// Exif orientation inside the file is not applied. More than 8 bits per channel
// are reduced to 8; an alpha image is blended over white (alpha_over_white.h).
//
// Every byte is taken as hostile. What libheif refuses (no HEIF container, no
// primary image, a coding it has no decoder for, damaged or missing picture data)
// fails with "HEIF 画像が不正です", or "AVIF 画像が不正です" when the file calls
// itself AVIF. A picture beyond the budget fails with ImageTooLargeError before
// it is decoded, judged on both its size as shown and the coded size before its
// crop: the decoder allocates the latter. A side beyond 32767 pixels fails as
// damaged: libheif refuses it while it reads the container.
//
// Every call owns its own library objects, so calls may run on several threads at
// once; libheif decodes the tiles of a picture on the calling thread, as the
// program already decodes pictures side by side.
#pragma once

#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

RgbImage DecodeHeif(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// The size as shown (after the container's turn and crop), from the container's
// boxes alone, with the same errors as DecodeHeif up to there.
ImageSize HeifSizeOf(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

}  // namespace montrelle
