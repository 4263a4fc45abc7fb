#include <string>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_decoder_choice.h"
#include "imaging/jpeg_error_jump.h"
#include "imaging/jpeg_raw_rows.h"
#include "imaging/jpeg_row_reader.h"

#include <jerror.h>

namespace montrelle {

namespace {

// The library jumps back into these frames on a fatal error: they hold no object
// with a destructor, and each returns false after such an error.

// Progressive and multi-scan files make libjpeg keep the whole picture's
// coefficients, two bytes a sample, beside the rows we read. Its own memory is held
// to the bytes of the picture budget as well: beyond that the library would need a
// backing store, which this build has not, and fails before allocating
// (JERR_NO_BACKING_STORE), so a small file that claims a huge picture cannot take
// gigabytes.
long LibraryMemoryLimit(std::int64_t max_pixels) {
  return static_cast<long>(max_pixels * 3);
}

bool ReadHeader(JpegDecompressor& d, std::string_view bytes, std::int64_t max_pixels) {
  if (setjmp(d.error.jump) != 0) return false;
  jpeg_create_decompress(&d.info);
  d.info.mem->max_memory_to_use = LibraryMemoryLimit(max_pixels);
  jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.info, TRUE);
  return true;
}

bool Start(JpegDecompressor& d) {
  if (setjmp(d.error.jump) != 0) return false;
  d.info.out_color_space = JCS_RGB;
  d.info.dct_method = JDCT_FLOAT;
  jpeg_start_decompress(&d.info);
  return true;
}

// Memory input never suspends, so a read or skip always moves on by what was asked;
// the checks only guard against a loop forever.

bool ReadInto(JpegDecompressor& d, std::uint8_t* pixels) {
  if (setjmp(d.error.jump) != 0) return false;
  const size_t row_bytes = size_t{d.info.output_width} * 3;
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = pixels + row_bytes * d.info.output_scanline;
    if (jpeg_read_scanlines(&d.info, &row, 1) != 1) break;
  }
  return true;
}

// Whether jpeg_skip_scanlines leaves the rows after a skip as a full decode gives
// them. It does when no component is stretched vertically, or when it is stretched
// by the library's fancy upsampling, which looks at the neighbouring rows: twice
// in height, at the same width or twice the width (the latter only over more than
// two samples, below which the library stretches by plain repetition). Other
// stretches (plain repetition, three or four times in height) deliver wrong rows
// after a skip, and so do pictures whose components are all stored at full height
// in iMCU rows of more than one block row (a grey picture sampled 2 x 2, all
// components 1 x 2): such pictures are read row by row throughout.
bool SkipIsExact(const jpeg_decompress_struct& info) {
  bool stretched = false;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    if (component.v_samp_factor == info.max_v_samp_factor) continue;
    if (component.v_samp_factor * 2 != info.max_v_samp_factor) return false;
    const bool same_width = component.h_samp_factor == info.max_h_samp_factor;
    const bool half_width =
        component.h_samp_factor * 2 == info.max_h_samp_factor && component.downsampled_width > 2;
    if (!same_width && !half_width) return false;
    stretched = true;
  }
  return stretched || info.max_v_samp_factor == 1;
}

bool ReadSome(JpegDecompressor& d, std::span<const std::int32_t> rows, std::uint8_t* scratch,
              const JpegRowReader::RowSink& sink) {
  if (setjmp(d.error.jump) != 0) return false;
  const bool skip = SkipIsExact(d.info);
  JSAMPROW row = scratch;
  for (std::int32_t wanted : rows) {
    const auto at = static_cast<JDIMENSION>(wanted);
    if (skip && at > d.info.output_scanline) {
      jpeg_skip_scanlines(&d.info, at - d.info.output_scanline);
    }
    while (d.info.output_scanline < at && jpeg_read_scanlines(&d.info, &row, 1) == 1) {
    }
    if (d.info.output_scanline != at || jpeg_read_scanlines(&d.info, &row, 1) != 1) break;
    sink(wanted, scratch);
  }
  return true;
}

// Every row in turn, each handed to `sink`.
bool ReadEach(JpegDecompressor& d, std::uint8_t* scratch, const JpegRowReader::RowSink& sink) {
  if (setjmp(d.error.jump) != 0) return false;
  JSAMPROW row = scratch;
  while (d.info.output_scanline < d.info.output_height) {
    const auto at = static_cast<std::int32_t>(d.info.output_scanline);
    if (jpeg_read_scanlines(&d.info, &row, 1) != 1) break;
    sink(at, scratch);
  }
  return true;
}

