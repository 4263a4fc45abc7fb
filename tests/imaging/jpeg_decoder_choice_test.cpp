#include "imaging/jpeg_decoder_choice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_self_check.h"

namespace montrelle {
namespace {

using Pixels = std::vector<std::uint8_t>;

TEST(JpegDecoderChoice, AnyDifferenceInTheSelfCheckFallsBackToScanlines) {
  EXPECT_TRUE(RawPathAgrees()) << "the library built against";

  // One byte off in the raw reading of any one picture, or a reading that fails.
  int raw_readings = 0;
  RawPathAgrees([&](const std::string& jpeg, JpegDecodePath path) {
    raw_readings += path == JpegDecodePath::kRaw;
    return SampledPixels(jpeg, path);
  });
  EXPECT_EQ(raw_readings, 15) << "five layouts, three codings";
  for (int off = 0; off < raw_readings; ++off) {
    int reading = 0;
    EXPECT_FALSE(RawPathAgrees([&](const std::string& jpeg, JpegDecodePath path) {
      Pixels pixels = SampledPixels(jpeg, path);
      if (path == JpegDecodePath::kRaw && reading++ == off) pixels[off * 7 % pixels.size()] ^= 1;
      return pixels;
    })) << off;
  }
  EXPECT_FALSE(
      RawPathAgrees([](const std::string&, JpegDecodePath) -> Pixels { throw JpegError(1); }));

  // Only "scanline" forces the path, and without the check.
  using enum JpegDecodePath;
  int checks = 0;
  const auto check = [&checks](bool agrees) {
    return [&checks, agrees] {
      ++checks;
      return agrees;
    };
  };
  EXPECT_EQ(ChooseJpegDecoder(nullptr, check(true)), (JpegDecoderChoice{kRaw, false}));
  EXPECT_EQ(ChooseJpegDecoder("raw", check(true)), (JpegDecoderChoice{kRaw, false}));
  EXPECT_EQ(ChooseJpegDecoder(nullptr, check(false)), (JpegDecoderChoice{kScanline, true}));
  EXPECT_EQ(ChooseJpegDecoder("scanline", check(false)), (JpegDecoderChoice{kScanline, false}));
  EXPECT_EQ(checks, 3);
}

}  // namespace
}  // namespace montrelle
