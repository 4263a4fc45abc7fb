#include "imaging/bitmap_reader.h"

#include <algorithm>

#include "imaging/bitmap_error.h"
#include "imaging/bitmap_layout.h"

namespace montrelle {
namespace {

using Palette = std::vector<std::array<std::uint8_t, 3>>;

std::uint8_t* PutColour(std::uint8_t* to, const Palette& palette, unsigned index) {
  if (index >= palette.size()) throw BitmapError();
  return std::copy_n(palette[index].data(), 3, to);
}

// A channel scaled to 8 bits: wider ones keep their top 8 bits, narrower ones are
// stretched so that their maximum becomes 255.
std::uint8_t Channel(std::uint32_t pixel, const ChannelMask& c) {
  if (c.width == 0) return 0;
  const std::uint32_t value = (pixel & c.mask) >> c.shift;
  if (c.width >= 8) return static_cast<std::uint8_t>(value >> (c.width - 8));
  const std::uint32_t most = (1u << c.width) - 1;
  return static_cast<std::uint8_t>((value * 255 + most / 2) / most);
}

// One stored row of an uncompressed file into one picture row.
void DecodeRow(const BitmapLayout& layout, const std::uint8_t* from, std::uint8_t* to) {
  for (std::int64_t x = 0; x < layout.width; ++x) {
    switch (layout.bits) {
      case 1:
        to = PutColour(to, layout.palette, (from[x / 8] >> (7 - x % 8)) & 1);
        break;
      case 4:
        to = PutColour(to, layout.palette, (from[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
        break;
      case 8:
        to = PutColour(to, layout.palette, from[x]);
        break;
      case 24:
        *to++ = from[3 * x + 2];
        *to++ = from[3 * x + 1];
        *to++ = from[3 * x];
        break;
      default: {  // 16 or 32, little-endian pixels split by the masks
        const std::uint8_t* p = from + x * (layout.bits / 8);
        std::uint32_t pixel = p[0] | std::uint32_t{p[1]} << 8;
        if (layout.bits == 32) pixel |= std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
        for (const ChannelMask& mask : layout.masks) *to++ = Channel(pixel, mask);
      }
    }
  }
}

void DecodeRows(const BitmapLayout& layout, std::string_view bytes, RgbImage& image) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + layout.data_offset;
  const size_t out_row = static_cast<size_t>(layout.width) * 3;
  for (std::int64_t r = 0; r < layout.height; ++r) {
    const std::int64_t y = layout.top_down ? r : layout.height - 1 - r;
    DecodeRow(layout, data + static_cast<size_t>(r) * layout.row_bytes,
              image.pixels.data() + static_cast<size_t>(y) * out_row);
  }
}

// Run-length data: pairs (count > 0, colour) repeat one colour (RLE4: two
// alternating colours), and escapes after a 0 end a line (0), end the bitmap (1),
// move right and up by the next two bytes (2), or give that many literal indices,
// padded to an even byte count. Rows run bottom-up.
class RleDecoder {
 public:
  RleDecoder(const BitmapLayout& layout, std::string_view data, RgbImage& image)
      : layout_(layout), data_(data), image_(image) {}

  void Run() {
    for (;;) {
      if (pos_ == data_.size()) {
        if (!PictureComplete()) throw BitmapError();
        return;
      }
      const unsigned count = Next();
      const unsigned value = Next();
      if (count > 0) {
        for (unsigned i = 0; i < count; ++i) Put(Nibble(value, i));
      } else if (value == 0) {
        if (++y_ > layout_.height) throw BitmapError();
        x_ = 0;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        x_ += Next();
        y_ += Next();
        if (x_ > layout_.width || y_ > layout_.height) throw BitmapError();
      } else {
        Literal(value);
      }
    }
  }

 private:
  bool Rle4() const { return layout_.coding == BitmapCoding::kRle4; }

  // Every row ended, or all but the top one and that one filled.
  bool PictureComplete() const {
    return y_ >= layout_.height || (y_ == layout_.height - 1 && x_ == layout_.width);
  }

  unsigned Next() {
    if (pos_ == data_.size()) throw BitmapError();
    return static_cast<std::uint8_t>(data_[pos_++]);
  }

  // The i-th index a byte gives: the byte itself, or for RLE4 its high and low
  // nibble in turn.
  unsigned Nibble(unsigned byte, unsigned i) const {
    if (!Rle4()) return byte;
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
  }

  void Literal(unsigned count) {
    const unsigned bytes = Rle4() ? (count + 1) / 2 : count;
    unsigned byte = 0;
    for (unsigned i = 0; i < count; ++i) {
      if (!Rle4() || i % 2 == 0) byte = Next();
      Put(Nibble(byte, i));
    }
    if (bytes % 2 != 0) Next();
  }

  void Put(unsigned index) {
    if (x_ >= layout_.width || y_ >= layout_.height) throw BitmapError();
    const std::int64_t row = layout_.height - 1 - y_;
    PutColour(image_.pixels.data() + (row * layout_.width + x_) * 3, layout_.palette, index);
    ++x_;
  }

  const BitmapLayout& layout_;
  std::string_view data_;
  RgbImage& image_;
  size_t pos_ = 0;
  std::int64_t x_ = 0;
  std::int64_t y_ = 0;  // counted from the bottom row
};

}  // namespace

RgbImage DecodeBitmap(std::string_view bytes, std::int64_t max_pixels) {
  const BitmapLayout layout = ReadBitmapLayout(bytes, bytes.size(), max_pixels);
  RgbImage image = MakeRgbImage(layout.width, layout.height, max_pixels);
  if (layout.coding == BitmapCoding::kRows) {
    DecodeRows(layout, bytes, image);
  } else {
    RleDecoder(layout, bytes.substr(layout.data_offset), image).Run();
  }
  return image;
}

ImageSize BitmapSizeOf(std::string_view bytes, std::int64_t max_pixels) {
  return BitmapSizeOf(bytes, bytes.size(), max_pixels);
}

ImageSize BitmapSizeOf(std::string_view head, std::uint64_t file_size, std::int64_t max_pixels) {
  const BitmapLayout layout = ReadBitmapLayout(head, file_size, max_pixels);
  return {layout.width, layout.height};
}

}  // namespace montrelle
