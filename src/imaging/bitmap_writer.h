// Writing pictures as BMP files: 24 bits per pixel, uncompressed, rows bottom-up,
// a BITMAPINFOHEADER with no resolution and no palette; readable everywhere.
#pragma once

#include <string>

#include "imaging/rgb_image.h"

namespace montrelle {

// The complete file; empty (zero bytes) for a picture without pixels, as
// EncodeJpeg. Throws ImageTooLargeError when the file would pass 4 GiB.
std::string EncodeBitmap(const RgbImage& image);

}  // namespace montrelle
