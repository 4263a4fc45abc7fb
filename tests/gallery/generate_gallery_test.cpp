#include "gallery/generate_gallery.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <algorithm>
#include <functional>
#include <tuple>

#include <fcntl.h>
#include <jerror.h>
#include <jpeglib.h>
#include <unistd.h>

#include "gallery/output_record.h"
#include "gallery/picture_check.h"
#include "imaging/jpeg_codec.h"
#include "imaging/library_test_pictures.h"
#include "imaging/test_pictures.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/run_stop.h"
#include "support/as_other_user.h"
#include "support/expected_pages.h"
#include "support/fake_ui.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FakeUi;
using testing::FileLines;
using testing::FilesAsTheyAre;
using testing::FolderTree;
using testing::PictureTree;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

class GenerateGalleryTest : public ::testing::Test {
 protected:
  GenerateGalleryTest() {
    settings.out_path = dir / "out";
    settings.out_name = "index.html";
    settings.title = "旅";
    EXPECT_TRUE(CreateFolder(dir / "photos"));
    EXPECT_TRUE(CreateFolder(dir / "buttons"));
    for (const char* gif : {"top.gif", "last.gif", "previous.gif", "next.gif"}) {
      WriteBytes(dir / ("buttons/" + std::string(gif)), gif);
    }
  }

  // A real 40 x 30 picture in photos/ (a bitmap for a .bmp name), added to the list.
  void AddPicture(const std::string& name, const char* orientation = "0\t0\t0") {
    WriteBytes(dir / ("photos/" + name), testing::PictureBytes(name, 40, 30));
    list.Append(dir / ("photos/" + name), "", orientation);
  }

  bool Run() { return GenerateGallery(settings, list, ui, batch, dir / "buttons"); }

  TempDir dir;
  LiveSettings settings;
  ImageFileList list;
  FakeUi ui;
  BatchState batch;
};

TEST_F(GenerateGalleryTest, PreconditionsInTheirOrder) {
  const struct {
    int pictures;
    const char* out_name;
    bool out_path;
    Lines log;
  } cases[] = {
      {0, "", false, {"message: 対象となる画像ファイルを選択してください"}},
      {1, "", false, {"message: 出力ファイル名を指定してください", "focus: edt_out"}},
      {1, "", true, {"message: 出力ファイル名を指定してください", "focus: edt_out"}},
      {1, "index.html", false, {"message: 出力フォルダを指定してください", "focus: edt_out_path"}},
  };
  for (bool macro_mode : {false, true}) {
    for (const auto& c : cases) {
      ImageFileList pictures;
      for (int n = 0; n < c.pictures; ++n) pictures.Append(dir / "photos/a.jpg", "", "0\t0\t0");
      settings.out_name = c.out_name;
      settings.out_path = c.out_path ? dir / "out" : "";
      batch.macro_mode = macro_mode;
      FakeUi fresh;
      EXPECT_FALSE(GenerateGallery(settings, pictures, fresh, batch, dir / "buttons"));
      EXPECT_EQ(fresh.log, c.log);
    }
  }
  EXPECT_EQ(FolderTree(dir.path()), (Lines{"buttons/", "buttons/last.gif", "buttons/next.gif",
                                           "buttons/previous.gif", "buttons/top.gif", "photos/"}));
}