// Raw output (see jpeg_raw_rows.h): each iMCU row is read once the rows before it
// and its own sampled rows ask for it.
bool ReadRaw(JpegDecompressor& d, RawRows& raw, std::span<const std::int32_t> rows,
             std::uint8_t* scratch, const JpegRowReader::RowSink& sink) {
  if (setjmp(d.error.jump) != 0) return false;
  raw.Attach(d.info);
  const JDIMENSION lines = static_cast<JDIMENSION>(d.info.max_v_samp_factor) * DCTSIZE;
  for (std::int32_t wanted : rows) {
    const JDIMENSION needed = raw.ImcuRowsFor(wanted);
    while (d.info.output_iMCU_row < needed) {
      if (jpeg_read_raw_data(&d.info, raw.BuffersFor(d.info.output_iMCU_row), lines) != lines) {
        return true;
      }
    }
    raw.MakeRow(wanted, scratch);
    sink(wanted, scratch);
  }
  return true;
}

// The error of a fatal library failure: the library running out of the memory it
// may use means the picture is too large.
AppError LibraryError(const JpegDecompressor& d, ImageSize size) {
  if (d.error.manager.msg_code == JERR_NO_BACKING_STORE) {
    return ImageTooLargeError(size.width, size.height);
  }
  return JpegError(d.error.manager.msg_code);
}

}  // namespace

JpegRowReader::JpegRowReader(std::string_view bytes, std::int64_t max_pixels)
    : decompressor_(std::make_unique<JpegDecompressor>()) {
  JpegDecompressor& d = *decompressor_;
  if (!ReadHeader(d, bytes, max_pixels)) throw JpegError(d.error.manager.msg_code);
  size_ = HeaderSize(d, max_pixels);
}

JpegRowReader::~JpegRowReader() = default;

void JpegRowReader::ReadRows(std::span<const std::int32_t> rows,
                             std::span<const std::int32_t> columns, const RowSink& sink) {
  ReadRows(rows, columns, sink, ProcessJpegDecoder().path);
}

void JpegRowReader::ReadRows(std::span<const std::int32_t> rows,
                             std::span<const std::int32_t> columns, const RowSink& sink,
                             JpegDecodePath path) {
  JpegDecompressor& d = *decompressor_;
  std::vector<std::uint8_t> scratch(size_t{d.info.image_width} * 3);
  if (path == JpegDecodePath::kRaw && RawRowsAreExact(d.info)) {
    RawRows raw(d.info, rows, columns);
    d.info.raw_data_out = TRUE;
    if (!Start(d) || !ReadRaw(d, raw, rows, scratch.data(), sink)) throw LibraryError(d, size_);
    return;
  }
  if (!Start(d)) throw LibraryError(d, size_);
  if (!ReadSome(d, rows, scratch.data(), sink)) throw LibraryError(d, size_);
}

RgbImage JpegRowReader::ReadAll() {
  JpegDecompressor& d = *decompressor_;
  if (!Start(d)) throw LibraryError(d, size_);
  RgbImage image;
  image.width = size_.width;
  image.height = size_.height;
  image.pixels.resize(size_t{d.info.output_width} * 3 * d.info.output_height);
  if (!ReadInto(d, image.pixels.data())) throw LibraryError(d, size_);
  return image;
}

void JpegRowReader::ReadAllAtLeast(ImageSize least, const std::function<void(ImageSize)>& start,
                                   const RowSink& sink) {
  JpegDecompressor& d = *decompressor_;
  constexpr int kEighths = 8;
  const auto scaled = [](std::int64_t side, int eighths) {
    return (side * eighths + kEighths - 1) / kEighths;
  };
  int eighths = 1;
  while (eighths < kEighths && (scaled(size_.width, eighths) < least.width ||
                                scaled(size_.height, eighths) < least.height)) {
    eighths *= 2;
  }
  d.info.scale_num = static_cast<unsigned int>(eighths);
  d.info.scale_denom = kEighths;
  if (!Start(d)) throw LibraryError(d, size_);
  start({static_cast<std::int32_t>(d.info.output_width),
         static_cast<std::int32_t>(d.info.output_height)});
  std::vector<std::uint8_t> scratch(size_t{d.info.output_width} * 3);
  if (!ReadEach(d, scratch.data(), sink)) throw LibraryError(d, size_);
}

ImageSize HeaderSize(const JpegDecompressor& d, std::int64_t max_pixels) {
  // libjpeg limits each side to 65500, so both fit an int32.
  const ImageSize size = {static_cast<std::int32_t>(d.info.image_width),
                          static_cast<std::int32_t>(d.info.image_height)};
  if (std::int64_t{size.width} * size.height > max_pixels) {
    throw ImageTooLargeError(size.width, size.height);
  }
  return size;
}

AppError JpegError(int message_code) {
  return AppError("JPEG エラー #" + std::to_string(message_code));
}

RgbImage DecodeJpeg(std::string_view bytes, std::int64_t max_pixels) {
  return JpegRowReader(bytes, max_pixels).ReadAll();
}

ImageSize JpegSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  return JpegRowReader(bytes, max_pixels).size();
}

}  // namespace montrelle
