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

  // The choice, and whether the check ran; only "scanline" forces the path.
  struct Case {
    const char* setting;
    bool agrees;
    JpegDecodePath path;
    bool differed;
    int checks;
  };
  for (const Case& c : {Case{nullptr, true, JpegDecodePath::kRaw, false, 1},
                        Case{nullptr, false, JpegDecodePath::kScanline, true, 1},
                        Case{"scanline", true, JpegDecodePath::kScanline, false, 0},
                        Case{"raw", true, JpegDecodePath::kRaw, false, 1}}) {
    int checks = 0;
    const JpegDecoderChoice choice = ChooseJpegDecoder(c.setting, [&] {
      ++checks;
      return c.agrees;
    });
    EXPECT_EQ(choice.path, c.path) << c.agrees;
    EXPECT_EQ(choice.self_check_differed, c.differed) << c.agrees;
    EXPECT_EQ(checks, c.checks) << c.agrees;
  }
}

}  // namespace
}  // namespace montrelle
