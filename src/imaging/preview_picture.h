// The pictures the preview window shows: the file oriented and reduced to the
// width that fits the 156 x 116 picture area (FitPreviewWidth of the stored size,
// width and height swapped for a quarter turn), by the same picture operations the
// make run uses. A JPEG, and a picture a library reads (HEIC, AVIF, PNG, WebP), is
// shown as the make run would write it: encoded at quality 90 and decoded again.
//
// The errors are those of picture_header.h and picture_files.h: a file that cannot
// be read or is no regular file, a picture beyond the pixel budget or a file far
// larger than its picture, a damaged picture, an orientation that cannot be applied.
// Only what the picture can need is ever read.
#pragma once

#include <string>
#include <string_view>

#include "imagelist/picture_kind.h"
#include "imaging/preview_rules.h"
#include "imaging/rgb_image.h"

namespace montrelle {

// `quarter_turn`: the rotation control chooses a quarter turn (item 1 or 2).
RgbImage PreviewBitmap(const std::string& path, std::string_view orientation, bool quarter_turn);
RgbImage PreviewJpeg(const std::string& path, std::string_view orientation, bool quarter_turn);
RgbImage PreviewLibraryPicture(const std::string& path, LibraryFormat format,
                               std::string_view orientation, bool quarter_turn);

// The picture's left edge in the area: centred across it, always at the top.
inline int PreviewLeft(int picture_width) {
  return (kPreviewWidth - picture_width) / 2;
}

}  // namespace montrelle
