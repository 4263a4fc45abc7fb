// Reading WebP pictures through libwebp, from memory.
//
// Read: lossy and lossless pictures, with or without alpha, in the simple and the
// extended file layout; of an animation, its first frame as it shows on the
// animation's canvas (the canvas around a smaller frame is transparent, and the
// background colour the file names is not used, as browsers do not use it).
// Transparency is blended over white (alpha_over_white.h). Colour profiles are not
// applied.
//
// Every byte is taken as hostile. A file that libwebp's demuxer or decoder refuses
// (no WebP container, a chunk that lies outside the file, a damaged or cut
// bitstream, a frame outside its canvas) fails with "WebP 画像が不正です"; a
// picture beyond the budget fails with ImageTooLargeError from its header, before
// any pixel memory is taken.
//
// Every call owns its own library objects, so calls may run on several threads.
#pragma once

#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

RgbImage DecodeWebp(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

// The size of the canvas from the file's chunks alone, with the same errors as
// DecodeWebp up to there.
ImageSize WebpSizeOf(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);

}  // namespace montrelle
