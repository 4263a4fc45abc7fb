// The picture operations on files that the preview and the make run call.
//
// Each reads the whole file first; a file that cannot be opened or read fails with
// "ファイル %s は開けません". Then the file's own decoder runs (see jpeg_codec.h and
// bitmap_reader.h for their errors), the orientation text is applied
// (orientation.h), and the picture is scaled to the target width (scaling.h). The
// name of the file is not looked at: the caller chooses the operation.
//
// Every call is a pure function of its arguments and the file's bytes, and may run
// on several threads at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

// The JPEG file decoded, oriented, scaled to `width` and encoded again (quality 90).
// Zero bytes when the scaled picture is empty (a width of 0, or a height that comes
// out 0).
std::string ScaleJpegFile(const std::string& path, std::int32_t width,
                          std::string_view orientation);

// The BMP file decoded, oriented and scaled to `width`, unencoded.
RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width, std::string_view orientation);

// The BMP file at its own size, as stored.
RgbImage ReadBitmapFile(const std::string& path);

// The stored width and height, from the headers.
ImageSize ReadJpegSize(const std::string& path);
ImageSize ReadBitmapSize(const std::string& path);

}  // namespace montrelle
