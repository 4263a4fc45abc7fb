#include "imagelist/image_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "imagelist/list_operations.h"
#include "imagelist/picture_kind.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::FakeUi;
using testing::TempDir;
using testing::WriteBytes;

// The numbers and names of rows 1..n, as the grid shows them.
std::vector<std::string> Shown(const ImageFileList& list, int rows) {
  std::vector<std::string> out;
  for (int r = 1; r <= rows; ++r) out.push_back(list.row(r)[0] + "|" + list.row(r)[1]);
  return out;
}

class ImageListTest : public ::testing::Test {
 protected:
  // a.jpg, b.jpg, c.jpg, ... with their own comments and orientations.
  void Fill(int n) {
    for (int i = 0; i < n; ++i) {
      std::string name = std::string(1, static_cast<char>('a' + i)) + ".jpg";
      list.Append(dir / name, 'c' + std::to_string(i + 1), "0\t0\t" + std::to_string(i % 4));
    }
  }
  TempDir dir;
  ImageFileList list;
  FakeUi ui;
};

TEST_F(ImageListTest, GridStartsWithHeaderAndGrowsByTen) {
  EXPECT_EQ(list.row_count(), 21);
  EXPECT_EQ(list.row(0), (GridRow{"No.", "ファイル名", "サイズ", "更新日時"}));
  const struct {
    int entries;
    int rows;
  } growth[] = {{20, 21}, {21, 31}, {30, 31}, {31, 41}};
  for (const auto& g : growth) {
    while (list.count() < g.entries) list.Append("/x/p.jpg", "", kDefaultOrientation);
    EXPECT_EQ(list.row_count(), g.rows) << g.entries;
  }
  list.Clear();
  EXPECT_EQ(list.row_count(), 41);
  EXPECT_EQ(list.row(1), GridRow{});
}

TEST_F(ImageListTest, AddFileReadsDisplayTexts) {
  const struct {
    size_t bytes;
    const char* text;
  } sizes[] = {{0, "0 KB"}, {999, "0 KB"}, {1000, "1 KB"}, {1999, "1 KB"}, {2048000, "2048 KB"}};
  for (const auto& s : sizes) {
    std::string path = dir / (std::to_string(s.bytes) + ".jpg");
    WriteBytes(path, std::string(s.bytes, 'x'));
    list.AddFile(path);
    EXPECT_EQ(list.row(list.count())[2], s.text);
  }
  EXPECT_EQ(SizeText(3'000'000'000LL), "3000000 KB");
  ImageEntry e = list.Entry(2);
  EXPECT_EQ(e.path, dir / "999.jpg");
  EXPECT_EQ(e.file_name, "999.jpg");
  EXPECT_EQ(e.comment, "");
  EXPECT_EQ(e.orientation, "0\t0\t0");
  EXPECT_EQ(list.row(2)[0], "2");
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(DateText(1078650300), "2004/03/07 09:05");
}

TEST_F(ImageListTest, DeleteMovesLaterEntriesUpWithTheirTexts) {
  Fill(3);
  list.SetShownText(3, 1, "edited");
  DeleteCurrent(list, 2, /*dontask=*/false, ui);
  EXPECT_EQ(ui.log, std::vector<std::string>{"okcancel: 指定したリストを削除していいですか？"});
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(Shown(list, 3), (std::vector<std::string>{"1|a.jpg", "2|edited", "|"}));
  EXPECT_EQ(list.paths()[1], dir / "c.jpg");
  EXPECT_EQ(list.comments(), (std::vector<std::string>{"c1", "c3"}));
  EXPECT_EQ(list.orientations()[1], "0\t0\t2");

  ui.answers = {false};
  DeleteCurrent(list, 1, false, ui);
  EXPECT_EQ(list.count(), 2);
  ui.log.clear();
  for (int row : {0, 3, 20}) DeleteCurrent(list, row, false, ui);
  DeleteCurrent(list, 2, /*dontask=*/true, ui);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(Shown(list, 2), (std::vector<std::string>{"1|a.jpg", "|"}));
}

TEST_F(ImageListTest, MovesSwapNeighboursAndFollowTheEntry) {
  Fill(3);
  EXPECT_EQ(MoveUp(list, 1), 1);
  EXPECT_EQ(MoveDown(list, 3), 3);
  EXPECT_EQ(MoveUp(list, 5), 5);
  EXPECT_EQ(MoveDown(list, 5), 5);
  EXPECT_EQ(Shown(list, 3), (std::vector<std::string>{"1|a.jpg", "2|b.jpg", "3|c.jpg"}));
  EXPECT_EQ(MoveUp(list, 2), 1);
  EXPECT_EQ(Shown(list, 3), (std::vector<std::string>{"1|b.jpg", "2|a.jpg", "3|c.jpg"}));
  EXPECT_EQ(list.comments(), (std::vector<std::string>{"c2", "c1", "c3"}));
  EXPECT_EQ(MoveDown(list, 2), 3);
  EXPECT_EQ(list.paths(), (std::vector<std::string>{dir / "b.jpg", dir / "c.jpg", dir / "a.jpg"}));
  EXPECT_EQ(list.orientations(), (std::vector<std::string>{"0\t0\t1", "0\t0\t2", "0\t0\t0"}));
}

TEST_F(ImageListTest, ClearAllAsksAndReports) {
  EXPECT_FALSE(ClearAll(list, false, ui));
  EXPECT_TRUE(ui.log.empty());
  Fill(2);
  ui.answers = {false};
  EXPECT_FALSE(ClearAll(list, false, ui));
  EXPECT_EQ(list.count(), 2);
  EXPECT_TRUE(ClearAll(list, false, ui));
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"okcancel: リストを全て削除していいですか？",
                                              "okcancel: リストを全て削除していいですか？"}));
  Fill(2);
  ui.log.clear();
  EXPECT_FALSE(ClearAll(list, true, ui));
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(ui.log.empty());
  EXPECT_EQ(Shown(list, 2), (std::vector<std::string>{"|", "|"}));
}

