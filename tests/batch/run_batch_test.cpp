#include "batch/run_batch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/test_pictures.h"
#include "support/expect_error.h"
#include "support/expected_pages.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FakeUi;
using testing::FileLines;
using testing::FolderTree;
using testing::PictureTree;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

// Records what the run does to the windows, one line each.
class RecordingWindows : public BatchWindows {
 public:
  Lines log;
  void HideBatchWindow() override { log.push_back("hide"); }
  void ShowBatchWindow() override { log.push_back("show"); }
  void ShowFolder(const std::string& out_path, const std::string& out_name) override {
    log.push_back("folder: " + out_path + " " + out_name);
  }
  bool MayFillList() override { return may_fill_list; }
  bool may_fill_list = true;
};

class RunBatchTest : public ::testing::Test {
 protected:
  RunBatchTest() {
    std::filesystem::create_directories(out);
    batch.macro_mode = true;
    // Whatever the list held before the run must not show up in any folder's list.
    list.Append(dir / "old.jpg", "古い", "1\t0\t0");
  }

  // Writes a file (its folders made first): a real picture for a picture name.
  void File(const std::string& path, int width = 40, int height = 30) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const bool picture = path.ends_with(".jpg") || path.ends_with(".bmp");
    WriteBytes(path, picture ? testing::PictureBytes(path, width, height) : "text");
  }

  BatchEnd Run(bool lists_only) {
    return RunBatch({search, out, lists_only}, settings, list, ui, batch, windows, dir / "none");
  }

  TempDir dir;
  const std::string search = dir / "trip";
  const std::string out = dir / "web";
  LiveSettings settings;
  ImageFileList list;
  FakeUi ui;
  BatchState batch;
  RecordingWindows windows;
};

TEST_F(RunBatchTest, ListFilesOnlyEachFolderWithItsOwnPictures) {
  File(search + "/.hidden/h.jpg");
  File(search + "/a_empty/notes.txt");
  for (const char* name : {".c.jpg", "a.JPG", "b.jpeg", "A.Jpg", "jpg_notes.txt", "notes.txt",
                           "raw/x.jpg", "jpg_old/y.jpg"}) {
    File(search + "/day1/" + name);
  }
  File(search + "/day2/z.bmp");
  File(search + "/file.jpg");
  // A phone picture enters its folder's list turned upright.
  WriteBytes(search + "/day1/a.JPG", testing::WithExifOrientation(testing::JpegPicture(40, 30), 6));

  EXPECT_EQ(Run(true), BatchEnd::kFinished);

  const std::string day1 = search + "/day1/";
  const std::string zeros = "0\t0\t0\r\n";
  EXPECT_EQ(FolderTree(out), (Lines{"day1_list.txt", "day2_list.txt"}));
  EXPECT_EQ(ReadBytes(out + "/day1_list.txt"), day1 + ".c.jpg\r\n" + day1 + "a.JPG\r\n" + day1 +
                                                   "b.jpeg\r\n" + day1 + "jpg_notes.txt\r\n" +
                                                   day1 + "jpg_old\r\n\r\n\r\n\r\n\r\n\r\n\r\n" +
                                                   zeros + "0\t0\t2\r\n" + zeros + zeros + zeros);
  EXPECT_EQ(ReadBytes(out + "/day2_list.txt"), search + "/day2/z.bmp\r\n\r\n\r\n" + zeros);
  // The list keeps the last folder's pictures.
  EXPECT_EQ(list.paths(), Lines{search + "/day2/z.bmp"});
  EXPECT_EQ(list.comments(), Lines{""});
  EXPECT_EQ(list.orientations(), Lines{"0\t0\t0"});
  EXPECT_EQ(list.row(1)[1], "z.bmp");
  EXPECT_EQ(list.row(2)[1], "");

  EXPECT_EQ(windows.log, (Lines{"hide", "folder: " + out + "/day1 day1.html",
                                "folder: " + out + "/day2 day2.html", "show"}));
  EXPECT_EQ(ui.log, (Lines{"okcancel: マクロ処理を開始します", "beep", "message: 終了しました"}));
  EXPECT_TRUE(batch.macro_first) << "no make run took place";
  EXPECT_EQ(batch.batch_root, out);
}

