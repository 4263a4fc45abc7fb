#include "imaging/area_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/jpeg_codec.h"
#include "imaging/reduced_pictures.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

// Stripes one pixel wide, black and white, across or down the picture, or both
// (a chequer board): point sampling gives only black or white.
RgbImage Stripes(int width, int height, bool across, bool down) {
  RgbImage p = MakeRgbImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool white = ((across ? x : 0) + (down ? y : 0)) % 2 == 1;
      std::fill_n(p.pixels.begin() + (y * width + x) * 3, 3, white ? 255 : 0);
    }
  }
  return p;
}

TEST(AreaReduced, FineStripesComeOutAsTheirMeanGrey) {
  const struct {
    RgbImage source;
    ImageSize size;
    int most_off;  // an output pixel covers whole pairs of stripes, or not quite
  } cases[] = {
      {Stripes(300, 200, true, false), {150, 100}, 0},
      {Stripes(300, 200, true, false), {7, 5}, 3},
      {Stripes(300, 200, false, true), {7, 5}, 3},
      {Stripes(301, 203, true, true), {10, 9}, 1},
  };
  for (const auto& c : cases) {
    const RgbImage reduced = AreaReduced(c.source, c.size);
    ASSERT_EQ(ImageSize(reduced.width, reduced.height), c.size);
    const auto [low, high] = std::minmax_element(reduced.pixels.begin(), reduced.pixels.end());
    EXPECT_GE(*low, 127 - c.most_off) << c.size.width << "x" << c.size.height;
    EXPECT_LE(*high, 128 + c.most_off) << c.size.width << "x" << c.size.height;
  }
  EXPECT_TRUE(AreaReduced(cases[0].source, {0, 4}).pixels.empty());
  // Sums down so many rows would not fit the reducer's counters.
  const ImageSize tall[] = {{1, 3}};
  EXPECT_THROW(AreaReducer({1, 17'000'000}, tall), AppError);
}

// Through the decoder's own scaling (a quarter here) and from one size to a smaller
// one the stripes stay grey; each set is offered on its own.
TEST(ReduceJpegFile, StripesComeOutGreyAtEverySize) {
  testing::TempDir dir;
  testing::WriteBytes(dir / "stripes.jpg", EncodeJpeg(Stripes(1600, 1200, true, false)));
  const std::vector<OfferedPictures> made =
      ReduceJpegFile(dir / "stripes.jpg", std::vector<WidthSet>{{400, 100, 400}, {400}}, {});
  ASSERT_EQ(made.size(), 2u);
  ASSERT_EQ(made[0].size(), 3u);
  EXPECT_FALSE(made[0][2]);
  for (const auto& [picture, size] : {std::pair{made[0][0], ImageSize{400, 300}},
                                      {made[0][1], {100, 75}},
                                      {made[1].at(0), {400, 300}}}) {
    ASSERT_TRUE(picture);
    const RgbImage decoded = DecodeJpeg(picture->Bytes());
    EXPECT_EQ(ImageSize(decoded.width, decoded.height), size);
    const auto [low, high] = std::minmax_element(decoded.pixels.begin(), decoded.pixels.end());
    EXPECT_GE(*low, 117) << size.width;
    EXPECT_LE(*high, 138) << size.width;
  }
}

TEST(OfferedWidths, NoneWiderThanThePictureNoneRepeated) {
  using Widths = std::vector<std::optional<std::int32_t>>;
  const std::int32_t main[] = {800, 400, 1600};
  EXPECT_EQ(OfferedWidths(1000, main), (Widths{800, 400, 1000}));
  EXPECT_EQ(OfferedWidths(800, main), (Widths{800, 400, std::nullopt}));
  EXPECT_EQ(OfferedWidths(160, std::vector{100, 200, 300}), (Widths{100, 160, std::nullopt}));
}

}  // namespace
}  // namespace montrelle