TEST_F(GenerateGalleryTest, FrameRunWritesTheTreeAndEnds) {
  settings.out_path = dir / "out/2024/spring";  // two missing levels below an existing one
  settings.simake = true;
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  ASSERT_TRUE(Run());
  EXPECT_EQ(ui.log, (Lines{"phase: HTMLファイル作成", "progress: 0/2", "progress: 1/2",
                           "progress: 0/2", "phase: 縮小画像作成", "progress: 0/2", "progress: 1/2",
                           "phase: ", "progress: ", "message: 終了しました"}));
  EXPECT_EQ(FolderTree(dir / "out"),
            (Lines{"2024/", "2024/spring/", "2024/spring/.montrelle.record",
                   "2024/spring/index.html", "2024/spring/small_images/",
                   "2024/spring/small_images/a.jpg", "2024/spring/small_images/b.jpg",
                   "2024/spring/src_files/", "2024/spring/src_files/a.htm",
                   "2024/spring/src_files/b.htm", "2024/spring/src_files/index_menu1.htm",
                   "2024/spring/src_files/last.gif", "2024/spring/src_files/next.gif",
                   "2024/spring/src_files/previous.gif", "2024/spring/src_files/top.gif"}));
  EXPECT_EQ(FileLines(dir / "out/2024/spring/src_files/b.htm"),
            testing::Concat({testing::PageOpening("旅", testing::kWhiteBody),
                             {"<IMG width = 550 SRC=\"../../../../photos/b.jpg\">", "</CENTER>",
                              "</BODY>", "</HTML>"}}));

  batch.macro_mode = true;
  ui.log.clear();
  ASSERT_TRUE(Run());
  EXPECT_EQ(ui.log.back(), "progress: ") << "no end message in a batch";
}

TEST_F(GenerateGalleryTest, TableRunPagesThenImagesThenBackground) {
  settings.layout = OutputLayout::kTable;
  settings.simake = true;
  settings.micopy = true;
  settings.bgishow = true;
  settings.bg_image = dir / "photos/paper.jpg";
  WriteBytes(settings.bg_image, "paper");
  AddPicture("a.jpg");
  AddPicture("b.bmp");
  ASSERT_TRUE(Run());
  EXPECT_EQ(ui.log,
            (Lines{"progress: 0/2", "progress: 0/2", "progress: 1/2", "phase: 縮小画像作成",
                   "progress: 0/2", "progress: 1/2", "phase: メイン画像コピー", "progress: 0/2",
                   "progress: 1/2", "phase: ", "progress: ", "message: 終了しました"}));
  EXPECT_EQ(PictureTree(dir / "out"),
            (Lines{".montrelle.record", "images/", "images/a.jpg JPEG 40x30",
                   "images/b.bmp BMP 40x30", "index.html", "small_images/",
                   "small_images/a.jpg JPEG 80x60", "small_images/b.bmp BMP 80x60", "src_files/",
                   "src_files/a.htm", "src_files/b.htm", "src_files/paper.jpg"}));
}

// The responsive layout makes its thumbnails and remakes its main images at its
// own width whatever the image flags say, turned by each picture's orientation; a
// JPEG no wider than its own size.
TEST_F(GenerateGalleryTest, ResponsiveRunAlwaysMakesBothImageSizes) {
  settings.layout = OutputLayout::kResponsive;
  settings.responsive_width = "120";
  AddPicture("a.jpg");
  AddPicture("b.bmp", "0\t0\t2");
  ASSERT_TRUE(Run());
  EXPECT_EQ(
      PictureTree(dir / "out"),
      (Lines{".montrelle.record", "images/", "images/a.jpg JPEG 40x30", "images/b.bmp BMP 120x160",
             "index.html", "small_images/", "small_images/a.jpg JPEG 40x30",
             "small_images/b.bmp BMP 80x106", "src_files/", "src_files/a.htm", "src_files/b.htm"}));
  EXPECT_EQ(ui.log.back(), "message: 終了しました");
  // Each step takes half of every picture's share of the bar.
  EXPECT_EQ(ui.bar, (Lines{"0/2", "縮小画像  0/2", "縮小画像  0/2", "縮小画像  1/2",
                           "メイン画像  1/2", "メイン画像  1/2", "メイン画像  2/2", "2/2", ""}));
}

