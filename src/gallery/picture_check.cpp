#include "gallery/picture_check.h"

#include "imaging/library_pictures.h"
#include "imaging/picture_header.h"
#include "platform/file_error.h"

namespace montrelle {

ListedPictureError::ListedPictureError(int entry, const std::string& text)
    : AppError(std::to_string(entry) + " 番目の画像: " + text), entry_(entry) {}

ListedPictureError::ListedPictureError(int entry, const std::string& path, const AppError& error)
    : ListedPictureError(entry, NamingFile(error, path).what()) {}

PictureSizes CheckListedPictures(const GenerationContext& context, const ImageFileList& list) {
  PictureSizes sizes;
  for (int i = 0; i < list.count(); ++i) {
    const std::string& path = list.paths()[i];
    const PictureKinds& kinds = context.entries.at(static_cast<size_t>(i)).kinds;
    std::optional<ImageSize> size;
    try {
      if (kinds.library) size = ReadLibraryPictureSize(path, *kinds.library);
      // A name of both kinds is made as both, so both headers must read; its
      // size is the JPEG's.
      if (kinds.jpeg) size = ReadJpegSize(path);
      if (kinds.bitmap) {
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
