#include "gallery/picture_check.h"

#include "imagelist/picture_kind.h"
#include "imaging/picture_header.h"
#include "platform/codepage.h"

namespace montrelle {
namespace {

// The file errors name the file already; the decoders' own texts do not.
std::string Text(int entry, const std::string& path, const std::string& error) {
  std::string text = std::to_string(entry) + " 番目の画像: " + error;
  const std::string shown = ShownText(path);
  if (error.find(shown) == std::string::npos) text += ": " + shown;
  return text;
}

}  // namespace

ListedPictureError::ListedPictureError(int entry, const std::string& path, const std::string& error)
    : AppError(Text(entry, path, error)), entry_(entry) {}

void CheckListedPictures(const ImageFileList& list) {
  for (int i = 0; i < list.count(); ++i) {
    const std::string& path = list.paths()[i];
    try {
      if (IsJpegPath(path)) ReadJpegSize(path);
      if (IsBitmapPath(path)) ReadBitmapSize(path);
    } catch (const AppError& error) {
      throw ListedPictureError(i + 1, path, error.what());
    }
  }
}

}  // namespace montrelle
