#include "imaging/bitmap_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "imaging/bitmap_variants.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::AllBitmapVariants;
using testing::AssembleBitmap;
using testing::BitmapFields;
using testing::PrimaryColourPicture;
using testing::WriteBitmapVariant;

constexpr const char* kBitmapError = "ビットマップイメージが不正です";

void ExpectBitmapError(const std::function<void()>& call, const std::string& context = "") {
  testing::ExpectAppError(call, kBitmapError, context);
}

std::string U32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
          static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24)};
}

std::uint32_t DataOffset(const std::string& file) {
  return static_cast<std::uint8_t>(file[10]) | static_cast<std::uint8_t>(file[11]) << 8;
}

std::string Patched(std::string file, size_t at, const std::string& bytes) {
  return file.replace(at, bytes.size(), bytes);
}

TEST(DecodeBitmap, EveryVariantGivesTheSamePixels) {
  for (bool two : {true, false}) {
    for (auto [w, h] : {std::pair(9, 5), std::pair(1, 1), std::pair(17, 3)}) {
      const RgbImage picture = PrimaryColourPicture(w, h, two ? 2 : 8);
      for (const auto& variant : AllBitmapVariants(two)) {
        const std::string file = WriteBitmapVariant(picture, variant);
        EXPECT_EQ(DecodeBitmap(file), picture) << variant.name << " " << w << "x" << h;
        EXPECT_EQ(BitmapSizeOf(file), (ImageSize{w, h})) << variant.name;
      }
    }
  }
}

TEST(DecodeBitmap, EveryCutFailsOrLacksOnlyTheLastPadding) {
  for (bool two : {true, false}) {
    const RgbImage picture = PrimaryColourPicture(9, 5, two ? 2 : 8);
    for (const auto& variant : AllBitmapVariants(two)) {
      const std::string file = WriteBitmapVariant(picture, variant);
      // Uncompressed rows may lose the last row's padding; run-length data its
      // end-of-bitmap code (two bytes) but not half of it.
      const bool rle = variant.storage == testing::BitmapStorage::kRle;
      const size_t row_bits = 9 * static_cast<size_t>(variant.bits);
      const size_t padding = (row_bits + 31) / 32 * 4 - (row_bits + 7) / 8;
      for (size_t length = 0; length < file.size(); ++length) {
        const std::string cut = file.substr(0, length);
        if (rle ? length == file.size() - 2 : length + padding >= file.size()) {
          EXPECT_EQ(DecodeBitmap(cut), picture) << variant.name << " cut to " << length;
        } else {
          ExpectBitmapError([&] { DecodeBitmap(cut); },
                            variant.name + " cut to " + std::to_string(length));
        }
      }
    }
  }
}

TEST(DecodeBitmap, DamagedOrUnsupportedHeadersFail) {
  const RgbImage picture = PrimaryColourPicture(9, 5, 8);
  const std::string v3_8 =
      WriteBitmapVariant(picture, {"", 40, 8, testing::BitmapStorage::kRows, false});
  const std::string rle8 =
      WriteBitmapVariant(picture, {"", 40, 8, testing::BitmapStorage::kRle, false});
  const std::string v3_24 =
      WriteBitmapVariant(picture, {"", 40, 24, testing::BitmapStorage::kRows, false});
  const std::string fields32 =
      WriteBitmapVariant(picture, {"", 40, 32, testing::BitmapStorage::kBitFields, false});
  const std::string fields16 =
      WriteBitmapVariant(picture, {"", 108, 16, testing::BitmapStorage::kBitFields, false});
  const std::string core8 =
      WriteBitmapVariant(picture, {"", 12, 8, testing::BitmapStorage::kRows, false});

  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"OS/2 array magic", Patched(v3_24, 0, "BA")},
      {"OS/2 2.x header", Patched(v3_24, 14, U32(64))},
      {"Adobe 52-byte header", Patched(v3_24, 14, U32(52))},
      {"zero width", Patched(v3_24, 18, U32(0))},
      {"negative width", Patched(v3_24, 18, U32(-9))},
      {"zero height", Patched(v3_24, 22, U32(0))},
      {"most negative height", Patched(v3_24, 22, U32(0x80000000))},
      {"zero core width", Patched(core8, 18, std::string("\0\0", 2))},
      {"2 bits", Patched(v3_8, 28, std::string("\x02\0", 2))},
      {"0 bits", Patched(v3_8, 28, std::string("\0\0", 2))},
      {"16 bits in a core header", Patched(core8, 24, std::string("\x10\0", 2))},
      {"JPEG inside", Patched(v3_24, 30, U32(4))},
      {"PNG inside", Patched(v3_24, 30, U32(5))},
      {"alpha bit fields", Patched(fields32, 30, U32(6))},
      {"bit fields at 24 bits", Patched(v3_24, 30, U32(3))},
      {"RLE8 at 4 bits", Patched(Patched(rle8, 28, std::string("\x04\0", 2)), 46, U32(16))},
      {"RLE4 at 8 bits", Patched(rle8, 30, U32(2))},
      {"top-down run lengths", Patched(rle8, 22, U32(-5))},
      {"mask with a gap", Patched(fields32, 54, U32(0x30F00000))},
      {"16-bit mask past 16 bits", Patched(fields16, 58, U32(0x1F800))},
      {"data offset past the end",
       Patched(v3_24, 10, U32(static_cast<std::uint32_t>(v3_24.size()) + 1))},
      {"data offset inside the header", Patched(v3_24, 10, U32(20))},
      {"data offset inside the palette", Patched(v3_8, 10, U32(DataOffset(v3_8) - 1))},
      {"data offset inside the masks", Patched(fields32, 10, U32(60))},
      {"palette larger than the file holds", Patched(v3_8, 46, U32(0x7FFFFFFF))},
      {"index past the palette", Patched(v3_8, DataOffset(v3_8), "\x08")},
      // The bottom row is one literal: 0, its length, then its first index.
      {"run-length index past the palette", Patched(rle8, DataOffset(rle8) + 2, "\x09")},
      {"no header at all", "BM"},
      {"empty file", ""},
  };
  for (const auto& c : cases) {
    ExpectBitmapError([&] { DecodeBitmap(c.file); }, c.what);
  }
}

