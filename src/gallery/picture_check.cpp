#include "gallery/picture_check.h"

#include "imagelist/picture_kind.h"
#include "imaging/picture_header.h"
#include "platform/file_error.h"

namespace montrelle {

ListedPictureError::ListedPictureError(int entry, const std::string& path, const AppError& error)
    : AppError(std::to_string(entry) + " 番目の画像: " + NamingFile(error, path).what()),
      entry_(entry) {}

PictureSizes CheckListedPictures(const ImageFileList& list) {
  PictureSizes sizes;
  for (int i = 0; i < list.count(); ++i) {
    const std::string& path = list.paths()[i];
    std::optional<ImageSize> size;
    try {
      // A name of both kinds is made as both, so both headers must read; its
      // size is the JPEG's.
      if (IsJpegPath(path)) size = ReadJpegSize(path);
      if (IsBitmapPath(path)) {
        const ImageSize bitmap = ReadBitmapSize(path);
        if (!size) size = bitmap;
      }
    } catch (const AppError& error) {
      throw ListedPictureError(i + 1, path, error);
    }
    sizes.push_back(size);
  }
  return sizes;
}

}  // namespace montrelle
