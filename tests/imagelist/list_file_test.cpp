#include "imagelist/list_file.h"

#include <gtest/gtest.h>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::FakeUi;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Loaded {
  std::vector<std::string> paths, comments, orientations;
  bool operator==(const Loaded&) const = default;
};

Loaded Contents(const ImageFileList& list) {
  return {list.paths(), list.comments(), list.orientations()};
}

std::ostream& operator<<(std::ostream& os, const Loaded& l) {
  for (size_t i = 0; i < l.paths.size(); ++i)
    os << "[" << l.paths[i] << "|" << l.comments[i] << "|" << l.orientations[i] << "]";
  return os;
}

TEST(ListFileName, ExtensionBecomesTxt) {
  EXPECT_EQ(ListFileName("/d/list"), "/d/list.txt");
  EXPECT_EQ(ListFileName("/d/list.dat"), "/d/list.txt");
  EXPECT_EQ(ListFileName("/d/list.txt"), "/d/list.txt");
  EXPECT_EQ(ListFileName("/d.x/list"), "/d.x/list.txt");
}

TEST(ListFile, SavesThreeBlocksInCp932AndLoadsThemBack) {
  TempDir dir;
  WriteBytes(dir / "庭.jpg", std::string(1500, 'x'));
  ImageFileList list;
  list.Append(dir / "庭.jpg", "春の庭", "1\t0\t0");
  list.Append(dir / "b.bmp", "", "0\t0\t2");
  FakeUi ui;
  std::string file = dir / "list.txt";
  ASSERT_TRUE(SaveListFile(list, file, ui));
  EXPECT_TRUE(ui.log.empty());
  std::string dir_cp932 = dir.path();  // ASCII temp folder
  EXPECT_EQ(ReadBytes(file),
            dir_cp932 + "/\x92\xeb.jpg\r\n" + dir_cp932 +
                "/b.bmp\r\n\r\n\x8f\x74\x82\xcc\x92\xeb\r\n\r\n1\t0\t0\r\n0\t0\t2\r\n");

  ImageFileList loaded;
  loaded.Append("/old.jpg", "old", "0\t0\t0");
  LoadListFile(loaded, file);
  EXPECT_EQ(Contents(loaded), Contents(list));
  EXPECT_EQ(loaded.row(1), (GridRow{"1", "庭.jpg", "1 KB", list.row(1)[3]}));
  EXPECT_EQ(loaded.row(2), (GridRow{"2", "b.bmp", "", ""}));  // a listed file that is missing
}

TEST(ListFile, EmptyListAndUnwritableTextWriteNothing) {
  TempDir dir;
  FakeUi ui;
  ImageFileList list;
  EXPECT_FALSE(SaveListFile(list, dir / "l.txt", ui));
  EXPECT_EQ(ui.log, std::vector<std::string>{"message: 保存すべき画像ファイルリストがありません"});
  EXPECT_FALSE(FileExists(dir / "l.txt"));

  WriteBytes(dir / "l.txt", "previous");
  list.Append("/p/a.jpg", "¥500", "0\t0\t0");
  EXPECT_THROW(SaveListFile(list, dir / "l.txt", ui), AppError);
  list.SetComment(1, "ok");
  list.Append("/p/波〜.jpg", "", "0\t0\t0");
  EXPECT_THROW(SaveListFile(list, dir / "l.txt", ui), AppError);
  EXPECT_EQ(ReadBytes(dir / "l.txt"), "previous");
}

TEST(ListFile, ReaderTolerance) {
  const struct {
    const char* name;
    std::string text;
    Loaded expected;
  } cases[] = {
      {"bare paths",
       "/a.jpg\r\n/b.jpg\r\n/c.jpg",
       {{"/a.jpg", "/b.jpg", "/c.jpg"}, {"", "", ""}, {"0\t0\t0", "0\t0\t0", "0\t0\t0"}}},
      {"cut in the comment block",
       "/a.jpg\r\n/b.jpg\r\n\r\nx\r\n",
       {{"/a.jpg", "/b.jpg"}, {"x", ""}, {"0\t0\t0", "0\t0\t0"}}},
      {"cut in the orientation block",
       "/a.jpg\n/b.jpg\n\nx\ny\n1\t1\t1\n",
       {{"/a.jpg", "/b.jpg"}, {"x", "y"}, {"1\t1\t1", "0\t0\t0"}}},
      {"empty line before the first path",
       "\r\n/a.jpg\r\n/b.jpg\r\n",
       {{"/a.jpg", "/b.jpg"}, {"", ""}, {"0\t0\t0", "0\t0\t0"}}},
      {"empty line between paths",
       "/a.jpg\n\n/b.jpg\n0\t0\t1\n/c.jpg\n",
       {{"/a.jpg", "/c.jpg"}, {"/b.jpg", ""}, {"0\t0\t1", "0\t0\t0"}}},
      {"extra lines after the blocks",
       "/a.jpg\n\nc\n1\t0\t0\n/d.jpg\n\n",
       {{"/a.jpg", "/d.jpg"}, {"c", ""}, {"1\t0\t0", "0\t0\t0"}}},
      {"second block for later paths",
       "/a.jpg\n\nc\n1\t0\t0\n/d.jpg\n\ncd\n0\t1\t0\n",
       {{"/a.jpg", "/d.jpg"}, {"c", "cd"}, {"1\t0\t0", "0\t1\t0"}}},
      {"empty comments stay empty",
       "/a.jpg\n/b.jpg\n\n\n\n0\t0\t0\n0\t0\t3\n",
       {{"/a.jpg", "/b.jpg"}, {"", ""}, {"0\t0\t0", "0\t0\t3"}}},
      {"ends at Ctrl-Z", "/a.jpg\n\x1A/b.jpg\n", {{"/a.jpg"}, {""}, {"0\t0\t0"}}},
      {"UTF-8 written by hand", "/写真/a.jpg\n\n夏〜\n", {{"/写真/a.jpg"}, {"夏〜"}, {"0\t0\t0"}}},
      {"CP932 from Windows",
       "C:\\\x95\x5c\\a.jpg\r\n\r\n\x8f\x74\r\n",
       {{"C:\\表\\a.jpg"}, {"春"}, {"0\t0\t0"}}},
      {"empty file", "", {}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    WriteBytes(dir / "l.txt", c.text);
    ImageFileList list;
    LoadListFile(list, dir / "l.txt");
    EXPECT_EQ(Contents(list), c.expected) << c.name;
    for (int r = 1; r <= list.count(); ++r) EXPECT_EQ(list.row(r)[0], std::to_string(r)) << c.name;
  }
}

TEST(ListFile, UnreadableFileLeavesAnEmptyList) {
  TempDir dir;
  ImageFileList list;
  list.Append("/a.jpg", "", "0\t0\t0");
  EXPECT_THROW(LoadListFile(list, dir / "missing.txt"), AppError);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.row(1), GridRow{});
  EXPECT_THROW(LoadListFile(list, dir.path()), AppError);
  EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace montrelle
