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

#include <string_view>

namespace montrelle {

struct PictureKinds {
  bool jpeg = false;
  bool bitmap = false;
  // Decoded by a picture library and always published as the program's JPEG.
  bool library = false;

  bool any() const { return jpeg || bitmap || library; }
  bool operator==(const PictureKinds&) const = default;
};

PictureKinds KindsOf(std::string_view path);

// Whether a picture of these kinds may enter a list (a drop, montrelle-make's IMAGE
// arguments, the batch folder scan): the program reads JPEG and BMP so far.
bool IsAcceptedKind(const PictureKinds& kinds);

}  // namespace montrelle
