#include "imagelist/list_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "support/as_other_user.h"
#include "support/expect_error.h"
#include "support/fake_ui.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
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

  // A name from the disk that is no valid text: the message names it.
  ImageFileList named;
  named.Append("/p/a.jpg", "", "0\t0\t0");
  named.Append("/p/\xFF\xFE.jpg", "", "0\t0\t0");
  ExpectAppError([&] { SaveListFile(named, dir / "l.txt", ui); },
                 "ファイル " + (dir / "l.txt") +
                     " に書けない文字があります: 「\\xFF\\xFE.jpg」は正しい文字列ではありません");
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

// A triple the file gives is kept, whatever the picture's own tag would say; only
// the missing ones are asked for.
TEST(ListFile, MissingTriplesComeFromTheSourceGiven) {
  TempDir dir;
  WriteBytes(dir / "l.txt", "/a.jpg\n/b.jpg\n/c.jpg\n\n\n\n\n0\t0\t0\n");
  std::vector<std::string> asked;
  ImageFileList list;
  LoadListFile(list, dir / "l.txt", [&](const std::string& picture) {
    asked.push_back(picture);
    return "1\t0\t" + std::to_string(asked.size());
  });
  EXPECT_EQ(
      Contents(list),
      (Loaded{{"/a.jpg", "/b.jpg", "/c.jpg"}, {"", "", ""}, {"0\t0\t0", "1\t0\t1", "1\t0\t2"}}));
  EXPECT_EQ(asked, (std::vector<std::string>{"/b.jpg", "/c.jpg"}));
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
  list.Append("/a.jpg", "", "0\t0\t0");
  ExpectAppError([&] { LoadListFile(list, "/dev/zero"); }, "ファイル /dev/zero は開けません");
  EXPECT_EQ(list.count(), 0);
}

// A save that cannot be written, because the folder is read-only or the disk is
// full, leaves the previous list file as it was and says why, naming the file.
TEST(ListFile, FailedSaveKeepsThePreviousFileWhole) {
  const std::string previous = "/old/a.jpg\r\n\r\n\r\n0\t0\t0\r\n";
  ImageFileList list;
  for (int i = 0; i < 300; ++i)
    list.Append("/pictures/" + std::to_string(i) + ".jpg", "春", "0\t0\t1");
  FakeUi ui;
  {
    TempDir dir;
    const std::string path = dir / "list.txt";
    WriteBytes(path, previous);
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    const int rc = testing::RunAsOtherUser([&] {
      try {
        SaveListFile(list, path, ui);
        return 1;
      } catch (const AppError& e) {
        return std::string(e.what()) == "ファイルへのアクセスが拒否されました: " + path ? 0 : 2;
      }
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(ListFolder(dir.path()).size(), 1u);
  }
  TempDir dir;
  testing::SmallDisk disk(dir.path(), 64);
  SKIP_UNLESS_MOUNTED(disk);
  const std::string path = dir / "list.txt";
  WriteBytes(path, previous);
  disk.Fill("filler");
  ExpectAppError([&] { SaveListFile(list, path, ui); }, "ディスクがいっぱいです: " + path);
  EXPECT_EQ(ReadBytes(path), previous);
  EXPECT_EQ(ListFolder(dir.path()).size(), 2u);
  EXPECT_TRUE(ui.log.empty());
}

// The list of a large gallery: ten thousand entries saved and loaded back whole.
TEST(ListFile, TenThousandEntriesSaveAndLoadBackWhole) {
  TempDir dir;
  ImageFileList list;
  for (int i = 0; i < 10000; ++i) {
    list.Append(dir / ("写真" + std::to_string(i) + ".jpg"),
                i % 3 ? "" : "春の庭 " + std::to_string(i), i % 2 ? "0\t0\t0" : "1\t0\t2");
  }
  FakeUi ui;
  const std::string path = dir / "list.txt";
  SaveListFile(list, path, ui);
  ImageFileList loaded;
  LoadListFile(loaded, path);
  EXPECT_EQ(Contents(loaded), Contents(list));
  EXPECT_EQ(loaded.row_count(), list.row_count());
}

// Files of some megabytes in every shape load with the entries they hold (a reader
// slower than linear in any shape shows as a time-out).
TEST(ListFile, LargeFilesOfEveryShapeLoadWhole) {
  constexpr int kLines = 200000;
  std::string bare, blocks, empties, alternating;
  for (int i = 0; i < kLines; ++i) {
    bare += "/p/" + std::to_string(i) + ".jpg\r\n";
    empties += "\r\n";
    alternating += "/p/" + std::to_string(i) + ".jpg\r\n\r\n";
  }
  for (int i = 0; i < kLines / 3; ++i) blocks += "/p/" + std::to_string(i) + ".jpg\r\n";
  blocks += "\r\n";
  for (int i = 0; i < kLines / 3; ++i) blocks += "コメント\r\n";
  for (int i = 0; i < kLines / 3; ++i) blocks += "0\t0\t1\r\n";
  const struct {
    const char* name;
    std::string text;
    int count;
  } files[] = {
      {"bare paths", bare, kLines},
      {"three blocks", blocks, kLines / 3},
      {"empty lines", empties, 0},
      {"a path and an empty line, again and again", alternating, kLines / 2},
      {"one line of 8 MB", std::string(8 << 20, 'x'), 1},
      {"carriage returns", std::string(8 << 20, '\r') + "/a.jpg", 1},
  };
  TempDir dir;
  for (const auto& f : files) {
    WriteBytes(dir / "l.txt", f.text);
    ImageFileList list;
    LoadListFile(list, dir / "l.txt");
    EXPECT_EQ(list.count(), f.count) << f.name;
  }
}

}  // namespace
}  // namespace montrelle