TEST(DecodeBitmap, ChannelsOfEveryWidthScaleTo8Bits) {
  const struct {
    std::uint32_t bits, compression;
    std::vector<std::uint32_t> masks;
    std::string pixel;
    std::vector<int> rgb;
  } cases[] = {
      {16, 0, {}, std::string("\xFF\x7F\0\0", 4), {255, 255, 255}},
      {16, 0, {}, std::string("\x10\x42\0\0", 4), {132, 132, 132}},  // 16 of 31
      {16, 0, {}, std::string("\x01\x80\0\0", 4), {0, 0, 8}},        // top bit unused
      {16, 3, {0xF800, 0x07E0, 0x001F}, std::string("\xE0\x07\0\0", 4), {0, 255, 0}},
      {16, 3, {0xF800, 0x07E0, 0x001F}, std::string("\x20\0\0\0", 4), {0, 4, 0}},  // 1 of 63
      {32, 3, {0xF00, 0x0F0, 0x00F}, U32(0xA5F), {170, 85, 255}},
      {32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}, U32(0x20000000 | 0x7FC00 | 0x3), {128, 127, 0}},
      {32, 3, {0xFF000000, 0xFF0000, 0}, U32(0x12345678), {0x12, 0x34, 0}},  // no blue
      {32, 3, {0x1, 0x2, 0x4}, U32(0x5), {255, 0, 255}},                     // 1-bit channels
      {32, 0, {}, std::string("\x01\x02\x03\x63", 4), {3, 2, 1}},            // alpha ignored
      {24, 0, {}, std::string("\x01\x02\x03\0", 4), {3, 2, 1}},
  };
  for (const auto& c : cases) {
    BitmapFields fields;
    fields.bits = c.bits;
    fields.compression = c.compression;
    fields.masks = c.masks;
    const RgbImage decoded = DecodeBitmap(AssembleBitmap(fields, "", c.pixel));
    EXPECT_EQ(decoded,
              (RgbImage{1,
                        1,
                        {static_cast<std::uint8_t>(c.rgb[0]), static_cast<std::uint8_t>(c.rgb[1]),
                         static_cast<std::uint8_t>(c.rgb[2])}}))
        << c.bits << " " << std::hex << (c.masks.empty() ? 0 : c.masks[0]);
  }
}

// 4 x 2 run-length pictures; palette 0 is grey-blue, 1 orange, unset pixels black.
std::string RunLengthFile(std::uint32_t bits, const std::string& data) {
  BitmapFields fields;
  fields.width = 4;
  fields.height = 2;
  fields.bits = bits;
  fields.compression = bits == 8 ? 1 : 2;
  fields.colours_used = 2;
  return AssembleBitmap(fields, std::string("\x1E\x14\x0A\0\x32\x64\xC8\0", 8), data);
}

RgbImage FourByTwo(const char* rows) {  // top row first: '0', '1' or '.' for black
  RgbImage p{4, 2, {}};
  for (const char* c = rows; *c; ++c) {
    if (*c == '0') p.pixels.insert(p.pixels.end(), {10, 20, 30});
    if (*c == '1') p.pixels.insert(p.pixels.end(), {200, 100, 50});
    if (*c == '.') p.pixels.insert(p.pixels.end(), {0, 0, 0});
  }
  return p;
}

