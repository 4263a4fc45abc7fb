#include "imagelist/picture_kind.h"

#include <initializer_list>

namespace montrelle {
namespace {

bool ContainsAny(std::string_view path, std::initializer_list<std::string_view> markers) {
  for (std::string_view marker : markers) {
    if (path.find(marker) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace

bool IsJpegPath(std::string_view path) {
  // ".jpeg" needs its own test: it does not contain ".jpg".
  return ContainsAny(path, {".jpg", ".jpeg", ".JPG", ".JPEG"});
}

bool IsBitmapPath(std::string_view path) {
  return ContainsAny(path, {".bmp", ".BMP"});
}

}  // namespace montrelle
