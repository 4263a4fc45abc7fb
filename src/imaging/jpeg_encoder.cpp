#include <algorithm>
#include <cstdlib>
#include <new>

#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_error_jump.h"

namespace montrelle {
namespace {

constexpr int kQuality = 90;

// One compressor writing to memory through jpeg_mem_dest. The first buffer is ours,
// so the library allocates nothing while setting up; when the picture outgrows it
// the library moves to buffers of its own, which it announces only through the
// destination's term_destination. The destructor asks for that announcement (the
// memory destination's term_destination only reports the current buffer, and may
// run again after jpeg_finish_compress), frees both and never throws.
struct Compressor {
  explicit Compressor(size_t first_size)
      : first(static_cast<unsigned char*>(std::malloc(first_size))),
        buffer(first),
        size(first_size) {
    if (first == nullptr) throw std::bad_alloc();
    info.err = InstallErrorJump(error);
  }
  ~Compressor() {
    if (info.dest != nullptr) info.dest->term_destination(&info);
    if (buffer != first) std::free(buffer);
    std::free(first);
    jpeg_destroy_compress(&info);
  }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  jpeg_compress_struct info{};
  JpegErrorJump error{};
  unsigned char* first;
  unsigned char* buffer;
  unsigned long size;
};

// Compresses all rows. The library jumps back here on a fatal error: this frame
// holds no object with a destructor. Returns false after such an error.
bool RunEncoder(Compressor& c, const RgbImage& image, const JpegStorage& storage) {
  if (setjmp(c.error.jump) != 0) return false;
  jpeg_create_compress(&c.info);
  jpeg_mem_dest(&c.info, &c.buffer, &c.size);
  c.info.image_width = static_cast<JDIMENSION>(image.width);
  c.info.image_height = static_cast<JDIMENSION>(image.height);
  c.info.input_components = 3;
  c.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.info);
  c.info.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&c.info, kQuality, TRUE);
  if (storage.grey) {
    jpeg_set_colorspace(&c.info, JCS_GRAYSCALE);
  } else {
    c.info.comp_info[0].h_samp_factor = storage.luma_h;
    c.info.comp_info[0].v_samp_factor = storage.luma_v;
  }
  if (storage.progressive) jpeg_simple_progression(&c.info);
  c.info.arith_code = storage.arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&c.info, TRUE);
  const size_t row_bytes = static_cast<size_t>(image.width) * 3;
  while (c.info.next_scanline < c.info.image_height) {
    // libjpeg's row type is not const, but the compressor only reads the rows.
    JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + row_bytes * c.info.next_scanline);
    jpeg_write_scanlines(&c.info, &row, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

}  // namespace

std::string EncodeJpeg(const RgbImage& image, const JpegStorage& storage) {
  RequireConsistent(image);
  if (image.pixels.empty()) return {};
  // A photograph at quality 90 takes well under a byte per pixel.
  Compressor compressor(std::max<size_t>(size_t{1} << 16, image.pixels.size() / 3));
  if (!RunEncoder(compressor, image, storage)) throw JpegError(compressor.error.manager.msg_code);
  return std::string(reinterpret_cast<const char*>(compressor.buffer), compressor.size);
}

}  // namespace montrelle
