#include "imaging/png_reader.h"

#include <png.h>

#include <cstring>
#include <new>
#include <vector>

#include "imaging/alpha_over_white.h"

namespace montrelle {
namespace {

AppError PngError() {
  return AppError("PNG 画像が不正です");
}

// Text and profile chunks are read whole before the pixels; this holds each one to
// a few megabytes however large the file claims it to be.
constexpr png_alloc_size_t kChunkBytes = png_alloc_size_t{8} << 20;

struct MemorySource {
  std::string_view bytes;
  size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->bytes.size() - source->at) png_error(png, "cut short");
  std::memcpy(out, source->bytes.data() + source->at, length);
  source->at += length;
}

[[noreturn]] void JumpOut(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void DropWarning(png_structp, png_const_charp) {}

// One reader; the destructor releases everything the library holds, also after a
// fatal error, and never throws.
struct PngDecompressor {
  explicit PngDecompressor(std::string_view bytes) : source{bytes} {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOut, DropWarning);
    if (png != nullptr) info = png_create_info_struct(png);
    if (info == nullptr) {
      png_destroy_read_struct(&png, nullptr, nullptr);
      throw std::bad_alloc();
    }
  }
  ~PngDecompressor() { png_destroy_read_struct(&png, &info, nullptr); }
  PngDecompressor(const PngDecompressor&) = delete;
  PngDecompressor& operator=(const PngDecompressor&) = delete;

  png_structp png = nullptr;
  png_infop info = nullptr;
  MemorySource source;
};

// The library jumps back into these frames on a fatal error: they hold no object
// with a destructor, and each returns false after such an error.

// The picture budget, checked once the header is read, is the only limit on the
// sides: libpng's own (a million pixels) would refuse a long thin picture that fits.
bool ReadHeader(PngDecompressor& d) {
  if (setjmp(png_jmpbuf(d.png)) != 0) return false;
  png_set_user_limits(d.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_chunk_malloc_max(d.png, kChunkBytes);
  png_set_read_fn(d.png, &d.source, ReadFromMemory);
  png_read_info(d.png, d.info);
  return true;
}

// Asks for 8-bit RGB, or RGBA when the picture has transparency; `passes` is 7 for
// an interlaced picture, 1 otherwise.
bool SetOutput(PngDecompressor& d, int& passes) {
  if (setjmp(png_jmpbuf(d.png)) != 0) return false;
  png_set_expand(d.png);
  png_set_scale_16(d.png);
  png_set_gray_to_rgb(d.png);
  passes = png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  return true;
}

// Each pass of an interlaced picture fills in its own pixels of every row.
bool ReadRows(PngDecompressor& d, int passes, std::uint8_t* pixels, size_t row_bytes,
              std::int32_t height) {
  if (setjmp(png_jmpbuf(d.png)) != 0) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (std::int32_t y = 0; y < height; ++y) {
      png_read_row(d.png, pixels + row_bytes * static_cast<size_t>(y), nullptr);
    }
  }
  return true;
}

ImageSize HeaderSize(PngDecompressor& d, std::int64_t max_pixels) {
  if (!ReadHeader(d)) throw PngError();
  return BudgetedSize(png_get_image_width(d.png, d.info), png_get_image_height(d.png, d.info),
                      max_pixels);
}

}  // namespace

RgbImage DecodePng(std::string_view bytes, std::int64_t max_pixels) {
  PngDecompressor d(bytes);
  const ImageSize size = HeaderSize(d, max_pixels);
  int passes = 0;
  if (!SetOutput(d, passes)) throw PngError();
  const size_t channels = png_get_channels(d.png, d.info);
  const size_t row_bytes = channels * static_cast<size_t>(size.width);
  if ((channels != 3 && channels != 4) || png_get_bit_depth(d.png, d.info) != 8 ||
      png_get_rowbytes(d.png, d.info) != row_bytes) {
    throw PngError();
  }

  RgbImage image = MakeRgbImage(size.width, size.height, max_pixels);
  if (channels == 3) {
    if (!ReadRows(d, passes, image.pixels.data(), row_bytes, size.height)) throw PngError();
    return image;
  }
  std::vector<std::uint8_t> rgba(row_bytes * static_cast<size_t>(size.height));
  if (!ReadRows(d, passes, rgba.data(), row_bytes, size.height)) throw PngError();
  BlendOverWhite(rgba.data(), rgba.size() / 4, image.pixels.data());
  return image;
}

ImageSize PngSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  PngDecompressor d(bytes);
  return HeaderSize(d, max_pixels);
}

}  // namespace montrelle
