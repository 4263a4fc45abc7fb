#include "imagelist/picture_kind.h"

#include "imagelist/string_routines.h"

namespace montrelle {

bool IsJpegPath(std::string_view path) {
  // ".jpeg" needs its own test: it does not contain ".jpg".
  return ContainsAny(path, {".jpg", ".jpeg", ".JPG", ".JPEG"});
}

bool IsBitmapPath(std::string_view path) {
  return ContainsAny(path, {".bmp", ".BMP"});
}

}  // namespace montrelle
