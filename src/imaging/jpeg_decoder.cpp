#include <string>

#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_error_jump.h"

#include <jerror.h>

namespace montrelle {
namespace {

// One decompressor; the destructor releases everything the library holds, also
// after a fatal error, and never throws.
struct Decompressor {
  Decompressor() { info.err = InstallErrorJump(error); }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  jpeg_decompress_struct info{};
  JpegErrorJump error{};
};

enum class Outcome { kDone, kLibraryError, kTooLarge };

// Progressive and multi-scan files make libjpeg keep the whole picture's
// coefficients, two bytes a sample, beside the picture we decode into. Its own
// memory is held to the bytes of the picture budget as well: beyond that the
// library would need a backing store, which this build has not, and fails before
// allocating (JERR_NO_BACKING_STORE), so a small file that claims a huge picture
// cannot take gigabytes.
long LibraryMemoryLimit(std::int64_t max_pixels) {
  return static_cast<long>(max_pixels * 3);
}

// Reads the header into `image`'s size and, when `want_pixels`, decodes all rows
// into it. The library jumps back here on a fatal error: this frame holds no object
// with a destructor, and `image` belongs to the caller.
Outcome RunDecoder(Decompressor& d, std::string_view bytes, std::int64_t max_pixels,
                   bool want_pixels, RgbImage& image) {
  if (setjmp(d.error.jump) != 0) return Outcome::kLibraryError;
  jpeg_create_decompress(&d.info);
  d.info.mem->max_memory_to_use = LibraryMemoryLimit(max_pixels);
  jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.info, TRUE);
  // libjpeg limits each side to 65500, so both fit an int32.
  image.width = static_cast<std::int32_t>(d.info.image_width);
  image.height = static_cast<std::int32_t>(d.info.image_height);
  if (std::int64_t{image.width} * image.height > max_pixels) return Outcome::kTooLarge;
  if (!want_pixels) return Outcome::kDone;

  d.info.out_color_space = JCS_RGB;
  d.info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&d.info);
  const size_t row_bytes = size_t{d.info.output_width} * 3;
  image.pixels.resize(row_bytes * d.info.output_height);
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = image.pixels.data() + row_bytes * d.info.output_scanline;
    // Memory input never suspends; the check only guards against a loop forever.
    if (jpeg_read_scanlines(&d.info, &row, 1) != 1) break;
  }
  // Not jpeg_finish_decompress: whatever follows the picture's data is not needed.
  return Outcome::kDone;
}

RgbImage Decode(std::string_view bytes, std::int64_t max_pixels, bool want_pixels) {
  Decompressor decompressor;
  RgbImage image;
  switch (RunDecoder(decompressor, bytes, max_pixels, want_pixels, image)) {
    case Outcome::kLibraryError:
      if (decompressor.error.manager.msg_code == JERR_NO_BACKING_STORE) {
        throw ImageTooLargeError(image.width, image.height);
      }
      throw JpegError(decompressor.error.manager.msg_code);
    case Outcome::kTooLarge:
      throw ImageTooLargeError(image.width, image.height);
    case Outcome::kDone:
      break;
  }
  return image;
}

}  // namespace

AppError JpegError(int message_code) {
  return AppError("JPEG エラー #" + std::to_string(message_code));
}

RgbImage DecodeJpeg(std::string_view bytes, std::int64_t max_pixels) {
  return Decode(bytes, max_pixels, true);
}

ImageSize JpegSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  RgbImage header = Decode(bytes, max_pixels, false);
  return {header.width, header.height};
}

}  // namespace montrelle
