// Reading PNG pictures through libpng, from memory.
//
// Read: every colour type and bit depth the format has (palettes, grey of 1 to 16
// bits, grey with alpha, RGB and RGBA of 8 and 16 bits), interlaced or not. Sixteen
// bits are scaled to eight (rounded), grey becomes three equal channels, and
// transparency (an alpha channel or a tRNS chunk) is blended over white
// (alpha_over_white.h). Gamma and colour profiles are not applied: the samples are
// taken as stored.
//
// Every byte is taken as hostile. What libpng refuses (no PNG signature, a damaged
// chunk or a checksum error in a critical one, pixel data that ends early or does
// not inflate) fails with "PNG 画像が不正です"; a picture beyond the budget fails
// with ImageTooLargeError from its header, before any pixel memory is taken.
// Warnings are ignored, and so is everything after the last row of pixels.
//
// libpng reports fatal errors by a longjmp into a small frame that holds no C++
// object; the error becomes an AppError only after the library's frames are gone.
// Every call owns its own library objects, so calls may run on several threads.
#pragma once

#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

RgbImage DecodePng(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// The size from the chunks before the pixel data, with the same errors as DecodePng
// up to there.
ImageSize PngSizeOf(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

}  // namespace montrelle
