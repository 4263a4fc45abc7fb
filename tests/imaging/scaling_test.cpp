#include "imaging/scaling.h"

#include <gtest/gtest.h>

#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::CoordinatePicture;

TEST(ScaledHeight, TruncatesTheExtendedPrecisionProduct) {
  const struct {
    int source_width, source_height, width;
    std::int64_t height;
  } cases[] = {
      {640, 480, 550, 412},  // 412.5
      {480, 640, 550, 733},  // 733.33
      {39, 7, 156, 27},      // 7/39 rounded to 64 bits, times 156, lies just below 28
      {40, 30, 80, 60},      // enlarged
      {1000, 10, 80, 0},     // 0.8
      {640, 480, 0, 0},     {3, 3, 5, 5}, {1, 65500, 65500, std::int64_t{65500} * 65500},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaledHeight(c.source_width, c.source_height, c.width), c.height)
        << c.source_width << "x" << c.source_height << " at " << c.width;
  }
}

// Pictures given row by row as the red value of each pixel (green 0, blue 0).
RgbImage Reds(int width, std::initializer_list<int> reds) {
  RgbImage p{width, static_cast<int>(reds.size()) / width, {}};
  for (int r : reds) p.pixels.insert(p.pixels.end(), {static_cast<std::uint8_t>(r), 0, 0});
  return p;
}

TEST(SampleToSize, TakesThePixelUnderEachOutputCentre) {
  const struct {
    RgbImage source;
    int width, height;
    RgbImage expected;
  } cases[] = {
      {Reds(2, {1, 2}), 4, 1, Reds(4, {1, 1, 2, 2})},
      {Reds(2, {1, 2}), 3, 1, Reds(3, {1, 2, 2})},
      {Reds(4, {1, 2, 3, 4}), 2, 1, Reds(2, {2, 4})},
      {Reds(3, {1, 2, 3}), 2, 1, Reds(2, {1, 3})},
      {Reds(5, {1, 2, 3, 4, 5}), 1, 1, Reds(1, {3})},
      {Reds(1, {1, 2, 3}), 1, 2, Reds(1, {1, 3})},
      {Reds(3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), 2, 2, Reds(2, {1, 3, 7, 9})},
      {Reds(2, {1, 2, 3, 4}), 3, 3, Reds(3, {1, 2, 2, 3, 4, 4, 3, 4, 4})},
      {Reds(1, {7}), 2, 2, Reds(2, {7, 7, 7, 7})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SampleToSize(c.source, c.width, c.height), c.expected) << c.width << "x" << c.height;
  }
  const RgbImage picture = CoordinatePicture(7, 5);
  EXPECT_EQ(SampleToSize(picture, 7, 5), picture);
}

TEST(ScaleToWidth, SizesAndEmptyResults) {
  const RgbImage wide = CoordinatePicture(256, 4);  // 4 / 256 * 128 is exactly 2
  const RgbImage scaled = ScaleToWidth(wide, 128);
  EXPECT_EQ(scaled, SampleToSize(wide, 128, 2));

  EXPECT_EQ(ScaleToWidth(CoordinatePicture(100, 1), 80), (RgbImage{80, 0, {}}));
  EXPECT_EQ(ScaleToWidth(CoordinatePicture(4, 3), 0), (RgbImage{0, 0, {}}));
  EXPECT_EQ(ScaleToWidth(RgbImage{}, 10), (RgbImage{10, 0, {}}));
}

TEST(ScaleToWidth, RefusesNegativeWidthsAndPicturesBeyondTheBudget) {
  const RgbImage tall = CoordinatePicture(1, 200);
  const struct {
    int width;
    const char* error;
  } cases[] = {
      {-1, "画像の幅 -1 は負の値です"},
      {-80, "画像の幅 -80 は負の値です"},
      // 200 times as high as wide: 2^22 * 200 pixels is far past the budget.
      {1 << 22, "画像が大きすぎます (幅 4194304、高さ 838860800)"},
      {2147483647, "画像が大きすぎます (幅 2147483647、高さ 429496729400)"},
  };
  for (const auto& c : cases) {
    testing::ExpectAppError([&] { ScaleToWidth(tall, c.width); }, c.error, std::to_string(c.width));
  }
}

}  // namespace
}  // namespace montrelle
