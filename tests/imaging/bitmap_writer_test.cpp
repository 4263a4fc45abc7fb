#include "imaging/bitmap_writer.h"

#include <gtest/gtest.h>

#include "imaging/bitmap_reader.h"
#include "imaging/test_pictures.h"

namespace montrelle {
namespace {

TEST(EncodeBitmap, WritesA24BitBottomUpFile) {
  const RgbImage picture{2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}};
  const std::string expected(
      "BM\x46\0\0\0\0\0\0\0\x36\0\0\0"              // file header: 70 bytes, data at 54
      "\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0"  // 40-byte header, 2 x 2, 1 plane, 24 bits
      "\0\0\0\0\x10\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"  // uncompressed, 16 data bytes
      "\x09\x08\x07\x0C\x0B\x0A\0\0"                        // bottom row, BGR, padded to 8
      "\x03\x02\x01\x06\x05\x04\0\0",
      70);
  EXPECT_EQ(EncodeBitmap(picture), expected);
}

TEST(EncodeBitmap, ReadsBackUnchangedWithEveryRowPadding) {
  for (int width = 1; width <= 5; ++width) {
    const RgbImage picture = testing::CoordinatePicture(width, 3);
    const std::string file = EncodeBitmap(picture);
    EXPECT_EQ(file.size(), 54 + 3 * ((width * 3 + 3) / 4 * 4)) << width;
    EXPECT_EQ(DecodeBitmap(file), picture) << width;
  }
}

TEST(EncodeBitmap, AnEmptyPictureGivesNoBytes) {
  EXPECT_EQ(EncodeBitmap(RgbImage{}), "");
  EXPECT_EQ(EncodeBitmap(RgbImage{80, 0, {}}), "");
}

}  // namespace
}  // namespace montrelle
