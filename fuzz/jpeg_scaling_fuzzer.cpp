// libFuzzer target for the JPEG path of the picture operations, as the make run
// uses it for a reduced and a main image of one picture: the bytes are decoded once,
// row by row, oriented and sampled at two small widths and encoded again. The first
// three bytes choose the orientation triple and the two widths, the rest is the file.
//
// Every input must end in the decoder's or the orientation's errors, or in one
// result per width: a JPEG file of the scaled size, or the error of that width alone
// (a result taller than the JPEG format allows, 65500, fails to encode). Never a
// crash, a sanitizer report or another exception. Each result must be the very
// bytes of the whole-picture path: decode everything, orient the whole picture,
// point-sample it, encode.
#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/picture_files.h"
#include "imaging/row_sampler.h"
#include "imaging/scaling.h"

namespace {

using namespace montrelle;
using fuzz::Require;

// Smaller than the program's budget so that each run stays fast; the checks that
// enforce it are the same.
constexpr std::int64_t kFuzzPixels = std::int64_t{1} << 18;

// The sixteen triples the preview window writes, and texts only a list file holds.
constexpr std::array<const char*, 20> kOrientations = {
    "0\t0\t0", "1\t0\t0", "0\t1\t0", "1\t1\t0", "0\t0\t1", "1\t0\t1", "0\t1\t1",
    "1\t1\t1", "0\t0\t2", "1\t0\t2", "0\t1\t2", "1\t1\t2", "0\t0\t3", "1\t0\t3",
    "0\t1\t3", "1\t1\t3", "",        "x\ty\t7", "0\t0",    "0\t0\t-1"};

bool IsDecoderError(const AppError& e) {
  return fuzz::StartsWith(e.what(), "JPEG エラー #") ||
         fuzz::StartsWith(e.what(), "画像が大きすぎます");
}

// The whole-picture path at one width. The library counts the buffers it stretches
// and converts rows in against its memory limit, and the row path has none of
// them, so near the limit a picture of several scans (whose coefficients the
// library keeps whole) fits the row path only: the reference gets more room. The
// picture's size has been held to the budget already.
std::string Reference(std::string_view jpeg, const Orientation& orientation, std::int32_t width) {
  return EncodeJpeg(
      ScaleToWidth(ApplyOrientation(DecodeJpeg(jpeg, 4 * kFuzzPixels), orientation), width));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t choice = data[0] % kOrientations.size();
  const std::string_view bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  const std::string_view text = kOrientations[choice];

  ImageSize stored;
  Orientation orientation;
  try {
    stored = JpegSizeOf(bytes, kFuzzPixels);
    orientation = ParseOrientation(text);
  } catch (const AppError& e) {
    Require(IsDecoderError(e) || choice >= 16, "only the decoder refuses one of the sixteen");
    return 0;
  }
  // A picture one pixel wide turned and scaled may grow far beyond what it was
  // decoded from; the program's own budget bounds that, a smaller one keeps the
  // fuzzer fast.
  const ImageSize oriented = OrientedSize(stored, orientation);
  std::vector<std::int32_t> widths;
  for (const std::uint8_t w : {data[1], data[2]}) {
    const std::int32_t width = w % 65;
    if (width == 0 || ScaledHeight(oriented.width, oriented.height, width) <= kFuzzPixels / width) {
      widths.push_back(width);
    }
  }

  std::vector<MadePicture> made;
  try {
    made = ScaleJpegToWidths(bytes, widths, text, kFuzzPixels);
  } catch (const AppError& e) {
    Require(IsDecoderError(e), "only the decoder's errors end the whole call");
    return 0;
  }
  Require(made.size() == widths.size(), "one result per width");
  for (size_t k = 0; k < widths.size(); ++k) {
    std::string expected;
    bool refused = false;
    try {
      expected = Reference(bytes, orientation, widths[k]);
    } catch (const AppError&) {
      refused = true;
    }
    if (made[k].error) {
      try {
        std::rethrow_exception(made[k].error);
      } catch (const AppError& e) {
        Require(refused && fuzz::StartsWith(e.what(), "JPEG エラー #"),
                "a width fails alone, as the whole-picture path does");
      }
      continue;
    }
    Require(!refused, "the whole-picture path makes what the row path makes");
    Require(made[k].bytes == expected, "the same bytes as the whole-picture path");
  }
  return 0;
}
