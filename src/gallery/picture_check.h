// The make run's look at every listed picture before it writes its first file, so
// that a picture it could not read never leaves the gallery in the folder half
// replaced: each picture is opened and its headers read (picture_header.h) by the
// kinds its path names (picture_kind.h); a path of neither kind is passed over, as
// the image steps pass it over. Damage within the pixel data shows only when the
// picture is made.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imagelist/image_list.h"
#include "imaging/rgb_image.h"
#include "platform/app_error.h"

namespace montrelle {

// The first picture that failed: "«n» 番目の画像: «error»", the file named.
class ListedPictureError : public AppError {
 public:
  ListedPictureError(int entry, const std::string& path, const AppError& error);
  // The 1-based entry, which is also its grid row.
  int entry() const { return entry_; }

 private:
  int entry_;
};

// Each entry's stored size, as its header gives it; none for a path of neither kind.
using PictureSizes = std::vector<std::optional<ImageSize>>;

// The stored size of every entry, read once so that the pages need not read the
// headers again. Throws ListedPictureError for the first entry whose picture fails.
PictureSizes CheckListedPictures(const ImageFileList& list);

}  // namespace montrelle
