#include "imaging/preview_rules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "imaging/jpeg_codec.h"
#include "imaging/preview_picture.h"
#include "imaging/test_pictures.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::QuadrantPicture;
using testing::TempDir;
using testing::WriteBytes;

TEST(PreviewRules, FitPreviewWidth) {
  const struct {
    int width, height, fitted;
  } cases[] = {
      {640, 480, 154},
      {480, 640, 87},
      {1024, 576, 156},
      {39, 29, 156},
      {38, 29, 152},
      {40, 29, 156},
      {1, 1000, 0},
      {156, 116, 156},
      {116, 156, 86},
      {0, 10, 0},
      // 116 x width beyond 32 bits: the comparison must not wrap round.
      {40000000, 65000, 156},
      {20000000, 65000000, 35},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPreviewWidth(c.width, c.height), c.fitted) << c.width << "x" << c.height;
  }
}

TEST(PreviewRules, ValidSelection) {
  const struct {
    int top, bottom, count;
    bool valid;
  } cases[] = {
      {1, 1, 1, true},  {1, 3, 3, true},  {2, 3, 3, true},
      {3, 3, 3, true},  {2, 4, 3, false},                    // reaches past the last entry
      {4, 4, 3, false}, {0, 1, 3, false}, {0, 0, 3, false},  // nothing selected
      {1, 1, 0, false},                                      // an empty list
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidSelection(c.top, c.bottom, c.count), c.valid)
        << c.top << ".." << c.bottom << " of " << c.count;
  }
}

// What the controls show for a triple, and what they write back.
TEST(PreviewRules, OrientationControlsAndTheirText) {
  const struct {
    const char* stored;
    bool mirror, flip;
    int item;
    const char* written;
  } cases[] = {
      {"0\t0\t0", false, false, 0, "0\t0\t0"},    {"1\t0\t1", true, false, 1, "1\t0\t1"},
      {"0\t1\t2", false, true, 2, "0\t1\t2"},     {"2\tx\t3", true, true, 3, "1\t1\t3"},
      {"0\t0\t7", false, false, 3, "0\t0\t3"},    {"0\t0\t-1", false, false, -1, "0\t0\t-1"},
      {"0\t0\t-9", false, false, -1, "0\t0\t-1"}, {"\t\t0", true, true, 0, "1\t1\t0"},
  };
  for (const auto& c : cases) {
    const bool mirror = OrientationFlagOn(c.stored, 1);
    const bool flip = OrientationFlagOn(c.stored, 2);
    const int item = RotationItem(c.stored);
    EXPECT_EQ(mirror, c.mirror) << c.stored;
    EXPECT_EQ(flip, c.flip) << c.stored;
    EXPECT_EQ(item, c.item) << c.stored;
    EXPECT_EQ(OrientationText(mirror, flip, item), c.written) << c.stored;
  }
  ExpectAppError([] { RotationItem("0\t0\tx"); }, "'x' は整数ではありません");
  ExpectAppError([] { RotationItem("0\t0\t"); }, "'' は整数ではありません");
  EXPECT_EQ(JoinCommentLines({"春の", "", "庭 "}), "春の庭 ");
  EXPECT_EQ(JoinCommentLines({}), "");
}

// Sizes, places and pixels of shown pictures are checked in the window's tests.
TEST(PreviewPicture, EmptyPicturesAndErrors) {
  TempDir dir;
  // Too flat to keep a row: nothing to show, and nothing decoded.
  WriteBytes(dir / "flat.jpg", EncodeJpeg(QuadrantPicture(200, 1)));
  EXPECT_EQ(PreviewJpeg(dir / "flat.jpg", "0\t0\t0", false), (RgbImage{156, 0, {}}));

  ExpectAppError([&] { PreviewJpeg(dir / "none.jpg", "0\t0\t0", false); },
                 "ファイル " + (dir / "none.jpg") + " は開けません");
  // A JPEG taken for a bitmap.
  ExpectAppError([&] { PreviewBitmap(dir / "flat.jpg", "0\t0\t0", false); },
                 "ビットマップイメージが不正です");
  // A sparse giant with a small picture at its start is refused unread, and a FIFO
  // without waiting for a writer: either would hold the window.
  const std::string giant = dir / "giant.jpg";
  WriteBytes(giant, EncodeJpeg(QuadrantPicture(200, 100)));
  std::filesystem::resize_file(giant, std::uintmax_t{10} << 30);
  ExpectAppError([&] { PreviewJpeg(giant, "0\t0\t0", false); },
                 "ファイル " + giant + " は画像としては大きすぎます");
  const std::string pipe = dir / "pipe.jpg";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  ExpectAppError([&] { PreviewJpeg(pipe, "0\t0\t0", false); },
                 "ファイル " + pipe + " は開けません");
}

}  // namespace
}  // namespace montrelle
