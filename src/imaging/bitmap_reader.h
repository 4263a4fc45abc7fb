// Reading Windows bitmap (BMP) files into 24-bit pictures.
//
// Read: the file header "BM"; the OS/2 core header (12 bytes) and the Windows
// headers of 40 (V3), 108 (V4) and 124 (V5) bytes; 1, 4 and 8 bits per pixel with
// a palette, 16 (5-5-5), 24 and 32 bits without one; RLE8 and RLE4; BI_BITFIELDS
// at 16 and 32 bits with contiguous masks of any width (scaled to 8 bits per
// channel); rows bottom-up, or top-down (a negative height) when not compressed.
// Alpha and colour-space data are ignored.
//
// Every byte is taken as hostile. Everything else fails with BitmapError
// ("ビットマップイメージが不正です"): other headers, depths and compressions
// (JPEG or PNG inside a BMP), a zero or negative width, a zero height, more pixels
// than the budget, a palette or pixel data that lies outside the file or a pixel
// data offset inside the headers or palette, a pixel index past the palette, a
// run-length stream that ends early or writes outside the picture. The last row
// may lack its padding bytes. Run-length data may end with the end-of-bitmap code,
// or without it once every row is complete; pixels it skips stay black.
#pragma once

#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

RgbImage DecodeBitmap(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// The size after the same checks of headers, palette and data extent as
// DecodeBitmap, without decoding pixels.
ImageSize BitmapSizeOf(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// BitmapSizeOf from the file's first bytes `head`, which must hold its headers and
// palette, and the size of the whole file, which the data extent is checked against.
ImageSize BitmapSizeOf(std::string_view head, std::uint64_t file_size,
                       std::int64_t max_pixels = kMaxImagePixels);

}  // namespace montrelle
