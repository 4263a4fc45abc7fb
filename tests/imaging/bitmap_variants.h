// Writes one picture as BMP files in every variant the reader takes, byte by byte,
// so tests can check that each decodes to the same pixels and the fuzzer gets
// seeds of every kind. Independent of the program's own BMP writer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle::testing {

enum class BitmapStorage { kRows, kRle, kBitFields };

struct BitmapVariant {
  std::string name;
  int header_size;  // 12, 40, 108 or 124
  int bits;
  BitmapStorage storage;
  bool top_down;
};

// The header fields of a hand-made file.
struct BitmapFields {
  std::uint32_t header_size = 40;  // 12 writes the OS/2 core header
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint32_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
  std::vector<std::uint32_t> masks;  // written after the first 40 header bytes
};

// File header, info header (zero-filled up to header_size), then the palette and
// pixel bytes as given; the data offset points just past the palette.
std::string AssembleBitmap(const BitmapFields& fields, std::string_view palette,
                           std::string_view pixels);

// Every variant, for pictures whose channels are all 0 or 255: 16-bit variants
// cannot hold other values exactly. With `two_colours` the 1-bit variants are
// included (the picture must then use at most two colours).
std::vector<BitmapVariant> AllBitmapVariants(bool two_colours);

// The file; the picture must fit the variant's palette when it has one.
std::string WriteBitmapVariant(const RgbImage& picture, const BitmapVariant& variant);

// A w x h picture using `colours` (2 or 8) of the colours whose channels are 0 or
// 255, in an arrangement without symmetry.
RgbImage PrimaryColourPicture(int width, int height, int colours);

}  // namespace montrelle::testing
