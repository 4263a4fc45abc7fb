#include "imaging/picture_files.h"

#include "imaging/bitmap_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_row_reader.h"
#include "imaging/library_pictures.h"
#include "imaging/orientation.h"
#include "imaging/picture_header.h"
#include "imaging/row_sampler.h"
#include "imaging/scaling.h"

namespace montrelle {

const std::string& MadePicture::Bytes() const {
  if (error) std::rethrow_exception(error);
  return bytes;
}

namespace {

std::string ReadJpegFile(const std::string& path) {
  return ReadPictureBytes(path, ReadJpegSize(path));
}

RgbImage ScaledBitmap(const RgbImage& picture, std::int32_t width, const Orientation& orientation) {
  const ImageSize size =
      ScaledSize(OrientedSize({picture.width, picture.height}, orientation), width);
  return SampleOriented(picture, orientation, size);
}

}  // namespace

std::string ScaleJpegFile(const std::string& path, std::int32_t width,
                          std::string_view orientation) {
  return ScaleJpegFileToWidths(path, {&width, 1}, orientation).front().Bytes();
}

std::vector<MadePicture> ScaleJpegFileToWidths(const std::string& path,
                                               std::span<const std::int32_t> widths,
                                               std::string_view orientation) {
  return ScaleJpegToWidths(ReadJpegFile(path), widths, orientation);
}

std::vector<MadePicture> ScaleJpegFileToWidths(const std::string& path,
                                               std::span<const std::int32_t> widths,
                                               const Orientation& orientation) {
  return ScaleJpegToWidths(ReadJpegFile(path), widths, orientation);
}

std::vector<MadePicture> ScaleJpegToWidths(std::string_view jpeg,
                                           std::span<const std::int32_t> widths,
                                           std::string_view orientation_text,
                                           std::int64_t max_pixels) {
  Orientation orientation;
  try {
    orientation = ParseOrientation(orientation_text);
  } catch (const AppError&) {
    // A picture that cannot be decoded reports that first.
    JpegRowReader(jpeg, max_pixels).ReadRows({}, {}, {});
    throw;
  }
  return ScaleJpegToWidths(jpeg, widths, orientation, max_pixels);
}

std::vector<MadePicture> ScaleJpegToWidths(std::string_view jpeg,
                                           std::span<const std::int32_t> widths,
                                           const Orientation& orientation,
                                           std::int64_t max_pixels) {
  JpegRowReader reader(jpeg, max_pixels);
  std::vector<MadePicture> made(widths.size());
  std::vector<ImageSize> sizes(widths.size());
  const ImageSize oriented = OrientedSize(reader.size(), orientation);
  for (size_t k = 0; k < widths.size(); ++k) {
    try {
      sizes[k] = ScaledSize(oriented, widths[k]);
    } catch (const AppError&) {
      made[k].error = std::current_exception();
    }
  }
  RowSampler sampler(reader.size(), orientation, sizes);
  reader.ReadRows(sampler.rows(), sampler.columns(),
                  [&](std::int32_t row, const std::uint8_t* pixels) { sampler.Take(row, pixels); });
  std::vector<RgbImage> pictures = sampler.TakeOutputs();
  for (size_t k = 0; k < widths.size(); ++k) {
    if (made[k].error) continue;
    try {
      made[k].bytes = EncodeJpeg(pictures[k]);
    } catch (const AppError&) {
      made[k].error = std::current_exception();
    }
    pictures[k] = {};
  }
  return made;
}

std::vector<MadePicture> ScaleLibraryPictureFile(
    const std::string& path, LibraryFormat format,
    std::span<const std::optional<std::int32_t>> widths, const Orientation& orientation) {
  const RgbImage picture = ReadLibraryPictureFile(path, format);
  const std::int32_t own_width = OrientedSize({picture.width, picture.height}, orientation).width;
  std::vector<MadePicture> made(widths.size());
  const bool unturned = !orientation.mirror && !orientation.flip && orientation.rotation == 0;
  for (size_t k = 0; k < widths.size(); ++k) {
    try {
      // An unturned picture at its own size is encoded as decoded: sampling it would
      // only copy every pixel into a second picture as large.
      const std::int32_t width = widths[k].value_or(own_width);
      made[k].bytes = unturned && width == own_width
                          ? EncodeJpeg(picture)
                          : EncodeJpeg(ScaledBitmap(picture, width, orientation));
    } catch (const AppError&) {
      made[k].error = std::current_exception();
    }
  }
  return made;
}

RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width,
                         std::string_view orientation_text) {
  const RgbImage picture = ReadBitmapFile(path);
  return ScaledBitmap(picture, width, ParseOrientation(orientation_text));
}

RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width,
                         const Orientation& orientation) {
  return ScaledBitmap(ReadBitmapFile(path), width, orientation);
}

RgbImage ReadBitmapFile(const std::string& path) {
  return DecodeBitmap(ReadPictureBytes(path, ReadBitmapSize(path)));
}

}  // namespace montrelle