// Pictures from phones and screens go into the frame and the responsive layout as
// the program's JPEGs under their ".jpg" names: a HEIC stored turned a quarter
// with its container turning it back comes out upright.
TEST_F(GenerateGalleryTest, PhonePicturesGoIntoEveryLayoutAsJpeg) {
  using testing::LibraryKind;
  const RgbImage quadrants = testing::QuadrantPicture(64, 48);
  testing::WriteLibraryPicture(dir / "photos/IMG_0001.HEIC", quadrants,
                               {.kind = LibraryKind::kHeic, .quarter_turn = true});
  testing::WriteLibraryPicture(dir / "photos/shot.png", quadrants,
                               {.kind = LibraryKind::kPng, .alpha = true});
  testing::WriteLibraryPicture(dir / "photos/photo.webp", quadrants,
                               {.kind = LibraryKind::kWebp, .lossy_webp = true});
  for (const char* name : {"IMG_0001.HEIC", "shot.png", "photo.webp"}) {
    list.Append(dir / ("photos/" + std::string(name)), "", "0\t0\t0");
  }
  settings.simake = true;
  settings.responsive_width = "32";
  for (const OutputLayout layout : {OutputLayout::kFrame, OutputLayout::kResponsive}) {
    settings.layout = layout;
    settings.out_path = dir / ("out" + std::to_string(static_cast<int>(layout)));
    ASSERT_TRUE(Run()) << ui.log.back();
    const bool frame = layout == OutputLayout::kFrame;
    const std::string main_size = frame ? "64x48" : "32x24";
    const std::string small_size = frame ? "80x60" : "64x48";
    Lines tree = {".montrelle.record", "images/"};
    const Lines other_sizes = {"images/2x/",
                               "images/2x/IMG_0001.jpg JPEG 64x48",
                               "images/2x/photo.jpg JPEG 64x48",
                               "images/2x/shot.jpg JPEG 64x48",
                               "images/IMG_0001.jpg JPEG 32x24",
                               "images/half/",
                               "images/half/IMG_0001.jpg JPEG 16x12",
                               "images/half/photo.jpg JPEG 16x12",
                               "images/half/shot.jpg JPEG 16x12"};
    if (!frame) tree.insert(tree.end(), other_sizes.begin(), other_sizes.end());
    if (frame) tree.push_back("images/IMG_0001.jpg JPEG " + main_size);
    tree.insert(
        tree.end(),
        {"images/photo.jpg JPEG " + main_size, "images/shot.jpg JPEG " + main_size, "index.html",
         "small_images/", "small_images/IMG_0001.jpg JPEG " + small_size,
         "small_images/photo.jpg JPEG " + small_size, "small_images/shot.jpg JPEG " + small_size,
         "src_files/", "src_files/IMG_0001.htm"});
    const Lines frame_files = {"src_files/index_menu1.htm", "src_files/last.gif",
                               "src_files/next.gif"};
    if (frame) tree.insert(tree.end(), frame_files.begin(), frame_files.end());
    tree.push_back("src_files/photo.htm");
    if (frame) tree.push_back("src_files/previous.gif");
    tree.push_back("src_files/shot.htm");
    if (frame) tree.push_back("src_files/top.gif");
    EXPECT_EQ(PictureTree(settings.out_path), tree) << static_cast<int>(layout);
    const RgbImage thumbnail =
        DecodeJpeg(ReadBytes(settings.out_path + "/small_images/IMG_0001.jpg"));
    const int right = thumbnail.width - 10, bottom = thumbnail.height - 10;
    for (const auto& [x, y, colour] : {std::tuple{10, 10, std::vector{255, 0, 0}},
                                       {right, 10, {0, 255, 0}},
                                       {10, bottom, {0, 0, 255}}}) {
      const std::vector<int> pixel = testing::PixelOf(thumbnail, x, y);
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], colour[c], 40) << x << "," << y;
    }
  }
}

