#include "imaging/orientation.h"

#include <gtest/gtest.h>

#include <functional>

#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::CoordinatePicture;

TEST(ParseOrientation, ReadsTheThreeFields) {
  const struct {
    const char* text;
    bool mirror, flip;
    int rotation;
  } cases[] = {
      {"0\t0\t0", false, false, 0},
      {"1\t0\t0", true, false, 0},
      {"0\t1\t2", false, true, 2},
      {"x\t0\t1", true, false, 1},
      {"2\t\t3", true, true, 3},
      {"0\t0\t00", false, false, 0},
      {"0\t0\t+1", false, false, 1},
      // Two fields: field 3 is the last one, the "0" of the flip.
      {"1\t0", true, false, 0},
  };
  for (const auto& c : cases) {
    const Orientation o = ParseOrientation(c.text);
    EXPECT_EQ(o.mirror, c.mirror) << c.text;
    EXPECT_EQ(o.flip, c.flip) << c.text;
    EXPECT_EQ(o.rotation, c.rotation) << c.text;
  }
}

TEST(ParseOrientation, RefusesARotationThatIsNoneOfTheFour) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      // An empty text means mirror and flip but has no rotation.
      {"", "'' は整数ではありません"},
      {"0\t0\t", "'' は整数ではありません"},
      {"0\t0\t1.0", "'1.0' は整数ではありません"},
      {"0\t0\t 1", "' 1' は整数ではありません"},
      {"0\t0\t4", "'4' は画像の回転 (0～3) ではありません"},
      {"0\t0\t-1", "'-1' は画像の回転 (0～3) ではありません"},
      {"0\t0\t99999999999", "'99999999999' は整数ではありません"},
  };
  for (const auto& c : cases) {
    testing::ExpectAppError([&] { ParseOrientation(c.text); }, c.error, c.text);
  }
}

// The three steps written as coordinate maps, each output pixel fetched from the
// step's input: an independent statement of what ApplyOrientation must do.
RgbImage Reference(const RgbImage& in, int rl, int ud, int rotation) {
  using Map = std::function<std::pair<int, int>(int x, int y, int w, int h)>;
  auto step = [](const RgbImage& from, bool swap, const Map& source) {
    RgbImage out{swap ? from.height : from.width, swap ? from.width : from.height, {}};
    for (int y = 0; y < out.height; ++y) {
      for (int x = 0; x < out.width; ++x) {
        auto [sx, sy] = source(x, y, from.width, from.height);
        for (int v : testing::PixelOf(from, sx, sy))
          out.pixels.push_back(static_cast<std::uint8_t>(v));
      }
    }
    return out;
  };
  RgbImage a = in;
  if (rl) a = step(a, false, [](int x, int y, int w, int) { return std::pair(w - 1 - x, y); });
  if (ud) a = step(a, false, [](int x, int y, int, int h) { return std::pair(x, h - 1 - y); });
  if (rotation == 1)
    a = step(a, true, [](int x, int y, int w, int) { return std::pair(w - 1 - y, x); });
  if (rotation == 2)
    a = step(a, true, [](int x, int y, int, int h) { return std::pair(y, h - 1 - x); });
  if (rotation == 3) {
    a = step(a, false, [](int x, int y, int w, int h) { return std::pair(w - 1 - x, h - 1 - y); });
  }
  return a;
}

std::string Triple(int rl, int ud, int rotation) {
  return std::to_string(rl) + "\t" + std::to_string(ud) + "\t" + std::to_string(rotation);
}

TEST(ApplyOrientation, EveryTripleMatchesTheStepFormulas) {
  for (auto [w, h] :
       {std::pair(4, 3), std::pair(5, 2), std::pair(1, 3), std::pair(3, 1), std::pair(1, 1)}) {
    const RgbImage source = CoordinatePicture(w, h);
    for (int rl = 0; rl < 2; ++rl) {
      for (int ud = 0; ud < 2; ++ud) {
        for (int rotation = 0; rotation < 4; ++rotation) {
          EXPECT_EQ(ApplyOrientation(source, Triple(rl, ud, rotation)),
                    Reference(source, rl, ud, rotation))
              << w << "x" << h << " " << rl << ud << rotation;
        }
      }
    }
  }
}

TEST(ApplyOrientation, CombinationsThatAreOtherTurns) {
  const RgbImage source = CoordinatePicture(4, 3);
  // Mirror, flip and a half turn cancel out.
  EXPECT_EQ(ApplyOrientation(source, "1\t1\t3"), source);
  // Mirror and flip alone are a half turn.
  EXPECT_EQ(ApplyOrientation(source, "1\t1\t0"), ApplyOrientation(source, "0\t0\t3"));

  // Mirror and rotation 1: the transpose, out(x, y) = in(y, x).
  const RgbImage transpose = ApplyOrientation(source, "1\t0\t1");
  ASSERT_EQ(transpose.width, 3);
  ASSERT_EQ(transpose.height, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(testing::PixelOf(transpose, x, y), testing::PixelOf(source, y, x));
  }

  // Rotations 1 and 2 are half turns of each other.
  EXPECT_EQ(ApplyOrientation(ApplyOrientation(source, "0\t0\t1"), "0\t0\t3"),
            ApplyOrientation(source, "0\t0\t2"));
  // A quarter turn one way undoes the other.
  EXPECT_EQ(ApplyOrientation(ApplyOrientation(source, "0\t0\t1"), "0\t0\t2"), source);
}

TEST(ApplyOrientation, AnEmptyPictureStaysEmpty) {
  EXPECT_EQ(ApplyOrientation(RgbImage{}, "1\t1\t1"), RgbImage{});
  EXPECT_EQ(ApplyOrientation(RgbImage{0, 5, {}}, "0\t0\t2"), (RgbImage{5, 0, {}}));
}

}  // namespace
}  // namespace montrelle
