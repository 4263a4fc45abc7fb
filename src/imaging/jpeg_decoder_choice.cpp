#include "imaging/jpeg_decoder_choice.h"

#include <cstdlib>
#include <string_view>

#include "imaging/jpeg_self_check.h"

namespace montrelle {

JpegDecoderChoice ChooseJpegDecoder(const char* setting,
                                    const std::function<bool()>& raw_path_agrees) {
  if (setting != nullptr && std::string_view(setting) == "scanline") {
    return {JpegDecodePath::kScanline, false};
  }
  if (raw_path_agrees()) return {JpegDecodePath::kRaw, false};
  return {JpegDecodePath::kScanline, true};
}

const JpegDecoderChoice& ProcessJpegDecoder() {
  static const JpegDecoderChoice choice =
      ChooseJpegDecoder(std::getenv("MONTRELLE_DECODER"), [] { return RawPathAgrees(); });
  return choice;
}

}  // namespace montrelle
