// The checked headers of a BMP file: everything the pixel decoder needs, with every
// offset and size verified against the file. Internal to the BMP reader; see
// bitmap_reader.h for what is accepted. Throws BitmapError.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "imaging/rgb_image.h"

namespace montrelle {

enum class BitmapCoding { kRows, kRle8, kRle4 };

// One channel of a 16- or 32-bit pixel: the bits under `mask`, `width` of them
// starting at bit `shift`. A zero mask gives a channel of 0.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  int width = 0;
};

struct BitmapLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool top_down = false;
  int bits = 0;  // per pixel: 1, 4, 8, 16, 24 or 32
  BitmapCoding coding = BitmapCoding::kRows;
  std::vector<std::array<std::uint8_t, 3>> palette;  // red, green, blue; bits <= 8
  std::array<ChannelMask, 3> masks;                  // red, green, blue; bits 16 and 32
  size_t data_offset = 0;                            // first byte of the pixel data
  size_t row_bytes = 0;                              // one stored row with its padding
};

// `head` holds the file's first bytes, at least its headers and palette (the whole
// file to decode it); the pixel data is checked against `file_size`.
BitmapLayout ReadBitmapLayout(std::string_view head, std::uint64_t file_size,
                              std::int64_t max_pixels);

}  // namespace montrelle