TEST_F(GenerateGalleryTest, BadSettingsEndTheRunAfterTheFolder) {
  AddPicture("a.jpg");
  const struct {
    OutputLayout layout;
    std::string LiveSettings::*field;
    const char* text;
    const char* named;  // the second line of the message
  } cases[] = {
      {OutputLayout::kFrame, &LiveSettings::frame_width, "8O", "メイン画像の幅：'8O'"},
      {OutputLayout::kPulldown, &LiveSettings::small_width, "", "縮小画像の幅：''"},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "0", "一列の画像の数：'0'"},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "-1", "一列の画像の数：'-1'"},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "2147483647",
       "一列の画像の数：'2147483647'"},
      {OutputLayout::kTable, &LiveSettings::table_count, "0", "列数：'0'"},
      {OutputLayout::kTable, &LiveSettings::table_count, "-2", "列数：'-2'"},
      {OutputLayout::kTable, &LiveSettings::table_width, "x", "メイン画像の幅：'x'"},
      {OutputLayout::kPulldown, &LiveSettings::pulldown_width, "4 0", "メイン画像の幅：'4 0'"},
  };
  settings.qrvlist = true;
  settings.bgishow = true;
  settings.bg_image = dir / "photos/a.jpg";
  for (const auto& c : cases) {
    LiveSettings bad = settings;
    bad.out_path = dir / ("out/" + std::string(c.text) + "/x/y");
    bad.layout = c.layout;
    bad.*c.field = c.text;
    FakeUi fresh;
    EXPECT_FALSE(GenerateGallery(bad, list, fresh, batch, dir / "buttons"));
    EXPECT_EQ(fresh.log,
              Lines{std::string("message: 設定値は不正です。確認してください。\n") + c.named});
    EXPECT_TRUE(FolderExists(bad.out_path)) << c.text;
    EXPECT_TRUE(ListFolder(bad.out_path).empty()) << c.text;
  }
}

TEST_F(GenerateGalleryTest, FolderLevelThatCannotBeMade) {
  AddPicture("a.jpg");
  WriteBytes(dir / "out", "a file in the way");
  settings.out_path = dir / "out/gallery";
  EXPECT_FALSE(Run());
  EXPECT_EQ(ui.log, Lines{"message: 設定値は不正です。確認してください。\nフォルダ " +
                          (dir / "out") + " を作成できません: File exists"});
  EXPECT_EQ(ReadBytes(dir / "out"), "a file in the way");
}

TEST_F(GenerateGalleryTest, PageThatCannotBeWrittenEndsTheRunWithItsError) {
  AddPicture("a.jpg");
  ASSERT_TRUE(CreateFolder(dir / "out"));
  WriteBytes(dir / "out/src_files", "not a folder");
  try {
    Run();
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "I/O エラー (20): " + (dir / "out/src_files/a.htm"));
  }
  EXPECT_EQ(ui.log, (Lines{"phase: HTMLファイル作成", "progress: 0/1"}));
  EXPECT_EQ(FolderTree(dir / "out"), (Lines{".montrelle.record", "index.html", "src_files"}));
}

TEST_F(GenerateGalleryTest, QrvLineOutsideABatch) {
  ASSERT_TRUE(CreateFolder(dir / "out"));
  const struct {
    const char* first;
    bool simake, jpegconvert;
    const char* out_name;
    const char* file;
    std::string line;
  } cases[] = {
      {"photos/a.jpg", true, false, "index.html", "index_QRV.txt",
       "index.html\t/small_images/a.jpg"},
      {"photos/a.jpg", false, false, "gallery", "gallery_QRV.txt", "gallery.html\t../photos/a.jpg"},
      {"out/in.jpg", false, false, "index.htm", "index_QRV.txt", "index.html\t./in.jpg"},
      {"photos/s.bmp", true, true, "index.html", "index_QRV.txt",
       "index.html\t/small_images/s.jpg"},
      {"photos/写真.jpg", true, false, "写真.html", "写真_QRV.txt",
       "\x8e\xca\x90\x5e.html\t/small_images/\x8e\xca\x90\x5e.jpg"},
  };
  settings.qrvlist = true;
  settings.layout = std::nullopt;  // no pages, the line alone
  AddPicture("second.jpg");
  for (const auto& c : cases) {
    WriteBytes(dir / c.first, testing::PictureBytes(c.first, 40, 30));
    list.Clear();
    list.Append(dir / c.first, "", "0\t0\t0");
    list.Append(dir / "photos/second.jpg", "", "0\t0\t0");
    settings.simake = c.simake;
    settings.jpegconvert = c.jpegconvert;
    settings.out_name = c.out_name;
    WriteBytes(dir / ("out/" + std::string(c.file)), "an older list\r\n");
    ASSERT_TRUE(Run());
    EXPECT_EQ(ReadBytes(dir / ("out/" + std::string(c.file))), c.line + "\r\n") << c.first;
  }
}

