// Transparent pixels as the gallery shows them: over a white page.
//
// Each colour channel c of alpha a becomes (c * a + 255 * (255 - a) + 127) / 255 in
// integer arithmetic: the blend rounded to the nearest value (a multiple of 1/255
// is never exactly half way, so there are no ties). Opaque pixels keep their
// colour, fully transparent ones become white whatever colour they hold.
#pragma once

#include <cstddef>
#include <cstdint>

namespace montrelle {

// Writes `count` pixels of 4 bytes (red, green, blue, alpha) at `rgba` as 3 bytes
// each at `rgb`. `rgb` may be `rgba` itself: a row is then blended in place.
void BlendOverWhite(const std::uint8_t* rgba, std::size_t count, std::uint8_t* rgb);

}  // namespace montrelle
