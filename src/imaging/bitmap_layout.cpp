#include "imaging/bitmap_layout.h"

#include <bit>
#include <limits>

#include "imaging/bitmap_error.h"

namespace montrelle {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kV4Header = 108;
constexpr std::uint32_t kV5Header = 124;
constexpr size_t kMasksAt = kFileHeaderBytes + kInfoHeader;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Little-endian fields at fixed offsets; a field past the end fails.
class Fields {
 public:
  explicit Fields(std::string_view bytes) : bytes_(bytes) {}

  std::uint32_t Byte(size_t at) const {
    Need(at, 1);
    return static_cast<std::uint8_t>(bytes_[at]);
  }
  std::uint32_t U16(size_t at) const {
    Need(at, 2);
    return Byte(at) | Byte(at + 1) << 8;
  }
  std::uint32_t U32(size_t at) const {
    Need(at, 4);
    return U16(at) | U16(at + 2) << 16;
  }
  std::int32_t I32(size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  void Need(size_t at, size_t count) const { NeedWithin(bytes_.size(), at, count); }
  static void NeedWithin(std::uint64_t size, std::uint64_t at, std::uint64_t count) {
    if (at > size || size - at < count) throw BitmapError();
  }

 private:
  std::string_view bytes_;
};

ChannelMask MakeMask(std::uint32_t mask) {
  if (mask == 0) return {};
  const int shift = std::countr_zero(mask);
  const std::uint32_t run = mask >> shift;
  if ((run & (run + 1)) != 0) throw BitmapError();  // not one contiguous run of bits
  return {mask, shift, std::popcount(run)};
}

// How the pixels of this depth and compression are stored; throws for a
// combination the reader does not take.
BitmapCoding CodingOf(int bits, std::uint32_t compression, bool core, bool top_down) {
  const bool palette_depth = bits == 1 || bits == 4 || bits == 8;
  switch (compression) {
    case kRgb:
      if (palette_depth || bits == 24 || (!core && (bits == 16 || bits == 32))) {
        return BitmapCoding::kRows;
      }
      break;
    case kRle8:
      if (bits == 8 && !top_down) return BitmapCoding::kRle8;
      break;
    case kRle4:
      if (bits == 4 && !top_down) return BitmapCoding::kRle4;
      break;
    case kBitFields:
      if (bits == 16 || bits == 32) return BitmapCoding::kRows;
      break;
  }
  throw BitmapError();
}

}  // namespace

BitmapLayout ReadBitmapLayout(std::string_view head, std::uint64_t file_size,
                              std::int64_t max_pixels) {
  const Fields in(head);
  if (in.U16(0) != 0x4D42) throw BitmapError();  // "BM"
  const std::uint32_t data_offset = in.U32(10);
  const std::uint32_t header_size = in.U32(14);
  const bool core = header_size == kCoreHeader;
  if (!core && header_size != kInfoHeader && header_size != kV4Header && header_size != kV5Header) {
    throw BitmapError();
  }
  size_t headers_end = kFileHeaderBytes + header_size;
  in.Need(0, headers_end);

  BitmapLayout layout;
  std::int64_t width, height;
  std::uint32_t compression = kRgb, colours_used = 0;
  if (core) {
    width = in.U16(18);
    height = in.U16(20);
    layout.bits = static_cast<int>(in.U16(24));
  } else {
    width = in.I32(18);
    height = in.I32(22);
    layout.bits = static_cast<int>(in.U16(28));
    compression = in.U32(30);
    colours_used = in.U32(46);
  }
  layout.top_down = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height == 0 || height > std::numeric_limits<std::int32_t>::max() ||
      width * height > max_pixels) {
    throw BitmapError();
  }
  layout.coding = CodingOf(layout.bits, compression, core, layout.top_down);
  layout.width = static_cast<std::int32_t>(width);
  layout.height = static_cast<std::int32_t>(height);

  if (compression == kBitFields) {
    // The V4 and V5 headers hold the masks at the same place; the 40-byte header
    // is followed by them.
    if (header_size == kInfoHeader) headers_end += 12;
    for (size_t c = 0; c < 3; ++c) {
      const std::uint32_t mask = in.U32(kMasksAt + 4 * c);
      if (layout.bits == 16 && mask > 0xFFFF) throw BitmapError();
      layout.masks[c] = MakeMask(mask);
    }
  } else if (layout.bits == 16) {
    layout.masks = {MakeMask(0x7C00), MakeMask(0x03E0), MakeMask(0x001F)};
  } else if (layout.bits == 32) {
    layout.masks = {MakeMask(0xFF0000), MakeMask(0xFF00), MakeMask(0xFF)};
  }

  size_t palette_end = headers_end;
  if (layout.bits <= 8) {
    const std::uint32_t most = 1u << layout.bits;
    const std::uint32_t count = colours_used == 0 || colours_used > most ? most : colours_used;
    const size_t entry_bytes = core ? 3 : 4;
    in.Need(headers_end, count * entry_bytes);
    for (size_t i = 0; i < count; ++i) {
      const size_t at = headers_end + i * entry_bytes;
      layout.palette.push_back({static_cast<std::uint8_t>(in.Byte(at + 2)),
                                static_cast<std::uint8_t>(in.Byte(at + 1)),
                                static_cast<std::uint8_t>(in.Byte(at))});
    }
    palette_end += count * entry_bytes;
  }
  if (data_offset < palette_end || data_offset > file_size) throw BitmapError();
  layout.data_offset = data_offset;

  const std::int64_t row_bits = width * layout.bits;
  layout.row_bytes = static_cast<size_t>((row_bits + 31) / 32 * 4);
  if (layout.coding == BitmapCoding::kRows) {
    Fields::NeedWithin(file_size, data_offset,
                       layout.row_bytes * static_cast<size_t>(height - 1) +
                           static_cast<size_t>((row_bits + 7) / 8));
  }
  return layout;
}

}  // namespace montrelle