TEST_F(RunBatchTest, GalleriesShareOneQrvList) {
  File(search + "/day1/a.jpg");
  File(search + "/day1/b.jpg", 30, 40);
  File(search + "/day2/c.bmp", 20, 10);
  File(search + "/day3/notes.txt");
  WriteBytes(out + "/web_QRV.txt", "from an older batch\r\n");
  settings.simake = true;
  settings.qrvlist = true;

  EXPECT_EQ(Run(false), BatchEnd::kFinished);

  EXPECT_EQ(PictureTree(out),
            testing::Concat(
                {{".montrelle.record", "day1/", "day1/.montrelle.record", "day1/day1.html"},
                 {"day1/small_images/", "day1/small_images/a.jpg JPEG 80x60",
                  "day1/small_images/b.jpg JPEG 80x106", "day1/src_files/", "day1/src_files/a.htm",
                  "day1/src_files/b.htm", "day1/src_files/day1_menu1.htm", "day2/",
                  "day2/.montrelle.record", "day2/day2.html", "day2/small_images/",
                  "day2/small_images/c.bmp BMP 80x40", "day2/src_files/", "day2/src_files/c.htm",
                  "day2/src_files/day2_menu1.htm", "index.html", "web_QRV.txt"}}));
  // The album, in the table layout's look: a cover, the name and the count each.
  EXPECT_EQ(
      FileLines(out + "/index.html"),
      testing::Concat({testing::PageOpening("web", testing::kWhiteBody),
                       {"<BR>", "", "<TABLE BORDER=\"0\">", "<TR>", "<TD>",
                        "<A HREF=\"day1/day1.html\"><IMG SRC=\"day1/small_images/a.jpg\" "
                        "ALT=\"day1\"></A><BR>day1<BR>2枚",
                        "</TD>", "<TD>",
                        "<A HREF=\"day2/day2.html\"><IMG SRC=\"day2/small_images/c.bmp\" "
                        "ALT=\"day2\"></A><BR>day2<BR>1枚",
                        "</TD>", "</TR>", "</TABLE>", "</CENTER>", "", "", "</BODY>", "</HTML>"}}));
  EXPECT_EQ(ReadBytes(out + "/web_QRV.txt"),
            "day1/day1.html\tday1/small_images/a.jpg\r\n"
            "day2/day2.html\tday2/small_images/c.bmp\r\n");
  EXPECT_FALSE(batch.macro_first);
  EXPECT_EQ(list.paths(), Lines{search + "/day2/c.bmp"});
  EXPECT_EQ(windows.log, (Lines{"hide", "folder: " + out + "/day1 day1.html",
                                "folder: " + out + "/day2 day2.html", "show"}));
  // Batch mode: no question and no end message from the galleries, one at the end.
  EXPECT_EQ(ui.log.front(), "okcancel: マクロ処理を開始します");
  for (size_t i = 1; i + 2 < ui.log.size(); ++i) {
    EXPECT_TRUE(ui.log[i].starts_with("phase: ") || ui.log[i].starts_with("progress: "))
        << ui.log[i];
  }
  EXPECT_EQ(Lines(ui.log.end() - 2, ui.log.end()), (Lines{"beep", "message: 終了しました"}));
  // The bar counts the pictures of every folder, from the first to the last.
  EXPECT_EQ(ui.bar, (Lines{"0/3", "day1 1/3  0/3", "day1 1/3  縮小画像  0/3",
                           "day1 1/3  縮小画像  1/3", "day1 1/3  縮小画像  2/3", "day1 1/3  2/3",
                           "day2 2/3  2/3", "day2 2/3  縮小画像  2/3", "day2 2/3  縮小画像  3/3",
                           "day2 2/3  3/3", "day3 3/3  3/3", ""}));
}

// An index.html the user put there is never replaced: the album goes beside it,
// and the run says so, in the next batch too.
TEST_F(RunBatchTest, AnIndexPageOfTheUsersIsKept) {
  File(search + "/day1/a.jpg");
  WriteBytes(out + "/index.html", "mine");
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(Run(false), BatchEnd::kFinished);
    EXPECT_EQ(ui.log.end()[-3],
              "message: index.html は残し、アルバムのページを album.html に書きました");
    EXPECT_EQ(ReadBytes(out + "/index.html"), "mine");
    EXPECT_TRUE(std::filesystem::is_regular_file(out + "/album.html"));
  }  // The album's own index.html is replaced.
  std::filesystem::remove(out + "/index.html");
  std::filesystem::remove(out + "/album.html");
  for (int run = 0; run < 2; ++run) EXPECT_EQ(Run(false), BatchEnd::kFinished);
  EXPECT_FALSE(std::filesystem::exists(out + "/album.html"));
}

