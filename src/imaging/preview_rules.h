// The rules behind the preview window, apart from any window: which entry the
// grid's selection names, how a picture is fitted into the 156 x 116 picture area,
// and how the orientation controls and the comment editor turn into entry texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace montrelle {

// The picture area of the preview window.
inline constexpr int kPreviewWidth = 156;
inline constexpr int kPreviewHeight = 116;

// A selection of grid rows `top`..`bottom` names an entry only when the list has
// one, the selection starts at row 1 or below and ends at the last entry or above.
// The entry it names is the top row; any other selection names none, and the
// preview then neither shows nor writes anything.
bool IsValidSelection(int top, int bottom, int count);

// The width at which a picture of `width` x `height` (as shown, after any quarter
// turn) fits the picture area: the area's width when the picture is at least as wide
// in proportion, otherwise 116 * width / height truncated. Exact for every size,
// computed in 64 bits.
int FitPreviewWidth(int width, int height);

// Whether field `field` (1 mirror, 2 flip) of an orientation triple switches its
// box on: anything but exactly "0".
bool OrientationFlagOn(std::string_view orientation, int field);

// The rotation item (0..3) the third field chooses: above 3 chooses 3, below 0
// none (-1). Throws "'%s' は整数ではありません" when the field is no integer.
int RotationItem(std::string_view orientation);

// The triple written from the controls: "1" or "0" for each box, then the item
// index in decimal (-1 when no item is chosen).
std::string OrientationText(bool mirror, bool flip, int rotation_item);

// The comment of an editor's lines: joined with nothing between them, since a
// comment is one line of the list file and of the pages.
std::string JoinCommentLines(const std::vector<std::string>& lines);

}  // namespace montrelle
