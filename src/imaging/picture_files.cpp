#include "imaging/picture_files.h"

#include "imaging/bitmap_reader.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/scaling.h"
#include "platform/text_file.h"

namespace montrelle {

std::string ScaleJpegFile(const std::string& path, std::int32_t width,
                          std::string_view orientation) {
  RgbImage picture = DecodeJpeg(ReadFileBytes(path));
  return EncodeJpeg(ScaleToWidth(ApplyOrientation(std::move(picture), orientation), width));
}

RgbImage ScaleBitmapFile(const std::string& path, std::int32_t width,
                         std::string_view orientation) {
  return ScaleToWidth(ApplyOrientation(ReadBitmapFile(path), orientation), width);
}

RgbImage ReadBitmapFile(const std::string& path) {
  return DecodeBitmap(ReadFileBytes(path));
}

ImageSize ReadJpegSize(const std::string& path) {
  return JpegSizeOf(ReadFileBytes(path));
}

ImageSize ReadBitmapSize(const std::string& path) {
  return BitmapSizeOf(ReadFileBytes(path));
}

}  // namespace montrelle
