// One entry of the list as a make run makes it, decided once before anything is
// written: the kinds its path names, its orientation read, and the names of the
// files made of it. The image steps, the page writers and the checks before the
// first write all take these rather than looking at the path or the triple again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imagelist/picture_kind.h"
#include "imaging/orientation.h"

namespace montrelle {

struct ListedEntry {
  PictureKinds kinds;
  Orientation orientation;  // no turn for a path of no kind, whose triple nothing reads
  // Its reduced and main image as JPEG: a JPEG's own name, a library kind's name
  // with the last extension replaced by ".jpg". What a bitmap's question looks at.
  std::string image_name;
  // A bitmap's reduced and main image: its own name, or the ".jpg" name with
  // `jpegconvert`.
  std::string bitmap_name;
  std::string page_name;  // its picture page in src_files: the ".htm" name

  // The names of its reduced and main images, one per picture made (a path of
  // both old kinds is made twice).
  std::vector<std::string> ImageNames() const;
};

// Throws AppError when a picture's triple is not one of the four turns
// (orientation.h).
ListedEntry ListEntry(const std::string& path, std::string_view orientation, bool jpegconvert);

}  // namespace montrelle
