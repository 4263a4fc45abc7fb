#include "imagelist/picture_kind.h"

#include <algorithm>
#include <array>
#include <string>

#include "imagelist/string_routines.h"
#include "platform/path_text.h"

namespace montrelle {
namespace {

bool HasLibraryExtension(std::string_view path) {
  const std::string name = LastComponent(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot);
  // ASCII letters only: the locale must not change what a name is.
  std::ranges::transform(extension, extension.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  });
  constexpr std::array<std::string_view, 6> kExtensions = {".heic", ".heif", ".hif",
                                                           ".avif", ".png",  ".webp"};
  return std::ranges::find(kExtensions, extension) != kExtensions.end();
}

}  // namespace

PictureKinds KindsOf(std::string_view path) {
  if (HasLibraryExtension(path)) return {.library = true};
  // ".jpeg" needs its own test: it does not contain ".jpg".
  return {.jpeg = ContainsAny(path, {".jpg", ".jpeg", ".JPG", ".JPEG"}),
          .bitmap = ContainsAny(path, {".bmp", ".BMP"})};
}

bool IsAcceptedKind(const PictureKinds& kinds) {
  return kinds.jpeg || kinds.bitmap;
}

}  // namespace montrelle
