#include "imaging/bitmap_variants.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace montrelle::testing {
namespace {

using Colour = std::array<std::uint8_t, 3>;

void PutU16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8 & 0xFF);
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

Colour ColourAt(const RgbImage& p, int x, int y) {
  const std::uint8_t* c = p.pixels.data() + (static_cast<size_t>(y) * p.width + x) * 3;
  return {c[0], c[1], c[2]};
}

std::vector<Colour> PaletteOf(const RgbImage& p) {
  std::vector<Colour> palette;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      Colour c = ColourAt(p, x, y);
      if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    }
  }
  return palette;
}

unsigned IndexOf(const std::vector<Colour>& palette, Colour c) {
  return static_cast<unsigned>(std::find(palette.begin(), palette.end(), c) - palette.begin());
}

struct Masks {
  std::uint32_t red, green, blue;
};

Masks MasksOf(const BitmapVariant& v) {
  if (v.bits == 16) {
    return v.storage == BitmapStorage::kBitFields ? Masks{0xF800, 0x07E0, 0x001F}
                                                  : Masks{0x7C00, 0x03E0, 0x001F};
  }
  // 10 bits a channel exercise the reduction of wide channels.
  return v.storage == BitmapStorage::kBitFields ? Masks{0x3FF00000, 0x000FFC00, 0x000003FF}
                                                : Masks{0xFF0000, 0x00FF00, 0x0000FF};
}

std::uint32_t Pack(std::uint8_t value, std::uint32_t mask) {
  return value == 0 ? 0 : mask;  // channels are 0 or 255 only
}

std::string Row(const RgbImage& p, int y, const BitmapVariant& v,
                const std::vector<Colour>& palette) {
  std::string row;
  if (v.bits <= 8) {
    unsigned acc = 0;
    int filled = 0;
    for (int x = 0; x < p.width; ++x) {
      acc = acc << v.bits | IndexOf(palette, ColourAt(p, x, y));
      filled += v.bits;
      if (filled == 8) {
        row += static_cast<char>(acc);
        acc = 0;
        filled = 0;
      }
    }
    if (filled > 0) row += static_cast<char>(acc << (8 - filled));
  } else {
    const Masks m = MasksOf(v);
    for (int x = 0; x < p.width; ++x) {
      const Colour c = ColourAt(p, x, y);
      if (v.bits == 24) {
        row += {static_cast<char>(c[2]), static_cast<char>(c[1]), static_cast<char>(c[0])};
        continue;
      }
      const std::uint32_t pixel = Pack(c[0], m.red) | Pack(c[1], m.green) | Pack(c[2], m.blue);
      v.bits == 16 ? PutU16(row, pixel) : PutU32(row, pixel);
    }
  }
  row.append((4 - row.size() % 4) % 4, '\0');
  return row;
}

// Runs of two or more equal indices are coded as runs, three or more single ones as
// a literal, anything else as runs of one; a line end after each row but the last,
// then the end of the bitmap.
std::string RunLengthData(const RgbImage& p, const BitmapVariant& v,
                          const std::vector<Colour>& palette) {
  const bool rle4 = v.bits == 4;
  std::string out;
  for (int y = p.height - 1; y >= 0; --y) {
    std::vector<unsigned> idx;
    for (int x = 0; x < p.width; ++x) idx.push_back(IndexOf(palette, ColourAt(p, x, y)));
    size_t i = 0;
    while (i < idx.size()) {
      size_t run = 1;
      while (i + run < idx.size() && idx[i + run] == idx[i] && run < 255) ++run;
      size_t singles = 0;
      while (i + singles < idx.size() && singles < 255 &&
             (i + singles + 1 == idx.size() || idx[i + singles + 1] != idx[i + singles])) {
        ++singles;
      }
      if (run == 1 && singles >= 3) {
        out += '\0';
        out += static_cast<char>(singles);
        std::string literal;
        for (size_t k = 0; k < singles; ++k) {
          if (!rle4) {
            literal += static_cast<char>(idx[i + k]);
          } else if (k % 2 == 0) {
            literal += static_cast<char>(idx[i + k] << 4);
          } else {
            literal.back() = static_cast<char>(literal.back() | idx[i + k]);
          }
        }
        if (literal.size() % 2 != 0) literal += '\0';
        out += literal;
        i += singles;
      } else {
        out += static_cast<char>(run);
        out += static_cast<char>(rle4 ? idx[i] << 4 | idx[i] : idx[i]);
        i += run;
      }
    }
    if (y > 0) out += std::string("\0\0", 2);
  }
  out += std::string("\0\1", 2);
  return out;
}

}  // namespace

