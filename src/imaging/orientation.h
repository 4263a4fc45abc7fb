// The per-picture orientation: the triple rl TAB ud TAB rotation of an image entry.
//
// Fields 1 and 2 switch the left-right mirror and the top-bottom flip on unless
// they are exactly "0" (so "1", "2", "x" and an empty field all mean on). Field 3
// is "0" for no rotation; any other text is read as a decimal integer and must be
// 1 (a quarter turn counter-clockwise), 2 (clockwise) or 3 (a half turn). A text
// that is no integer fails with "'%s' は整数ではありません" (an empty field too);
// an integer outside 0..3 fails with "'%s' は画像の回転 (0～3) ではありません",
// since no picture can be drawn for it.
#pragma once

#include <string_view>

#include "imaging/rgb_image.h"

namespace montrelle {

struct Orientation {
  bool mirror = false;
  bool flip = false;
  int rotation = 0;  // 0..3

  // Rotations 1 and 2 swap width and height.
  bool IsQuarterTurn() const { return rotation == 1 || rotation == 2; }
};

// Reads the triple; throws as described above.
Orientation ParseOrientation(std::string_view text);

// Mirror, then flip, then rotate, each on the result of the step before:
//   mirror      out(x, y) = in(W-1-x, y)
//   flip        out(x, y) = in(x, H-1-y)
//   rotation 1  out(x, y) = in(W-1-y, x), H wide and W high
//   rotation 2  out(x, y) = in(y, H-1-x), H wide and W high
//   rotation 3  out(x, y) = in(W-1-x, H-1-y)
RgbImage ApplyOrientation(RgbImage image, const Orientation& orientation);

// ParseOrientation, then the above.
RgbImage ApplyOrientation(RgbImage image, std::string_view orientation);

}  // namespace montrelle
