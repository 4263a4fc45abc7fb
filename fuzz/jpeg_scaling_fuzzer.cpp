// libFuzzer target for the JPEG path of the picture operations: the bytes are
// decoded, oriented, scaled to a small width and encoded again, as a JPEG picture
// of the list is for the reduced images. The first two bytes choose the
// orientation triple and the width, the rest is the file.
//
// Every input must end in a JPEG file of the scaled size or in the decoder's errors
// ("JPEG エラー #%d", "画像が大きすぎます …"); never a crash, a sanitizer report or
// another exception. The header-only size reader must agree with the decoder. A
// result taller than the JPEG format allows (65500) fails to encode with the
// library's error.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/scaling.h"

namespace {

// Smaller than the program's budget so that each run stays fast; the checks that
// enforce it are the same.
constexpr std::int64_t kFuzzPixels = std::int64_t{1} << 18;

// The sixteen triples the preview window writes, and texts only a list file holds.
constexpr std::array<const char*, 20> kOrientations = {
    "0\t0\t0", "1\t0\t0", "0\t1\t0", "1\t1\t0", "0\t0\t1", "1\t0\t1", "0\t1\t1",
    "1\t1\t1", "0\t0\t2", "1\t0\t2", "0\t1\t2", "1\t1\t2", "0\t0\t3", "1\t0\t3",
    "0\t1\t3", "1\t1\t3", "",        "x\ty\t7", "0\t0",    "0\t0\t-1"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace montrelle;
  using fuzz::Require;
  if (size < 2) return 0;
  const size_t choice = data[0] % kOrientations.size();
  const char* orientation = kOrientations[choice];
  const std::int32_t width = data[1] % 65;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  RgbImage picture;
  try {
    picture = DecodeJpeg(bytes, kFuzzPixels);
  } catch (const AppError& e) {
    Require(fuzz::StartsWith(e.what(), "JPEG エラー #") ||
                fuzz::StartsWith(e.what(), "画像が大きすぎます"),
            "only the decoder's errors");
    return 0;
  }
  RequireConsistent(picture);
  Require(JpegSizeOf(bytes, kFuzzPixels) == ImageSize{picture.width, picture.height},
          "header size agrees with the decoded picture");

  RgbImage turned;
  try {
    turned = ApplyOrientation(std::move(picture), orientation);
  } catch (const AppError&) {
    Require(choice >= 16, "the sixteen triples of the preview window are always drawn");
    return 0;
  }
  // A picture one pixel wide turned and scaled may grow far beyond what it was
  // decoded from; the program's own budget bounds that, a smaller one keeps the
  // fuzzer fast.
  if (!turned.pixels.empty() && width > 0 &&
      ScaledHeight(turned.width, turned.height, width) > kFuzzPixels / width) {
    return 0;
  }
  const RgbImage scaled = ScaleToWidth(turned, width);
  if (!scaled.pixels.empty()) {
    Require(scaled.height == ScaledHeight(turned.width, turned.height, width),
            "height by the size rule");
  }
  std::string encoded;
  try {
    encoded = EncodeJpeg(scaled);
  } catch (const AppError& e) {
    Require(scaled.height > 65500 && fuzz::StartsWith(e.what(), "JPEG エラー #"),
            "only a side beyond the JPEG format's limit fails to encode");
    return 0;
  }
  Require(encoded.empty() == scaled.pixels.empty(), "empty result exactly for an empty picture");
  if (!encoded.empty()) {
    Require(JpegSizeOf(encoded) == ImageSize{scaled.width, scaled.height},
            "the result has the scaled size");
  }
  return 0;
}