TEST_F(RunBatchTest, StopsAtTheFirstFolderThatFails) {
  File(search + "/day1/a.jpg");
  File(search + "/day2/b.jpg");
  const Lines stopped_at_day1 = {"hide", "folder: " + out + "/day1 day1.html", "show"};

  // A message ends the folder's run, and the batch with it.
  settings.frame_width = "8O";
  EXPECT_EQ(Run(false), BatchEnd::kStopped);
  EXPECT_EQ(ui.log, (Lines{"okcancel: マクロ処理を開始します",
                           "message: 設定値は不正です。確認してください。\nメイン画像の幅：'8O'"}));
  EXPECT_EQ(windows.log, stopped_at_day1);
  EXPECT_EQ(FolderTree(out), Lines{"day1/"});

  // An error goes on to the caller once the batch window is back.
  settings.frame_width = "550";
  windows.log.clear();
  ui.log.clear();
  std::filesystem::create_directories(out + "/day1/day1.html/x");
  testing::ExpectAppError([&] { Run(false); }, "I/O エラー (21): " + out + "/day1/day1.html");
  EXPECT_EQ(windows.log, stopped_at_day1);
  EXPECT_EQ(ui.log, (Lines{"okcancel: マクロ処理を開始します", "phase: HTMLファイル作成"}));
  EXPECT_FALSE(std::filesystem::exists(out + "/day2"));
}

TEST_F(RunBatchTest, EndsEarlyWithoutItsInputs) {
  File(search + "/day1/a.jpg");
  File(dir / "hidden_only/.day/a.jpg");
  File(dir / "hidden_only/a.jpg");
  File(dir / "no_pictures/day/notes.txt");
  const struct {
    const char* what;
    std::string search, out, out_name;
    bool answer;
    BatchEnd end;
    Lines ui_log, windows_log;
  } cases[] = {
      {"no output name", search, out, "", true, BatchEnd::kNotStarted, {}, {}},
      {"no search folder",
       "",
       out,
       "a.html",
       true,
       BatchEnd::kNotStarted,
       {"message: 検索フォルダを指定してください"},
       {}},
      {"no output folder",
       search,
       "",
       "a.html",
       true,
       BatchEnd::kNotStarted,
       {"message: 出力フォルダを指定してください"},
       {}},
      {"cancelled",
       search,
       out,
       "a.html",
       false,
       BatchEnd::kNotStarted,
       {"okcancel: マクロ処理を開始します"},
       {}},
      {"only hidden folders and files",
       dir / "hidden_only",
       out,
       "a.html",
       true,
       BatchEnd::kNothingFound,
       {"okcancel: マクロ処理を開始します",
        "message: 処理するフォルダがありません: " + dir / "hidden_only"},
       {"hide", "show"}},
      {"a missing search folder",
       dir / "missing",
       out,
       "a.html",
       true,
       BatchEnd::kNothingFound,
       {"okcancel: マクロ処理を開始します",
        "message: 処理するフォルダがありません: " + dir / "missing"},
       {"hide", "show"}},
      {"folders without pictures",
       dir / "no_pictures",
       out,
       "a.html",
       true,
       BatchEnd::kFinished,
       {"okcancel: マクロ処理を開始します", "beep", "message: 終了しました"},
       {"hide", "show"}},
  };
  for (const auto& c : cases) {
    ui.log.clear();
    ui.answers = {c.answer};
    windows.log.clear();
    settings.out_name = c.out_name;
    EXPECT_EQ(RunBatch({c.search, c.out, false}, settings, list, ui, batch, windows, dir / "none"),
              c.end)
        << c.what;
    EXPECT_EQ(ui.log, c.ui_log) << c.what;
    EXPECT_EQ(windows.log, c.windows_log) << c.what;
    EXPECT_EQ(list.paths(), Lines{dir / "old.jpg"}) << c.what;
    EXPECT_EQ(FolderTree(out), Lines{}) << c.what;
  }
  // The user keeps an unsaved list: nothing is asked or done.
  ui.log.clear();
  windows.may_fill_list = false;
  EXPECT_EQ(RunBatch({search, out, false}, settings, list, ui, batch, windows, ""),
            BatchEnd::kNotStarted);
  EXPECT_EQ(ui.log, Lines{});
}

}  // namespace
}  // namespace montrelle
