#include "gallery/readable_colors.h"

#include <gtest/gtest.h>

namespace montrelle {
namespace {

// Expected colours found apart from this code: the lightest (or darkest) value of
// the hue whose WCAG contrast reaches 4.5.
TEST(ReadableColor, SameHueNearestLightnessThatReachesTheContrast) {
  const struct {
    const char *color, *background, *readable;
  } cases[] = {
      {"#0000FF", "#FFFFFF", "#0000FF"},    // 8.6:1 already
      {"#ffff00", "#FFFFFF", "#7A7A00"},    // yellow darkened
      {"#111111", "#000000", "#757575"},    // lightened on black
      {"#FF0000", "#FFFFFFFF", "#FF0000"},  // not a colour of ours: as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadableColor(c.color, c.background), c.readable)
        << c.color << " on " << c.background;
  }
}

}  // namespace
}  // namespace montrelle
