#include "imaging/jpeg_codec.h"

#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::CoordinatePicture;
using testing::ExpectAppError;
using testing::JpegHeaderSegments;
using testing::PlainPicture;

// The luminance table of the JPEG standard (Annex K.1), in natural order.
constexpr int kStandardLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Quality 90 scales the table by 20 %, rounded, kept within 1..255.
std::string Quality90LuminanceInFileOrder() {
  std::string table;
  for (int i : kZigzag) {
    const int q = (kStandardLuminance[i] * 20 + 50) / 100;
    table += static_cast<char>(q < 1 ? 1 : q);
  }
  return table;
}

TEST(EncodeJpeg, WritesABaselineJfifAtQuality90) {
  const std::string jpeg = EncodeJpeg(CoordinatePicture(37, 21));
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");

  const auto segments = JpegHeaderSegments(jpeg);
  std::vector<int> markers;
  for (const auto& s : segments) markers.push_back(s.marker);
  // JFIF, two quantisation tables, baseline frame, four Huffman tables, one scan.
  EXPECT_EQ(markers, (std::vector<int>{0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA}));

  EXPECT_EQ(segments[0].body.substr(0, 5), std::string("JFIF\0", 5));
  // Table 0, 8-bit entries.
  EXPECT_EQ(segments[1].body, std::string(1, '\0') + Quality90LuminanceInFileOrder());
  // 8-bit samples, 21 rows, 37 columns, three components: Y at 2x2, Cb and Cr at 1x1.
  EXPECT_EQ(segments[3].body, std::string("\x08\x00\x15\x00\x25\x03"
                                          "\x01\x22\x00\x02\x11\x01\x03\x11\x01",
                                          15));
}

TEST(EncodeJpeg, AnEmptyPictureGivesNoBytes) {
  EXPECT_EQ(EncodeJpeg(RgbImage{}), "");
  EXPECT_EQ(EncodeJpeg(RgbImage{80, 0, {}}), "");
  EXPECT_EQ(EncodeJpeg(RgbImage{0, 80, {}}), "");
}

TEST(EncodeJpeg, ASideBeyondTheLibraryLimitIsAJpegError) {
  ExpectAppError([] { EncodeJpeg(PlainPicture(65501, 1, 0, 0, 0)); },
                 "JPEG エラー #" + std::to_string(JERR_IMAGE_TOO_BIG));
}

TEST(DecodeJpeg, RoundTripKeepsSizeAndChannelOrder) {
  const struct {
    std::uint8_t r, g, b;
  } colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {30, 140, 220}};
  for (const auto& c : colours) {
    const RgbImage decoded = DecodeJpeg(EncodeJpeg(PlainPicture(33, 17, c.r, c.g, c.b)));
    ASSERT_EQ(decoded.width, 33);
    ASSERT_EQ(decoded.height, 17);
    ASSERT_EQ(decoded.pixels.size(), 33u * 17 * 3);
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 33; ++x) {
        const auto p = testing::PixelOf(decoded, x, y);
        EXPECT_NEAR(p[0], c.r, 3);
        EXPECT_NEAR(p[1], c.g, 3);
        EXPECT_NEAR(p[2], c.b, 3);
      }
    }
  }
}

TEST(DecodeJpeg, AGreyPictureGivesThreeEqualChannels) {
  const RgbImage decoded = DecodeJpeg(testing::GreyJpeg(10, 6));
  EXPECT_EQ(decoded, PlainPicture(10, 6, 90, 90, 90));
}

TEST(DecodeJpeg, AFileCutShortDecodesAsFarAsItGoes) {
  // Two rows of 16 x 16 units; the cut falls in the data of the lower one.
  const std::string jpeg = EncodeJpeg(CoordinatePicture(64, 32));
  const size_t data = jpeg.find("\xFF\xDA");
  ASSERT_NE(data, std::string::npos);
  const RgbImage full = DecodeJpeg(jpeg);
  const RgbImage cut = DecodeJpeg(jpeg.substr(0, data + (jpeg.size() - data) * 3 / 4));
  ASSERT_EQ(cut.width, 64);
  ASSERT_EQ(cut.height, 32);
  ASSERT_EQ(cut.pixels.size(), full.pixels.size());
  // Rows well inside the upper unit row came before the cut (its last rows also
  // draw on the chroma of the row below).
  const size_t top = 64 * 8 * 3;
  EXPECT_TRUE(std::equal(full.pixels.begin(), full.pixels.begin() + top, cut.pixels.begin()));
  EXPECT_NE(cut, full);
}

TEST(DecodeJpeg, FatalLibraryErrorsCarryTheMessageCode) {
  const struct {
    std::string bytes;
    int code;
  } cases[] = {
      {"", JERR_INPUT_EMPTY},
      {"not a picture", JERR_NO_SOI},
      {"\xFF\xD8\xFF\xD9", JERR_NO_IMAGE},
      {testing::CmykJpeg(8, 8), JERR_CONVERSION_NOTIMPL},
      {EncodeJpeg(PlainPicture(8, 8, 1, 2, 3)).substr(0, 30), JERR_NO_IMAGE},
  };
  for (const auto& c : cases) {
    ExpectAppError([&] { DecodeJpeg(c.bytes); }, "JPEG エラー #" + std::to_string(c.code));
  }
  ExpectAppError([] { JpegSizeOf(""); }, "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY));
}

TEST(DecodeJpeg, APictureBeyondTheBudgetIsRefusedFromItsHeader) {
  const std::string jpeg = EncodeJpeg(PlainPicture(40, 30, 0, 0, 0));
  EXPECT_EQ(DecodeJpeg(jpeg, 1200).pixels.size(), 1200u * 3);
  ExpectAppError([&] { DecodeJpeg(jpeg, 1199); }, "画像が大きすぎます (幅 40、高さ 30)");
  ExpectAppError([&] { JpegSizeOf(jpeg, 1199); }, "画像が大きすぎます (幅 40、高さ 30)");
  // A header claiming 65000 x 65000 is refused at the default budget without
  // decoding anything.
  std::string huge = jpeg;
  for (size_t i = 0; i + 8 < huge.size(); ++i) {
    if (huge.compare(i, 2, "\xFF\xC0") == 0) {
      huge.replace(i + 5, 4, "\xFD\xE8\xFD\xE8");
      break;
    }
  }
  ExpectAppError([&] { DecodeJpeg(huge); }, "画像が大きすぎます (幅 65000、高さ 65000)");

  // A progressive file makes the library keep six bytes a pixel at 4:4:4 itself,
  // held to the budget's three: refused although its pixels fit.
  const std::string progressive = testing::CodedJpeg(testing::CoordinatePicture(64, 64),
                                                     {.progressive = true, .full_chroma = true});
  EXPECT_EQ(DecodeJpeg(progressive).pixels.size(), 64u * 64 * 3);
  EXPECT_EQ(DecodeJpeg(progressive, 64 * 64 * 64).pixels.size(), 64u * 64 * 3);
  ExpectAppError([&] { DecodeJpeg(progressive, 64 * 64); }, "画像が大きすぎます (幅 64、高さ 64)");
}

TEST(JpegSizeOf, ReadsTheHeader) {
  EXPECT_EQ(JpegSizeOf(EncodeJpeg(PlainPicture(37, 21, 0, 0, 0))), (ImageSize{37, 21}));
  EXPECT_EQ(JpegSizeOf(testing::GreyJpeg(5, 9)), (ImageSize{5, 9}));
}

}  // namespace
}  // namespace montrelle
