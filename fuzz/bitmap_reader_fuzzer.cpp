// libFuzzer target for the BMP reader. Every input must end in a picture or in the
// bitmap error, never in a crash, a sanitizer report or another exception; a
// picture must agree with the size reader and come back unchanged through the
// program's own BMP writer.
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "imaging/bitmap_reader.h"
#include "imaging/bitmap_writer.h"

namespace {

// Smaller than the program's budget so that each run stays fast; the checks that
// enforce it are the same.
constexpr std::int64_t kFuzzPixels = std::int64_t{1} << 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace montrelle;
  using fuzz::Require;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RgbImage picture;
  try {
    picture = DecodeBitmap(bytes, kFuzzPixels);
  } catch (const AppError& e) {
    Require(std::string_view(e.what()) == "ビットマップイメージが不正です",
            "only the bitmap error");
    return 0;
  }
  RequireConsistent(picture);
  Require(BitmapSizeOf(bytes, kFuzzPixels) == ImageSize{picture.width, picture.height},
          "the size reader agrees with the picture");
  Require(DecodeBitmap(EncodeBitmap(picture), kFuzzPixels) == picture,
          "the picture comes back unchanged through the writer");
  return 0;
}