TEST_F(GenerateGalleryTest, QrvListOfABatchIsCreatedOnceThenAppended) {
  settings.qrvlist = true;
  settings.simake = true;
  settings.layout = std::nullopt;
  AddPicture("a.jpg");
  ASSERT_TRUE(CreateFolder(dir / "web"));
  WriteBytes(dir / "web/web_QRV.txt", "from an older batch\r\n");
  batch = {true, true, dir / "web"};
  const std::string expected =
      "day1/day1.html\tday1/small_images/a.jpg\r\nday2/day2.html\tday2/small_images/a.jpg\r\n";
  for (const char* folder : {"day1", "day2"}) {
    settings.out_path = dir / ("web/" + std::string(folder));
    settings.out_name = std::string(folder) + ".html";
    ASSERT_TRUE(Run());
    EXPECT_FALSE(batch.macro_first);
  }
  EXPECT_EQ(ReadBytes(dir / "web/web_QRV.txt"), expected);
  EXPECT_FALSE(FileExists(dir / "web/day1/day1_QRV.txt"));

  settings.simake = false;
  ASSERT_TRUE(Run());
  EXPECT_EQ(ReadBytes(dir / "web/web_QRV.txt"),
            expected + "day2/day2.html\t../../photos/a.jpg\r\n");
  batch.macro_first = true;  // the next batch starts its own list
  ASSERT_TRUE(Run());
  EXPECT_EQ(ReadBytes(dir / "web/web_QRV.txt"), "day2/day2.html\t../../photos/a.jpg\r\n");
}

