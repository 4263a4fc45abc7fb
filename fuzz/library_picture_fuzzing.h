// The check of the fuzz targets for the pictures read through outside libraries:
// every input must end in a picture or in the reader's own errors (its "… 画像が
// 不正です" or the picture budget's), never in a crash, a sanitizer report or
// another exception; a picture must be whole and of the size the header reader
// gives.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "fuzz_support.h"
#include "imaging/library_pictures.h"

namespace montrelle::fuzz {

// Smaller than the program's budget so that each run stays fast; the checks that
// enforce it are the same.
inline constexpr std::int64_t kFuzzPixels = std::int64_t{1} << 18;

inline int CheckLibraryPicture(const std::uint8_t* data, size_t size, LibraryFormat format,
                               std::initializer_list<std::string_view> errors) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RgbImage picture;
  try {
    picture = DecodeLibraryPicture(bytes, format, kFuzzPixels);
  } catch (const AppError& e) {
    bool known = StartsWith(e.what(), "画像が大きすぎます");
    for (std::string_view error : errors) known = known || e.what() == error;
    Require(known, "only the reader's own errors");
    return 0;
  }
  RequireConsistent(picture);
  Require(
      LibraryPictureSizeOf(bytes, format, kFuzzPixels) == ImageSize{picture.width, picture.height},
      "the size reader agrees with the picture");
  return 0;
}

}  // namespace montrelle::fuzz