TEST(DecodeBitmap, RunLengthCodes) {
  const struct {
    std::uint32_t bits;
    std::string data;
    const char* top_then_bottom;
  } valid[] = {
      {8, std::string("\x04\0\0\0\x04\x01\0\x01", 8), "1111 0000"},
      {8, std::string("\x04\0\0\0\x04\x01", 6), "1111 0000"},  // no end code, rows complete
      {8, std::string("\x04\0\0\0\x04\x01\0\0\0\x01", 10), "1111 0000"},
      {8, std::string("\x02\x01\0\x01", 4), ".... 11.."},  // ends early
      {8, std::string("\0\x02\x02\x01\x02\x01\0\x01", 8), "..11 ...."},
      {8, std::string("\x01\x01\0\x02\x01\0\x01\x01\0\0\0\x03\0\x01\0\0\x01\x01", 18), "0101 1.1."},
      {4, std::string("\x04\x01\0\0\x04\x10\0\x01", 8), "1010 0101"},
      {4, std::string("\0\x03\x01\x10\x01\0\0\0\x03\x11\0\x01", 12), "111. 0110"},
      {4, std::string("\0\x04\x10\x01\0\x01", 6), ".... 1001"},
  };
  for (const auto& c : valid) {
    EXPECT_EQ(DecodeBitmap(RunLengthFile(c.bits, c.data)), FourByTwo(c.top_then_bottom))
        << c.bits << " " << c.top_then_bottom;
  }
  const struct {
    std::uint32_t bits;
    std::string data;
  } invalid[] = {
      {8, std::string("\x05\0\0\x01", 4)},                         // run past the row's end
      {8, std::string("\0\x03\0\x01\0\0\x02\0\0\x01", 10)},        // literal past the row's end
      {8, std::string("\0\x02\x05\0\0\x01", 6)},                   // move past the right edge
      {8, std::string("\0\x02\0\x03\0\x01", 6)},                   // move past the top
      {8, std::string("\x04\0\0\0\x04\x01\0\0\x01\0\0\x01", 12)},  // a third row
      {8, std::string("\0\0\0\0\0\0\0\x01", 8)},                   // three line ends
      {8, std::string("\x04\0", 2)},                               // ends inside the picture
      {8, std::string("\x04\0\0", 3)},                             // half a code
      {8, std::string("\0\x03\0\x01", 4)},                         // literal cut short
      {8, std::string("\0\x03\0\x01\0", 5)},                       // literal's padding missing
      {8, std::string("\0\x02\x01", 3)},                           // move cut short
      {8, std::string("\x02\x05\0\x01", 4)},                       // index past the palette
      {4, std::string("\x05\x01\0\x01", 4)},
      {4, std::string("\x02\x12\0\x01", 4)},
  };
  for (const auto& c : invalid) {
    ExpectBitmapError([&] { DecodeBitmap(RunLengthFile(c.bits, c.data)); },
                      ::testing::PrintToString(c.data));
  }
}

TEST(DecodeBitmap, PixelBudgetIsCheckedBeforeAllocating) {
  BitmapFields fields;
  fields.width = 1000;
  fields.height = 1000;
  fields.bits = 8;
  fields.compression = 1;
  fields.colours_used = 1;
  const std::string empty_runs =
      AssembleBitmap(fields, std::string(4, '\x7F'), std::string("\0\x01", 2));
  const RgbImage black = DecodeBitmap(empty_runs, 1000 * 1000);
  EXPECT_EQ(black, (RgbImage{1000, 1000, std::vector<std::uint8_t>(3000000, 0)}));
  ExpectBitmapError([&] { DecodeBitmap(empty_runs, 1000 * 1000 - 1); });

  // At the default budget: a few bytes of run-length data claiming gigapixels fail
  // at once.
  for (auto [w, h] : {std::pair(65536, 65536), std::pair(0x7FFFFFFF, 1), std::pair(1, 0x7FFFFFFF),
                      std::pair(23171, 23171)}) {
    fields.width = w;
    fields.height = h;
    const std::string file = AssembleBitmap(fields, std::string(4, '\0'), "");
    const std::string size = std::to_string(w) + "x" + std::to_string(h);
    ExpectBitmapError([&] { DecodeBitmap(file); }, size);
    ExpectBitmapError([&] { BitmapSizeOf(file); }, size);
  }
}

TEST(BitmapSizeOf, ChecksTheHeadersAndTheDataExtent) {
  const RgbImage picture = PrimaryColourPicture(9, 5, 8);
  const std::string file =
      WriteBitmapVariant(picture, {"", 40, 24, testing::BitmapStorage::kRows, true});
  EXPECT_EQ(BitmapSizeOf(file), (ImageSize{9, 5}));
  ExpectBitmapError([&] { BitmapSizeOf(file.substr(0, file.size() - 10)); });
  ExpectBitmapError([&] { BitmapSizeOf(Patched(file, 28, std::string("\x03\0", 2))); });
}

}  // namespace
}  // namespace montrelle
