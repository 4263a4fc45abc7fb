#include "imaging/jpeg_row_reader.h"

#include <gtest/gtest.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <functional>
#include <string>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_raw_rows.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::kJpegLayouts;
using testing::NoisyJpeg;

// Row (or column) choices along a side `length` long: every one, every seventh, a
// few far apart (gaps across several blocks), the first, the last, and pairs of
// neighbours.
std::vector<std::vector<std::int32_t>> Choices(std::int32_t length) {
  std::vector<std::vector<std::int32_t>> choices(3);
  for (std::int32_t at = 0; at < length; ++at) {
    choices[0].push_back(at);
    if (at % 7 == 3) choices[1].push_back(at);
    if (at % 37 == 36) choices[2].push_back(at);
  }
  choices.push_back({0});
  choices.push_back({length - 1});
  std::vector<std::int32_t> pairs;
  for (std::int32_t at = 1; at + 1 < length; at += 23) pairs.insert(pairs.end(), {at, at + 1});
  choices.push_back(pairs);
  return choices;
}

// Reads `rows` and checks the pixels of `columns` of each against a full decode.
void ExpectPixelsOfTheFullDecode(const std::string& jpeg, const RgbImage& full,
                                 const std::vector<std::int32_t>& rows,
                                 const std::vector<std::int32_t>& columns, JpegDecodePath path,
                                 const std::string& what) {
  std::vector<std::int32_t> delivered;
  JpegRowReader reader(jpeg);
  reader.ReadRows(
      rows, columns,
      [&](std::int32_t row, const std::uint8_t* pixels) {
        delivered.push_back(row);
        for (const std::int32_t x : columns) {
          const size_t at = (static_cast<size_t>(row) * full.width + x) * 3;
          ASSERT_TRUE(std::equal(pixels + x * 3, pixels + x * 3 + 3, full.pixels.begin() + at))
              << what << " row " << row << " column " << x;
        }
      },
      path);
  EXPECT_EQ(delivered, rows) << what;
}

// Both ways: the scanline path is the fall-back for every picture.
void ExpectPixelsOfTheFullDecode(const std::string& jpeg, const std::string& what) {
  const RgbImage full = DecodeJpeg(jpeg);
  for (const auto& rows : Choices(full.height)) {
    for (const auto& columns : Choices(full.width)) {
      for (const JpegDecodePath path : {JpegDecodePath::kRaw, JpegDecodePath::kScanline}) {
        ExpectPixelsOfTheFullDecode(jpeg, full, rows, columns, path, what);
      }
    }
  }
}

TEST(JpegRowReader, SampledPixelsAreThoseOfAFullDecodeInEveryLayout) {
  // Odd sizes, so that the last blocks are partly outside the picture; widths of
  // one and two, where the library repeats instead of blending; a wide one, where
  // its vector code takes over.
  for (const ImageSize size :
       {ImageSize{97, 61}, ImageSize{19, 203}, ImageSize{33, 2}, ImageSize{2, 33}, ImageSize{1, 1},
        ImageSize{4, 5}, ImageSize{517, 35}}) {
    for (const auto& layout : kJpegLayouts) {
      ExpectPixelsOfTheFullDecode(NoisyJpeg(size.width, size.height, layout),
                                  std::string(layout.name) + " " + std::to_string(size.width) +
                                      "x" + std::to_string(size.height));
    }
  }
}

// A malformed file: the scan of the last component alone comes before the scan of
// all three. The library reads it as a picture of several scans whose last scan
// names every component.
std::string LastComponentScannedFirst(const RgbImage& picture) {
  const std::string whole = testing::CodedJpeg(picture, {});
  const std::string separate = testing::CodedJpeg(picture, {.scan_per_component = true});
  const size_t last_scan = separate.rfind("\xFF\xDA");
  const size_t first_scan = whole.find("\xFF\xDA");
  return whole.substr(0, first_scan) +
         separate.substr(last_scan, separate.rfind("\xFF\xD9") - last_scan) +
         whole.substr(first_scan);
}

TEST(JpegRowReader, SampledPixelsAreThoseOfAFullDecodeInOtherCodings) {
  const RgbImage picture = testing::NoisyPicture(97, 61);
  ExpectPixelsOfTheFullDecode(testing::CodedJpeg(picture, {.restart_rows = 1}), "restarts");
  ExpectPixelsOfTheFullDecode(testing::CodedJpeg(picture, {.arithmetic = true}), "arithmetic");
  ExpectPixelsOfTheFullDecode(testing::CodedJpeg(picture, {.scan_per_component = true}),
                              "a scan per component");
  ExpectPixelsOfTheFullDecode(LastComponentScannedFirst(picture), "a component scanned twice");
}

// RawRowsAreExact of `jpeg`'s header after `edit`.
bool RawRowsExactAfter(const std::string& jpeg,
                       const std::function<void(jpeg_decompress_struct&)>& edit) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
  jpeg_read_header(&info, TRUE);
  edit(info);
  const bool exact = RawRowsAreExact(info);
  jpeg_destroy_decompress(&info);
  return exact;
}

TEST(JpegRowReader, RawComponentsOnlyWhereTheirStretchIsReproduced) {
  for (const auto& layout : kJpegLayouts) {
    const std::string name = layout.name;
    const bool reproduced = name != "4:1:1" && name != "luma 1x4" && name != "luma 3x2";
    EXPECT_EQ(RawRowsExactAfter(NoisyJpeg(16, 16, layout), [](auto&) {}), reproduced) << name;
  }
  // 12-bit and lossless pictures, which this library refuses to read, as a newer
  // library's header tells of them: the precision, and the predictor 1 of a
  // lossless scan where a sequential one gives the spectrum 0 to 63.
  const std::string jpeg = NoisyJpeg(16, 16, kJpegLayouts[3]);
  EXPECT_FALSE(RawRowsExactAfter(jpeg, [](auto& info) { info.data_precision = 12; }));
  EXPECT_FALSE(RawRowsExactAfter(jpeg, [](auto& info) {
    info.Ss = 1;
    info.Se = 0;
  }));
}

TEST(JpegRowReader, FileCutShortGivesTheRowsOfAFullDecode) {
  for (const auto& layout : kJpegLayouts) {
    const std::string jpeg = NoisyJpeg(120, 150, layout, 7);
    // Cut in the middle of the picture's data: the rest is filled as the library does.
    const std::string cut = jpeg.substr(0, jpeg.size() * 3 / 5);
    ExpectPixelsOfTheFullDecode(cut, layout.name);
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
  ExpectAppError([&] { cmyk.ReadRows({}, {}, {}); },
                 "JPEG エラー #" + std::to_string(JERR_CONVERSION_NOTIMPL));
}

}  // namespace
}  // namespace montrelle