TEST_F(GenerateGalleryTest, QrvPathThatCp932CannotHoldStopsTheRun) {
  settings.qrvlist = true;
  AddPicture("¥.jpg");
  ASSERT_TRUE(CreateFolder(dir / "out"));
  WriteBytes(dir / "out/index_QRV.txt", "kept\r\n");
  EXPECT_THROW(Run(), AppError);
  EXPECT_EQ(ReadBytes(dir / "out/index_QRV.txt"), "kept\r\n");
  EXPECT_EQ(FolderTree(dir / "out"), Lines{"index_QRV.txt"});
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(GenerateGalleryTest, BackgroundPictureIsCopiedOnce) {
  AddPicture("a.jpg");
  WriteBytes(dir / "paper.jpg", "paper");
  settings.bgishow = true;
  settings.bg_image = dir / "paper.jpg";
  settings.layout = std::nullopt;  // no pages: the copy makes src_files itself
  ASSERT_TRUE(Run());
  EXPECT_EQ(FolderTree(dir / "out"),
            (Lines{".montrelle.record", "src_files/", "src_files/paper.jpg"}));
  EXPECT_EQ(ReadBytes(dir / "out/src_files/paper.jpg"), "paper");

  WriteBytes(dir / "paper.jpg", "new paper");
  ASSERT_TRUE(Run());
  EXPECT_EQ(ReadBytes(dir / "out/src_files/paper.jpg"), "paper") << "an existing copy stays";

  settings.bg_image = dir / "missing.jpg";
  ASSERT_TRUE(Run());
  EXPECT_EQ(ui.log.back(), "message: 終了しました");
}

TEST_F(GenerateGalleryTest, NoLayoutWritesNoPagesAndStillEnds) {
  AddPicture("a.jpg");
  settings.layout = std::nullopt;
  ASSERT_TRUE(Run());
  EXPECT_EQ(ui.log, (Lines{"phase: ", "progress: ", "message: 終了しました"}));
  EXPECT_EQ(FolderTree(dir / "out"), Lines{".montrelle.record"});
}

// FakeUi that runs `on_progress` with each progress text.
class ProgressUi : public FakeUi {
 public:
  std::function<void(const std::string&)> on_progress;
  void SetProgress(const std::string& text) override {
    FakeUi::SetProgress(text);
    if (on_progress) on_progress(text);
  }
};

bool Ended(const std::vector<std::string>& log) {
  return std::find(log.begin(), log.end(), "message: 終了しました") != log.end();
}

// The reduced-image folder turns read-only while the run works on it: the run
// stops at the next picture with one error naming it and never says it ended;
// what it wrote before is whole and no temporary file is left.
TEST_F(GenerateGalleryTest, FolderTurningReadOnlyStopsTheRunWithWholeFiles) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name);
  settings.simake = true;
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  const std::string small_images = dir / "out/small_images";
  const int rc = testing::RunAsOtherUser([&] {
    ProgressUi progress_ui;
    progress_ui.on_progress = [&](const std::string& progress) {
      if (progress == "1/3" && FolderExists(small_images)) chmod(small_images.c_str(), 0555);
    };
    try {
      GenerateGallery(settings, list, progress_ui, batch, dir / "buttons");
      return 1;
    } catch (const AppError& e) {
      if (std::string(e.what()) !=
          "ファイルへのアクセスが拒否されました: " + small_images + "/b.jpg") {
        return 2;
      }
    }
    return Ended(progress_ui.log) ? 3 : 0;
  });
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(
      PictureTree(dir / "out"),
      (Lines{".montrelle.record", "index.html", "small_images/", "small_images/a.jpg JPEG 80x60",
             "src_files/", "src_files/a.htm", "src_files/b.htm", "src_files/c.htm",
             "src_files/index_menu1.htm", "src_files/last.gif", "src_files/next.gif",
             "src_files/previous.gif", "src_files/top.gif"}));
  EXPECT_EQ(FileLines(dir / "out/src_files/c.htm").back(), "</HTML>");
}

// The user stops the run in the main images: it ends between two pictures as on an
// error, with whole files only, a record of them and no end message; a run that
// keeps what exists then completes the gallery.
TEST_F(GenerateGalleryTest, StoppedRunEndsBetweenPicturesAndKeepingCompletesIt) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) AddPicture(name);
  settings.layout = OutputLayout::kResponsive;
  settings.responsive_width = "120";
  ProgressUi progress_ui;
  progress_ui.on_progress = [&](const std::string& progress) {
    const Lines& log = progress_ui.log;
    if (progress == "1/3" && std::count(log.begin(), log.end(), "phase: メイン画像コピー")) {
      progress_ui.stop.Request();
    }
  };
  EXPECT_THROW(GenerateGallery(settings, list, progress_ui, batch, dir / "buttons"), RunStopped);
  EXPECT_FALSE(Ended(progress_ui.log));
  Lines recorded;
  for (const auto& [name, facts] : ReadOutputRecord(dir / "out").files) recorded.push_back(name);
  EXPECT_EQ(recorded, (Lines{"images/a.jpg", "images/b.jpg", "index.html", "small_images/a.jpg",
                             "small_images/b.jpg", "small_images/c.jpg", "src_files/a.htm",
                             "src_files/b.htm", "src_files/c.htm"}));
  EXPECT_EQ(FolderTree(dir / "out/images"), (Lines{"a.jpg", "b.jpg"}));

  ui.answers = {false, false};
  ASSERT_TRUE(Run());
  EXPECT_EQ(PictureTree(dir / "out/images"),
            (Lines{"a.jpg JPEG 40x30", "b.jpg JPEG 40x30", "c.jpg JPEG 40x30"}));
}

