// The picture kinds read through outside libraries (heif_reader.h, png_reader.h,
// webp_reader.h), from memory or from a file, the caller naming the kind.
//
// A file is read whole, and refused with "ファイル %s は開けません" when it cannot
// be opened or read or is no regular file (a folder, a device, a FIFO, which is
// never waited on), and with "ファイル %s は大きすぎます" beyond kMaxLibraryFileBytes,
// before anything of it is read. The reader's errors (its "… 画像が不正です",
// ImageTooLargeError) then name the file as well.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "imagelist/picture_kind.h"
#include "imaging/rgb_image.h"

namespace montrelle {

// Far beyond any photo or screenshot: a file this large is refused unread.
inline constexpr std::uint64_t kMaxLibraryFileBytes = std::uint64_t{256} << 20;

RgbImage DecodeLibraryPicture(std::string_view bytes, LibraryFormat format,
                              std::int64_t max_pixels = kMaxImagePixels);

// The size from the file's headers alone: no pixel is decoded.
ImageSize LibraryPictureSizeOf(std::string_view bytes, LibraryFormat format,
                               std::int64_t max_pixels = kMaxImagePixels);

ImageSize ReadLibraryPictureSize(const std::string& path, LibraryFormat format,
                                 std::int64_t max_pixels = kMaxImagePixels);

RgbImage ReadLibraryPictureFile(const std::string& path, LibraryFormat format,
                                std::int64_t max_pixels = kMaxImagePixels);

}  // namespace montrelle
