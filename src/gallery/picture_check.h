// The make run's look at every listed picture before it writes its first file, so
// that a picture it could not read never leaves the gallery in the folder half
// replaced: each picture is opened and its headers read (picture_header.h) by the
// kinds its entry holds (listed_entry.h); a path of no kind is passed over, as the
// image steps pass it over. Damage within the pixel data shows only when the
// picture is made.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gallery/generation_context.h"
#include "imagelist/image_list.h"
#include "imaging/rgb_image.h"
#include "platform/app_error.h"

namespace montrelle {

// What stops a run at one entry before anything is written: "«n» 番目の画像: «text»".
class ListedPictureError : public AppError {
 public:
  ListedPictureError(int entry, const std::string& text);
  // The picture's own error, with the file named.
  ListedPictureError(int entry, const std::string& path, const AppError& error);
  // The 1-based entry, which is also its grid row.
  int entry() const { return entry_; }

 private:
  int entry_;
};

// Each entry's stored size, as its header gives it; none for a path of no kind.
using PictureSizes = std::vector<std::optional<ImageSize>>;

// The stored size of every entry, read once so that the pages need not read the
// headers again (a picture library's size is the picture's as it enters: turned
// and cropped by its container). Throws ListedPictureError for the first entry
// whose picture fails.
PictureSizes CheckListedPictures(const GenerationContext& context, const ImageFileList& list);

}  // namespace montrelle