TEST(KindsOf, SubstringsForJpegAndBitmapLastExtensionForTheOthers) {
  const struct {
    const char* path;
    bool jpeg, bitmap;
    std::optional<LibraryFormat> library;
  } cases[] = {
      {"/p/photo.jpg", true, false, std::nullopt},
      {"/p/photo.Jpg", false, false, std::nullopt},
      {"/p/a.JPEG", true, false, std::nullopt},
      {"/p/photo.jpg.txt", true, false, std::nullopt},
      {"/scans.bmp/a.jpg", true, true, std::nullopt},
      {"/p/x.HEIC", false, false, LibraryFormat::kHeif},
      {"/p/x.heif", false, false, LibraryFormat::kHeif},
      {"/p/x.Hif", false, false, LibraryFormat::kHeif},
      {"/p/x.avif", false, false, LibraryFormat::kHeif},
      {"/p/x.WebP", false, false, LibraryFormat::kWebp},
      {"/p/a.tar.png", false, false, LibraryFormat::kPng},
      {"/p/scans.bmp/x.png", false, false, LibraryFormat::kPng},  // the file's own name decides
      {"/p/x.jpg.png", false, false, LibraryFormat::kPng},
      {"/p/x.png.jpg", true, false, std::nullopt},
      {"/p.png/notes", false, false, std::nullopt},
      {"/p/png", false, false, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindsOf(c.path), (PictureKinds{c.jpeg, c.bitmap, c.library})) << c.path;
  }
}

TEST_F(ImageListTest, DropAcceptanceByNameAndExistence) {
  mkdir((dir / "folder.jpg").c_str(), 0755);
  for (const char* name :
       {"photo.jpg", "photo.Jpg", "photo.gif", "photo.jpg.txt", "a.JPEG", "b.bmp", "x.HEIC"}) {
    WriteBytes(dir / name, "x");
  }
  EXPECT_TRUE(AcceptsDroppedPath(dir / "photo.jpg"));
  EXPECT_TRUE(AcceptsDroppedPath(dir / "photo.jpg.txt"));
  EXPECT_TRUE(AcceptsDroppedPath(dir / "a.JPEG"));
  EXPECT_TRUE(AcceptsDroppedPath(dir / "b.bmp"));
  EXPECT_TRUE(AcceptsDroppedPath(dir / "x.HEIC"));
  EXPECT_FALSE(AcceptsDroppedPath(dir / "photo.Jpg"));
  EXPECT_FALSE(AcceptsDroppedPath(dir / "photo.gif"));
  EXPECT_FALSE(AcceptsDroppedPath(dir / "folder.jpg"));
  EXPECT_FALSE(AcceptsDroppedPath(dir / "missing.jpg"));
}

}  // namespace
}  // namespace montrelle
