#include "imaging/library_pictures.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/library_test_pictures.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::LibraryCoding;
using testing::LibraryKind;

LibraryFormat FormatOf(LibraryKind kind) {
  if (kind == LibraryKind::kPng) return LibraryFormat::kPng;
  return kind == LibraryKind::kWebp ? LibraryFormat::kWebp : LibraryFormat::kHeif;
}

// Odd sides: HEIC and AVIF store them padded to even ones and cropped back.
constexpr int kWidth = 37, kHeight = 22;

TEST(LibraryPicture, EveryKindReadsBackItsPicture) {
  const RgbImage exact = testing::CoordinatePicture(kWidth, kHeight);
  // Larger, so that the codecs' blur where the colours meet counts for less.
  const RgbImage quadrants = testing::QuadrantPicture(3 * kWidth, 3 * kHeight);
  const struct {
    const char* name;
    const RgbImage& picture;
    LibraryCoding coding;
    double bound;  // mean difference from the picture over white: 0 for the very pixels
  } cases[] = {
      {"HEIC", quadrants, {.kind = LibraryKind::kHeic}, 5},
      {"HEIC turned a quarter", quadrants, {.kind = LibraryKind::kHeic, .quarter_turn = true}, 5},
      {"AVIF with alpha", quadrants, {.kind = LibraryKind::kAvif, .alpha = true}, 5},
      {"PNG with alpha", exact, {.alpha = true}, 0},
      {"16-bit PNG", exact, {.png_bits = 16}, 0},
      {"Adam7 PNG", quadrants, {.alpha = true, .png_palette = true, .png_interlaced = true}, 0},
      {"lossless WebP with alpha", exact, {.kind = LibraryKind::kWebp, .alpha = true}, 0},
      {"lossy WebP", quadrants, {.kind = LibraryKind::kWebp, .lossy_webp = true}, 5},
      {"animated WebP",
       exact,
       {.kind = LibraryKind::kWebp, .alpha = true, .webp_animation = true},
       0},
  };
  const testing::TempDir dir;
  for (const auto& c : cases) {
    const std::string path = dir / "picture";
    testing::WriteLibraryPicture(path, c.picture, c.coding);
    const RgbImage expected = c.coding.alpha ? testing::StripesOverWhite(c.picture) : c.picture;
    const RgbImage read = ReadLibraryPictureFile(path, FormatOf(c.coding.kind));
    EXPECT_LE(testing::MeanDifference(read, expected), c.bound) << c.name;
    EXPECT_EQ(ReadLibraryPictureSize(path, FormatOf(c.coding.kind)),
              (ImageSize{c.picture.width, c.picture.height}))
        << c.name;
  }
}

TEST(LibraryPicture, DamagedLargeAndOddFilesAreRefusedNamingTheFile) {
  const testing::TempDir dir;
  const RgbImage picture = testing::QuadrantPicture(kWidth, kHeight);
  const std::pair<LibraryKind, const char*> kinds[] = {{LibraryKind::kHeic, "HEIF"},
                                                       {LibraryKind::kAvif, "AVIF"},
                                                       {LibraryKind::kPng, "PNG"},
                                                       {LibraryKind::kWebp, "WebP"}};
  const std::string whole = dir / "whole", cut = dir / "cut", garbage = dir / "garbage";
  testing::WriteBytes(garbage, "not a picture at all");
  for (const auto& [kind, name] : kinds) {
    const LibraryFormat format = FormatOf(kind);
    testing::WriteLibraryPicture(whole, picture, {.kind = kind});
    const std::string bytes = testing::ReadBytes(whole);
    testing::WriteBytes(cut, bytes.substr(0, bytes.size() / 2));
    // A garbage file has no AVIF brand: libheif's error is the HEIF one.
    for (const std::string& bad : {cut, garbage}) {
      testing::ExpectAppError(
          [&] { ReadLibraryPictureFile(bad, format); },
          std::string(bad == garbage && kind == LibraryKind::kAvif ? "HEIF" : name) +
              " 画像が不正です: " + bad,
          name);
    }
    testing::ExpectAppError([&] { ReadLibraryPictureSize(whole, format, kWidth * kHeight - 1); },
                            "画像が大きすぎます (幅 37、高さ 22): " + whole, name);
  }
  // Sparse: refused from its size before anything is read.
  ASSERT_EQ(truncate(whole.c_str(), kMaxLibraryFileBytes + 1), 0);
  testing::ExpectAppError([&] { ReadLibraryPictureFile(whole, LibraryFormat::kWebp); },
                          "ファイル " + whole + " は大きすぎます");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string& odd : {dir / "fifo", dir.path()}) {
    testing::ExpectAppError([&] { ReadLibraryPictureSize(odd, LibraryFormat::kPng); },
                            "ファイル " + odd + " は開けません");
  }
}

}  // namespace
}  // namespace montrelle
