// The picture operations on files that the preview and the make run call.
//
// Each checks the file's header and then reads the whole file, within what a
// picture of the header's size can need (picture_header.h, whose errors come
// first). Then the file's own decoder runs (see jpeg_codec.h and bitmap_reader.h
// for their errors), the orientation is applied (orientation.h; given as its
// triple, or as read already by a make run), and the picture is scaled to the
// target width (scaling.h). The name of the file is not looked at: the caller
// chooses the operation.
//
// The pixels are those of decoding the whole picture, orienting it and point
// sampling it, but no full-size picture is held: a JPEG is sampled row by row while
// it is decoded, only the rows the result needs being fully decoded
// (jpeg_row_reader.h, row_sampler.h), and a bitmap is sampled from its decoded
// rows without an oriented copy. The errors come in the same order: the file's,
// the decoder's, the orientation's, then the width's.
//
// Every call is a pure function of its arguments and the file's bytes, and may run
// on several threads at once.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imagelist/picture_kind.h"
#include "imaging/orientation.h"
#include "imaging/rgb_image.h"

namespace montrelle {

// The bytes of a picture made for a file, or what making them threw.
struct MadePicture {
  std::string bytes;
  std::exception_ptr error;

  // The bytes; throws the error instead when there is one.
  const std::string& Bytes() const;
};

// The JPEG file decoded, oriented, scaled to `width` and encoded again (quality 90).
// Zero bytes when the scaled picture is empty (a width of 0, or a height that comes
// out 0).
std::string ScaleJpegFile(const std::string& path, std::int32_t width,
                          std::string_view orientation);

// ScaleJpegFile at each of `widths` from a single decode: item k holds what
// ScaleJpegFile(path, widths[k], orientation) returns or throws. What fails for
// every width (the file, the decoder, the orientation text) is thrown.
std::vector<MadePicture> ScaleJpegFileToWidths(const std::string& path,
                                               std::span<const std::int32_t> widths,
                                               std::string_view orientation);
std::vector<MadePicture> ScaleJpegFileToWidths(const std::string& path,
                                               std::span<const std::int32_t> widths,
                                               const Orientation& orientation);

// ScaleJpegFileToWidths on the bytes of a JPEG file, the decoded picture held to
// `max_pixels` (ImageTooLargeError beyond).
std::vector<MadePicture> ScaleJpegToWidths(std::string_view jpeg,
                                           std::span<const std::int32_t> widths,
                                           std::string_view orientation,
                                           std::int64_t max_pixels = kMaxImagePixels);
std::vector<MadePicture> ScaleJpegToWidths(std::string_view jpeg,
                                           std::span<const std::int32_t> widths,
                                           const Orientation& orientation,
                                           std::int64_t max_pixels = kMaxImagePixels);

// A picture of a kind a library reads (library_pictures.h) decoded, oriented,
// scaled to each of `widths` and encoded as JPEG (quality 90), as
// ScaleJpegFileToWidths does it for a JPEG file; a width of none keeps the
// oriented picture's own size.
std::vector<MadePicture> ScaleLibraryPictureFile(
    const std::string& path, LibraryFormat format,
    std::span<const std::optional<std::int32_t>> widths, const Orientation& orientation);

// The BMP file decoded, oriented and scaled to `width`, unencoded.
RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width, std::string_view orientation);
RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width,
                         const Orientation& orientation);

// The BMP file at its own size, as stored.
RgbImage ReadBitmapFile(const std::string& path);

}  // namespace montrelle
