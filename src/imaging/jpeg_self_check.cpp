#include "imaging/jpeg_self_check.h"

#include <array>
#include <exception>

#include "imaging/jpeg_codec.h"

namespace montrelle {
namespace {

// Odd sizes, so that the last blocks lie partly outside the picture.
constexpr int kWidth = 61;
constexpr int kHeight = 59;

// In blocks of the full-size luminance: 0, 1, 5 and the last are read, the
// others passed over; at half size the colour's second block is passed over.
constexpr std::array<std::int32_t, 5> kSampledColumns = {0, 9, 10, 45, kWidth - 1};
constexpr std::array<std::int32_t, 5> kSampledRows = {0, 9, 10, 45, kHeight - 1};

// Neighbouring pixels differ everywhere, so that any difference in a transform or
// a stretch shows.
RgbImage CheckPicture() {
  RgbImage picture = MakeRgbImage(kWidth, kHeight);
  std::uint32_t noise = 12345;
  for (std::uint8_t& value : picture.pixels) {
    noise = noise * 1103515245 + 12345;
    value = static_cast<std::uint8_t>(noise >> 16);
  }
  return picture;
}

// 4:4:4, 4:2:2, 4:4:0, 4:2:0 and grey, each in a single Huffman-coded scan (read
// row by row), progressive and arithmetic-coded (read whole, then transformed).
std::vector<std::string> CheckJpegs() {
  const RgbImage picture = CheckPicture();
  const JpegStorage layouts[] = {{.luma_h = 1, .luma_v = 1},
                                 {.luma_h = 2, .luma_v = 1},
                                 {.luma_h = 1, .luma_v = 2},
                                 {.luma_h = 2, .luma_v = 2},
                                 {.grey = true}};
  std::vector<std::string> jpegs;
  for (JpegStorage storage : layouts) {
    for (const int coding : {0, 1, 2}) {
      storage.progressive = coding == 1;
      storage.arithmetic = coding == 2;
      jpegs.push_back(EncodeJpeg(picture, storage));
    }
  }
  return jpegs;
}

}  // namespace

std::vector<std::uint8_t> SampledPixels(const std::string& jpeg, JpegDecodePath path) {
  std::vector<std::uint8_t> sampled;
  JpegRowReader(jpeg).ReadRows(
      kSampledRows, kSampledColumns,
      [&](std::int32_t, const std::uint8_t* pixels) {
        for (const std::int32_t x : kSampledColumns) {
          sampled.insert(sampled.end(), pixels + x * 3, pixels + x * 3 + 3);
        }
      },
      path);
  return sampled;
}

bool RawPathAgrees(const SampledDecode& decode) {
  try {
    for (const std::string& jpeg : CheckJpegs()) {
      if (decode(jpeg, JpegDecodePath::kRaw) != decode(jpeg, JpegDecodePath::kScanline)) {
        return false;
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace montrelle