// The disk of a batch's output fills up: the line that would be appended to the
// batch's QRV list is not written in part; the list stays as the earlier
// galleries left it and the run ends with the error.
TEST_F(GenerateGalleryTest, FullDiskKeepsTheBatchQrvListWhole) {
  AddPicture("a.jpg");
  ASSERT_TRUE(CreateFolder(dir / "web"));
  testing::SmallDisk disk(dir / "web", 64);
  SKIP_UNLESS_MOUNTED(disk);
  std::string earlier;
  for (int day = 1; earlier.size() < 4000; ++day) {
    const std::string name = "day" + std::to_string(day);
    earlier += name + "/" + name + ".html\t" + name + "/small_images/a.jpg\r\n";
  }
  WriteBytes(dir / "web/web_QRV.txt", earlier);
  disk.Fill("filler");
  settings.qrvlist = true;
  settings.simake = true;
  settings.out_path = dir / "web/day99";
  settings.out_name = "day99.html";
  batch = {true, false, dir / "web"};
  try {
    Run();
    ADD_FAILURE() << "the run ended";
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "ディスクがいっぱいです: " + (dir / "web/web_QRV.txt"));
  }
  EXPECT_EQ(ReadBytes(dir / "web/web_QRV.txt"), earlier);
  EXPECT_EQ(FolderTree(dir / "web"), (Lines{"day99/", "filler", "web_QRV.txt"}));
  EXPECT_FALSE(Ended(ui.log));
}

// Every picture's headers are read before the first file is written: a picture
// that cannot be read leaves the gallery already in the folder exactly as it was.
TEST_F(GenerateGalleryTest, UnreadablePictureStopsTheRunBeforeAnythingIsWritten) {
  settings.simake = true;
  settings.micopy = true;
  AddPicture("a.jpg");
  AddPicture("b.jpg");
  AddPicture("c.bmp");
  ASSERT_TRUE(Run());
  const Lines made = FilesAsTheyAre(dir / "out");
  const std::string jpeg = dir / "photos/b.jpg";
  const std::string bitmap = dir / "photos/c.bmp";
  const std::string good_jpeg = ReadBytes(jpeg);
  const std::string good_bitmap = ReadBytes(bitmap);
  const struct {
    const std::string& path;
    std::string bytes;  // none: the file is missing
    int entry;
    std::string error;
  } cases[] = {
      {jpeg, "\xFF\xD8 garbage after the start marker", 2,
       "2 番目の画像: JPEG エラー #" + std::to_string(JERR_NO_IMAGE) + ": " + jpeg},
      {jpeg, "", 2, "2 番目の画像: ファイル " + jpeg + " は開けません"},
      // Headers whole, the pixel data cut short.
      {bitmap, good_bitmap.substr(0, good_bitmap.size() - 40), 3,
       "3 番目の画像: ビットマップイメージが不正です: " + bitmap},
  };
  for (const auto& c : cases) {
    WriteBytes(c.path, c.bytes);
    if (c.bytes.empty()) {
      ASSERT_EQ(::unlink(c.path.c_str()), 0);
    }
    ui.log.clear();
    try {
      Run();
      ADD_FAILURE() << "no error: " << c.error;
    } catch (const ListedPictureError& error) {
      EXPECT_EQ(error.what(), c.error);
      EXPECT_EQ(error.entry(), c.entry);
    }
    EXPECT_EQ(ui.log, Lines{}) << c.error;
    EXPECT_EQ(FilesAsTheyAre(dir / "out"), made) << c.error;
    WriteBytes(c.path, c.path == jpeg ? good_jpeg : good_bitmap);
  }
}

