#include "imaging/preview_rules.h"

#include <cstdint>

#include "imagelist/string_routines.h"
#include "platform/app_error.h"

namespace montrelle {

bool IsValidSelection(int top, int bottom, int count) {
  return count >= 1 && top >= 1 && bottom <= count;
}

int FitPreviewWidth(int width, int height) {
  const std::int64_t w = width;
  const std::int64_t h = height;
  if (kPreviewHeight * w >= kPreviewWidth * h) return kPreviewWidth;
  return static_cast<int>(kPreviewHeight * w / h);
}

bool OrientationFlagOn(std::string_view orientation, int field) {
  return NthField("\t", orientation, field) != "0";
}

int RotationItem(std::string_view orientation) {
  const int value = ParseInt32(NthField("\t", orientation, 3));
  if (value > 3) return 3;
  if (value < 0) return -1;
  return value;
}

std::string OrientationText(bool mirror, bool flip, int rotation_item) {
  return std::string(mirror ? "1" : "0") + "\t" + (flip ? "1" : "0") + "\t" +
         std::to_string(rotation_item);
}

std::string JoinCommentLines(const std::vector<std::string>& lines) {
  std::string comment;
  for (const std::string& line : lines) comment += line;
  return comment;
}

}  // namespace montrelle
