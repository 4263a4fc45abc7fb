#include "imaging/alpha_over_white.h"

namespace montrelle {

void BlendOverWhite(const std::uint8_t* rgba, std::size_t count, std::uint8_t* rgb) {
  // Each pixel is read whole before it is written, and its 3 bytes end before the
  // next pixel's 4 begin, so blending in place never overwrites unread bytes.
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* in = rgba + 4 * i;
    const unsigned alpha = in[3];
    const unsigned white = 255 * (255 - alpha) + 127;
    const unsigned r = in[0], g = in[1], b = in[2];
    std::uint8_t* out = rgb + 3 * i;
    out[0] = static_cast<std::uint8_t>((r * alpha + white) / 255);
    out[1] = static_cast<std::uint8_t>((g * alpha + white) / 255);
    out[2] = static_cast<std::uint8_t>((b * alpha + white) / 255);
  }
}

}  // namespace montrelle
