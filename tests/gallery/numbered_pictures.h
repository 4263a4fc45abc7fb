// The list the page tests build their pages from: /photos/p01.jpg, /photos/p02.jpg
// ... with no comment and the default orientation, in a folder beside nothing the
// output knows.
#pragma once

#include <string>

#include "imagelist/image_list.h"

namespace montrelle::testing {

// The name of picture `n` (from 1) without its extension: "p01" ... "p09", "p10".
inline std::string Stem(int n) {
  return (n < 10 ? "p0" : "p") + std::to_string(n);
}

inline ImageFileList NumberedPictures(int count) {
  ImageFileList list;
  for (int n = 1; n <= count; ++n) list.Append("/photos/" + Stem(n) + ".jpg", "", "0\t0\t0");
  return list;
}

}  // namespace montrelle::testing
