#include "imaging/preview_picture.h"

#include <utility>

#include "imaging/jpeg_codec.h"
#include "imaging/library_pictures.h"
#include "imaging/orientation.h"
#include "imaging/picture_files.h"
#include "imaging/picture_header.h"

namespace montrelle {
namespace {

int FittedWidth(ImageSize stored, bool quarter_turn) {
  if (quarter_turn) std::swap(stored.width, stored.height);
  return FitPreviewWidth(stored.width, stored.height);
}

// A picture the make run writes as JPEG, shown as written.
RgbImage ShownAsWritten(int width, const std::string& encoded) {
  // A picture that comes out without pixels is encoded as nothing at all.
  if (encoded.empty()) return RgbImage{width, 0, {}};
  return DecodeJpeg(encoded);
}

}  // namespace

RgbImage PreviewBitmap(const std::string& path, std::string_view orientation, bool quarter_turn) {
  return ScaleBitmapFile(path, FittedWidth(ReadBitmapSize(path), quarter_turn), orientation);
}

RgbImage PreviewJpeg(const std::string& path, std::string_view orientation, bool quarter_turn) {
  const int width = FittedWidth(ReadJpegSize(path), quarter_turn);
  return ShownAsWritten(width, ScaleJpegFile(path, width, orientation));
}

RgbImage PreviewLibraryPicture(const std::string& path, LibraryFormat format,
                               std::string_view orientation, bool quarter_turn) {
  const int width = FittedWidth(ReadLibraryPictureSize(path, format), quarter_turn);
  const Orientation turn = ParseOrientation(orientation);
  const std::optional<std::int32_t> widths[] = {width};
  return ShownAsWritten(width, ScaleLibraryPictureFile(path, format, widths, turn)[0].Bytes());
}

}  // namespace montrelle
