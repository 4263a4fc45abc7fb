// Which kinds of picture a path names, decided by KindsOf alone.
//
// JPEG and BMP keep the program's first rules: case-sensitive substring tests on
// the whole path (folders included), never a parsed extension, so "photo.Jpg" is
// neither kind, a file in a folder "scans.bmp" counts as a bitmap, and a path may
// be of both kinds. The kinds read through a picture library (HEIF ".heic" ".heif"
// ".hif", AVIF ".avif", PNG ".png", WebP ".webp") go by the last extension of the
// file name in any letter case; such a file names what it holds, so it is of that
// kind alone, wherever it lies ("scans.bmp/x.png" is no bitmap).
#pragma once

#include <optional>
#include <string_view>

namespace montrelle {

// The kinds a picture library reads.
enum class LibraryFormat {
  kHeif,  // HEIC and AVIF
  kPng,
  kWebp,
};

struct PictureKinds {
  bool jpeg = false;
  bool bitmap = false;
  // Decoded by a picture library and always published as the program's JPEG.
  std::optional<LibraryFormat> library;

  bool any() const { return jpeg || bitmap || library; }
  bool operator==(const PictureKinds&) const = default;
};

PictureKinds KindsOf(std::string_view path);

}  // namespace montrelle
