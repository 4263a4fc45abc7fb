#include "gallery/picture_check.h"

#include "imagelist/picture_kind.h"
#include "imaging/picture_header.h"
#include "platform/file_error.h"

namespace montrelle {

ListedPictureError::ListedPictureError(int entry, const std::string& path, const AppError& error)
    : AppError(std::to_string(entry) + " 番目の画像: " + NamingFile(error, path).what()),
      entry_(entry) {}

void CheckListedPictures(const ImageFileList& list) {
  for (int i = 0; i < list.count(); ++i) {
    const std::string& path = list.paths()[i];
    try {
      if (IsJpegPath(path)) ReadJpegSize(path);
      if (IsBitmapPath(path)) ReadBitmapSize(path);
    } catch (const AppError& error) {
      throw ListedPictureError(i + 1, path, error);
    }
  }
}

}  // namespace montrelle