std::vector<BitmapVariant> AllBitmapVariants(bool two_colours) {
  using S = BitmapStorage;
  std::vector<BitmapVariant> all = {
      {"core 4", 12, 4, S::kRows, false},
      {"core 8", 12, 8, S::kRows, false},
      {"core 24", 12, 24, S::kRows, false},
      {"v3 4", 40, 4, S::kRows, false},
      {"v3 8", 40, 8, S::kRows, false},
      {"v3 8 top-down", 40, 8, S::kRows, true},
      {"v3 16", 40, 16, S::kRows, false},
      {"v3 24", 40, 24, S::kRows, false},
      {"v3 24 top-down", 40, 24, S::kRows, true},
      {"v3 32", 40, 32, S::kRows, false},
      {"v3 rle4", 40, 4, S::kRle, false},
      {"v3 rle8", 40, 8, S::kRle, false},
      {"v3 bitfields 16", 40, 16, S::kBitFields, false},
      {"v3 bitfields 32", 40, 32, S::kBitFields, false},
      {"v4 bitfields 16", 108, 16, S::kBitFields, true},
      {"v4 8", 108, 8, S::kRows, false},
      {"v5 rle8", 124, 8, S::kRle, false},
      {"v5 bitfields 32", 124, 32, S::kBitFields, false},
      {"v5 24 top-down", 124, 24, S::kRows, true},
  };
  if (two_colours) {
    all.push_back({"core 1", 12, 1, S::kRows, false});
    all.push_back({"v3 1", 40, 1, S::kRows, false});
    all.push_back({"v5 1 top-down", 124, 1, S::kRows, true});
  }
  return all;
}

std::string WriteBitmapVariant(const RgbImage& p, const BitmapVariant& v) {
  std::vector<Colour> palette;
  if (v.bits <= 8) {
    palette = PaletteOf(p);
    if (palette.size() > (1u << v.bits)) throw std::invalid_argument("too many colours");
    // The core header always carries the full palette; the others only what is used.
    if (v.header_size == 12) palette.resize(1u << v.bits);
  }
  std::string pixels;
  if (v.storage == BitmapStorage::kRle) {
    pixels = RunLengthData(p, v, palette);
  } else {
    for (int r = 0; r < p.height; ++r)
      pixels += Row(p, v.top_down ? r : p.height - 1 - r, v, palette);
  }

  BitmapFields fields;
  fields.header_size = static_cast<std::uint32_t>(v.header_size);
  fields.width = p.width;
  fields.height = v.top_down ? -p.height : p.height;
  fields.bits = static_cast<std::uint32_t>(v.bits);
  fields.compression = v.storage == BitmapStorage::kBitFields ? 3
                       : v.storage == BitmapStorage::kRows    ? 0
                       : v.bits == 8                          ? 1
                                                              : 2;
  fields.colours_used = static_cast<std::uint32_t>(palette.size());
  if (v.storage == BitmapStorage::kBitFields) {
    const Masks m = MasksOf(v);
    fields.masks = {m.red, m.green, m.blue};
  }
  std::string palette_bytes;
  for (const Colour& c : palette) {
    palette_bytes += {static_cast<char>(c[2]), static_cast<char>(c[1]), static_cast<char>(c[0])};
    if (v.header_size != 12) palette_bytes += '\0';
  }
  return AssembleBitmap(fields, palette_bytes, pixels);
}

std::string AssembleBitmap(const BitmapFields& f, std::string_view palette,
                           std::string_view pixels) {
  std::string info;
  PutU32(info, f.header_size);
  if (f.header_size == 12) {
    PutU16(info, static_cast<std::uint32_t>(f.width));
    PutU16(info, static_cast<std::uint32_t>(f.height));
    PutU16(info, 1);
    PutU16(info, f.bits);
  } else {
    PutU32(info, static_cast<std::uint32_t>(f.width));
    PutU32(info, static_cast<std::uint32_t>(f.height));
    PutU16(info, 1);
    PutU16(info, f.bits);
    PutU32(info, f.compression);
    PutU32(info, static_cast<std::uint32_t>(pixels.size()));
    PutU32(info, 2835);
    PutU32(info, 2835);
    PutU32(info, f.colours_used);
    PutU32(info, 0);
    for (std::uint32_t mask : f.masks) PutU32(info, mask);
    // V4 and V5: the rest (alpha mask, colour space, gamma, intent, profile) zero.
    if (info.size() < f.header_size) info.resize(f.header_size, '\0');
  }
  std::string file = "BM";
  PutU32(file, static_cast<std::uint32_t>(14 + info.size() + palette.size() + pixels.size()));
  PutU32(file, 0);
  PutU32(file, static_cast<std::uint32_t>(14 + info.size() + palette.size()));
  return file + info + std::string(palette) + std::string(pixels);
}

RgbImage PrimaryColourPicture(int width, int height, int colours) {
  RgbImage p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int i = (x * x + 3 * y + x * y) % colours;
      const int bits = colours == 2 ? (i == 0 ? 1 : 4) : i;  // red or blue
      for (int c = 0; c < 3; ++c) p.pixels.push_back((bits >> c & 1) ? 255 : 0);
    }
  }
  return p;
}

}  // namespace montrelle::testing
