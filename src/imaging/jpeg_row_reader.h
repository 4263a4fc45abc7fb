// A JPEG picture decoded in one pass, row by row, with the decoder settings of
// jpeg_codec.h (full size, floating-point DCT, RGB output, warnings ignored).
//
// ReadRows hands over only the rows asked for, and of them only the columns asked for.
// YCbCr and greyscale pictures whose colour is stored at full or half width and height
// are read as raw components, unless the scanline path is asked for, and only the
// sampled pixels are made from them (jpeg_raw_rows.h). Others are read as scanlines and
// pass over the rows not asked for with jpeg_skip_scanlines, which leaves every row it
// does deliver identical to a full decode as long as the library's default (fancy)
// upsampling stays on: each row is read on its own, every gap skipped, buffered-image
// mode never used. Pictures after whose skips the library delivers wrong rows (see
// SkipIsExact in the decoder) are read row by row without skipping. Either way the
// entropy-coded data of the rows passed over is read. Rows after the last one asked for
// (and the iMCU row below it) are not decoded at all. That changes no outcome: a file
// of several scans is read whole when decoding starts, and in a single scan damaged
// data draws only warnings, so every fatal error comes before the first row, as in a
// full decode.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

struct JpegDecompressor;

// How ReadRows reads a picture: as raw components where the picture allows, or
// always as scanlines, through the library's public calls alone.
enum class JpegDecodePath { kRaw, kScanline };

class JpegRowReader {
 public:
  // Called with a row's number and its width * 3 bytes, valid during the call.
  using RowSink = std::function<void(std::int32_t row, const std::uint8_t* pixels)>;

  // Reads the header of `bytes`, which must outlive the reader. Throws JpegError
  // for what libjpeg refuses, ImageTooLargeError for more than `max_pixels`.
  explicit JpegRowReader(std::string_view bytes, std::int64_t max_pixels = kMaxImagePixels);
  ~JpegRowReader();
  JpegRowReader(const JpegRowReader&) = delete;
  JpegRowReader& operator=(const JpegRowReader&) = delete;

  ImageSize size() const { return size_; }

  // Decodes the picture, handing each of `rows` (ascending, each once, all within
  // the picture) to `sink`, with at least the pixels of `columns` (ascending, each
  // once, within the picture) as a full decode gives them; the others may hold
  // anything. Throws JpegError. A reader decodes once: call ReadRows or ReadAll,
  // not both. Without a path, the process's choice (jpeg_decoder_choice.h).
  void ReadRows(std::span<const std::int32_t> rows, std::span<const std::int32_t> columns,
                const RowSink& sink);
  void ReadRows(std::span<const std::int32_t> rows, std::span<const std::int32_t> columns,
                const RowSink& sink, JpegDecodePath path);

  // Every row, decoded straight into a picture of size().
  RgbImage ReadAll();

  // Every row in turn, at the smallest of the library's scales of an eighth, a
  // quarter, a half or the whole of size() that is at least `least` on both sides:
  // the inverse DCT of fewer coefficients, a low-pass reduction that loses nothing
  // a smaller picture made from it can show. (The scales between take the library
  // longer than the whole.) `start` is told the size of those rows first.
  void ReadAllAtLeast(ImageSize least, const std::function<void(ImageSize)>& start,
                      const RowSink& sink);

 private:
  std::unique_ptr<JpegDecompressor> decompressor_;
  ImageSize size_;
};

}  // namespace montrelle