// What the run would write is checked before its first write too: two entries
// that would write one file from different pictures, a name a Shift-JIS page
// cannot hold, and a triple that is no turn each leave the gallery as it was.
TEST_F(GenerateGalleryTest, EntriesThatWouldBeWrittenWronglyStopTheRunBeforeAnythingIsWritten) {
  settings.simake = true;
  AddPicture("a.jpg");
  ASSERT_TRUE(Run());
  const Lines made = FilesAsTheyAre(dir / "out");
  struct Entry {
    std::string name, comment, orientation;
  };
  const std::string out = dir / "out";
  const auto same_file = [&](const std::string& file) {
    return "2 番目の画像: 1 番目の画像と同じファイル " + out + file + " を書き出します";
  };
  const struct {
    std::vector<Entry> entries;
    bool jpegconvert, comment_out;
    std::string error;  // always of the second entry
  } cases[] = {
      {{{"IMG_0001.HEIC", "", "0\t0\t0"}, {"IMG_0001.JPG", "", "0\t0\t0"}},
       false,
       false,
       same_file("/src_files/IMG_0001.htm")},
      {{{"a.jpg", "", "0\t0\t0"}, {"a.bmp", "", "0\t0\t0"}},
       false,
       false,
       same_file("/src_files/a.htm")},
      {{{"a.bmp", "", "0\t0\t0"}, {"a.jpg", "", "0\t0\t0"}},
       true,
       false,
       same_file("/small_images/a.jpg")},
      {{{"a.jpg", "", "0\t0\t0"}, {"a.jpg", "", "0\t0\t1"}},
       false,
       false,
       same_file("/small_images/a.jpg")},
      {{{"a.jpg", "海", "0\t0\t0"}, {"a.jpg", "山", "0\t0\t0"}},
       false,
       true,
       same_file("/src_files/a.htm")},
      {{{"a.jpg", "", "0\t0\t0"}, {"花😀.jpg", "", "0\t0\t0"}},
       false,
       false,
       "2 番目の画像: ファイル " + out +
           "/src_files/花😀.htm に書けない文字があります: 「😀」(U+1F600)"},
      {{{"a.jpg", "", "0\t0\t0"}, {"b.jpg", "", "0\t0\tx"}},
       false,
       false,
       "2 番目の画像: 'x' は整数ではありません: " + (dir / "photos/b.jpg")},
  };
  for (const auto& c : cases) {
    list.Clear();
    for (const Entry& e : c.entries) {
      WriteBytes(dir / ("photos/" + e.name), testing::PictureBytes(e.name, 40, 30));
      list.Append(dir / ("photos/" + e.name), e.comment, e.orientation);
    }
    settings.jpegconvert = c.jpegconvert;
    settings.comment_out = c.comment_out;
    ui.log.clear();
    try {
      Run();
      ADD_FAILURE() << "no error: " << c.error;
    } catch (const ListedPictureError& error) {
      EXPECT_EQ(error.what(), c.error);
      EXPECT_EQ(error.entry(), 2);
    }
    EXPECT_EQ(ui.log, Lines{}) << c.error;
    EXPECT_EQ(FilesAsTheyAre(dir / "out"), made) << c.error;
  }
  // The same picture twice, turned alike and with the same comment, is no fault.
  list.Clear();
  for (int n = 0; n < 2; ++n) list.Append(dir / "photos/a.jpg", "海", "0\t0\t1");
  EXPECT_TRUE(Run());
}

// A run killed while writing leaves its temporary file behind; the next run into
// the same folders removes exactly such files, and none that is still being written.
TEST_F(GenerateGalleryTest, TemporaryFilesOfAKilledRunAreRemoved) {
  settings.simake = true;
  AddPicture("a.jpg");
  ASSERT_TRUE(Run());
  const Lines made = FolderTree(dir / "out");
  const Lines others = {".montrelle-abc12", ".montrelle-abc1234", ".montrelle-abc12_",
                        "x.montrelle-abc123", ".montrelle-being1"};
  for (const std::string& name : others) WriteBytes(dir / ("out/" + name), "");
  for (const char* stale : {"out/.montrelle-Zz0123", "out/small_images/.montrelle-abcdef",
                            "out/src_files/.montrelle-000000"}) {
    WriteBytes(dir / stale, "half");
  }
  const int writing = ::open((dir / "out/.montrelle-being1").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(writing, LOCK_EX), 0);
  ASSERT_TRUE(Run());
  ::close(writing);
  Lines expected = made;
  expected.insert(expected.end(), others.begin(), others.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FolderTree(dir / "out"), expected);
}

}  // namespace
}  // namespace montrelle
