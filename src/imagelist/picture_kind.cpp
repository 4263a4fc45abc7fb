#include "imagelist/picture_kind.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "imagelist/string_routines.h"
#include "platform/path_text.h"

namespace montrelle {
namespace {

std::optional<LibraryFormat> LibraryFormatOf(std::string_view path) {
  const std::string name = LastComponent(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string extension = name.substr(dot);
  // ASCII letters only: the locale must not change what a name is.
  std::ranges::transform(extension, extension.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  });
  constexpr std::array<std::pair<std::string_view, LibraryFormat>, 6> kExtensions = {{
      {".heic", LibraryFormat::kHeif},
      {".heif", LibraryFormat::kHeif},
      {".hif", LibraryFormat::kHeif},
      {".avif", LibraryFormat::kHeif},
      {".png", LibraryFormat::kPng},
      {".webp", LibraryFormat::kWebp},
  }};
  for (const auto& [known, format] : kExtensions) {
    if (extension == known) return format;
  }
  return std::nullopt;
}

}  // namespace

PictureKinds KindsOf(std::string_view path) {
  if (const auto format = LibraryFormatOf(path)) return {.library = format};
  // ".jpeg" needs its own test: it does not contain ".jpg".
  return {.jpeg = ContainsAny(path, {".jpg", ".jpeg", ".JPG", ".JPEG"}),
          .bitmap = ContainsAny(path, {".bmp", ".BMP"}),
          .library = std::nullopt};
}

}  // namespace montrelle
