// JPEG decoding and encoding through libjpeg, from and to memory.
//
// Decoding: full size, floating-point DCT, always 24-bit RGB output (a greyscale
// picture gives three equal channels). Warnings are ignored, so a file cut short
// decodes as far as its data goes and the rest stays as the library fills it.
// Markers such as an Exif orientation are not read. Fatal library errors fail with
// "JPEG エラー #%d" carrying libjpeg's message code (an empty input, a file that
// is no JPEG, data the library cannot convert to RGB such as CMYK). A picture
// beyond the pixel budget fails with ImageTooLargeError before any pixel memory
// is taken, and so does one whose decoding would make libjpeg itself hold more
// than the budget's bytes (a progressive file keeps two bytes per sample: at 4:4:4
// about half the budget's pixels fit).
//
// Encoding: jpeg_set_defaults, floating-point DCT, quality 90 forced to baseline,
// RGB input, everything else as the defaults leave it: a baseline JFIF file with
// YCbCr colour and standard Huffman tables.
//
// libjpeg reports fatal errors by a longjmp into a small frame that holds no C++
// object; the error becomes an AppError only after the library's frames are gone.
// Every call owns its own library objects, so calls may run on several threads.
#pragma once

#include <string>
#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

// "JPEG エラー #%d".
AppError JpegError(int message_code);

RgbImage DecodeJpeg(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// The size from the header alone, with the same errors as DecodeJpeg.
ImageSize JpegSizeOf(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// How a picture is stored beyond the encoding settings above. The defaults are
// those settings.
struct JpegStorage {
  bool grey = false;  // one component, the luminance
  int luma_h = 2;     // the luminance sampling factors, the colour's at 1 x 1
  int luma_v = 2;
  bool progressive = false;  // libjpeg's simple progression
  bool arithmetic = false;
};

// The complete JPEG file, SOI to EOI; empty (zero bytes) for a picture without
// pixels. A side beyond libjpeg's limit of 65500 fails with JpegError.
std::string EncodeJpeg(const RgbImage& image, const JpegStorage& storage = {});

}  // namespace montrelle
