#include "imaging/jpeg_row_reader.h"

#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <string>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::kJpegLayouts;
using testing::NoisyJpeg;

// Row choices for a picture `height` rows high: every row, every seventh, a few far
// apart (gaps across several blocks of rows), the first, the last, and pairs of
// neighbours.
std::vector<std::vector<std::int32_t>> RowChoices(std::int32_t height) {
  std::vector<std::vector<std::int32_t>> choices(3);
  for (std::int32_t row = 0; row < height; ++row) {
    choices[0].push_back(row);
    if (row % 7 == 3) choices[1].push_back(row);
    if (row % 37 == 36) choices[2].push_back(row);
  }
  choices.push_back({0});
  choices.push_back({height - 1});
  std::vector<std::int32_t> pairs;
  for (std::int32_t row = 1; row + 1 < height; row += 23) pairs.insert(pairs.end(), {row, row + 1});
  choices.push_back(pairs);
  return choices;
}

// Reads `rows` and checks each against the same row of a full decode.
void ExpectRowsOfTheFullDecode(const std::string& jpeg, const std::vector<std::int32_t>& rows,
                               const std::string& what) {
  const RgbImage full = DecodeJpeg(jpeg);
  const size_t row_bytes = static_cast<size_t>(full.width) * 3;
  std::vector<std::int32_t> delivered;
  JpegRowReader reader(jpeg);
  reader.ReadRows(rows, [&](std::int32_t row, const std::uint8_t* pixels) {
    delivered.push_back(row);
    const std::uint8_t* expected = full.pixels.data() + row_bytes * static_cast<size_t>(row);
    EXPECT_TRUE(std::equal(pixels, pixels + row_bytes, expected)) << what << " row " << row;
  });
  EXPECT_EQ(delivered, rows) << what;
}

TEST(JpegRowReader, RowsAfterSkipsAreThoseOfAFullDecodeInEveryLayout) {
  // Odd sizes, so that the last blocks are partly outside the picture.
  for (const ImageSize size : {ImageSize{97, 61}, ImageSize{19, 203}, ImageSize{33, 2},
                               ImageSize{2, 33}, ImageSize{1, 1}}) {
    for (const auto& layout : kJpegLayouts) {
      const std::string jpeg = NoisyJpeg(size.width, size.height, layout);
      for (const auto& rows : RowChoices(size.height)) {
        ExpectRowsOfTheFullDecode(jpeg, rows,
                                  std::string(layout.name) + " " + std::to_string(size.width) +
                                      "x" + std::to_string(size.height));
      }
    }
  }
}

TEST(JpegRowReader, FileCutShortGivesTheRowsOfAFullDecode) {
  for (const auto& layout : kJpegLayouts) {
    const std::string jpeg = NoisyJpeg(120, 150, layout, 7);
    // Cut in the middle of the picture's data: the rest is filled as the library does.
    const std::string cut = jpeg.substr(0, jpeg.size() * 3 / 5);
    for (const auto& rows : RowChoices(150)) {
      ExpectRowsOfTheFullDecode(cut, rows, layout.name);
    }
  }
}

TEST(JpegRowReader, SizeFromTheHeaderAndErrors) {
  EXPECT_EQ(JpegRowReader(NoisyJpeg(21, 13, kJpegLayouts[0])).size(), (ImageSize{21, 13}));
  EXPECT_EQ(DecodeJpeg(NoisyJpeg(21, 13, kJpegLayouts[0])).pixels.size(), 21u * 13 * 3);

  ExpectAppError([] { JpegRowReader reader(""); },
                 "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY));
  ExpectAppError([] { JpegRowReader reader(NoisyJpeg(21, 13, kJpegLayouts[0]), 21 * 13 - 1); },
                 "画像が大きすぎます (幅 21、高さ 13)");
  // A picture that cannot become RGB fails when decoding starts, even without rows.
  JpegRowReader cmyk(testing::CmykJpeg(8, 8));
  ExpectAppError([&] { cmyk.ReadRows({}, {}); },
                 "JPEG エラー #" + std::to_string(JERR_CONVERSION_NOTIMPL));
}

}  // namespace
}  // namespace montrelle
