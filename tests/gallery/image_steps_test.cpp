#include "gallery/image_steps.h"

#include <gtest/gtest.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>

#include <jerror.h>
#include <jpeglib.h>
#include <unistd.h>

#include "imaging/bitmap_reader.h"
#include "imaging/bitmap_variants.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/picture_files.h"
#include "imaging/scaling.h"
#include "imaging/test_pictures.h"
#include "platform/file_system.h"
#include "support/expect_error.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::CoordinatePicture;
using testing::ExpectAppError;
using testing::FakeUi;
using testing::PictureBytes;
using testing::PictureTree;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

const char* kReducedQuestion = "overwrite: 縮小画像は既に存在します。縮小画像を更新しますか？";
const char* kMainQuestion = "overwrite: メイン画像は既に存在します。縮小画像を更新しますか？";

// More workers than pictures in most tests, so that later pictures are often done
// before earlier ones.
constexpr int kWorkers = 4;

// The scripted UI, which also counts calls that come on another thread than the
// one that made it, and can look around when it is asked a question.
class WatchingUi : public FakeUi {
 public:
  bool AskOverwrite(const std::string& text) override {
    Check();
    if (at_question) at_question();
    return FakeUi::AskOverwrite(text);
  }
  void SetPhase(const std::string& text) override {
    Check();
    FakeUi::SetPhase(text);
  }
  void SetProgress(const std::string& text) override {
    Check();
    FakeUi::SetProgress(text);
  }
  void ProcessEvents() override {
    Check();
    FakeUi::ProcessEvents();
  }

  std::function<void()> at_question;
  int calls_on_other_threads = 0;

 private:
  void Check() {
    if (std::this_thread::get_id() != thread_) ++calls_on_other_threads;
  }
  std::thread::id thread_ = std::this_thread::get_id();
};

// Pictures are CoordinatePicture(w, h) files in photos/; the output folder is out/,
// reduced width 80, main width 100 (frame layout).
class ImageStepsTest : public ::testing::Test {
 protected:
  ImageStepsTest() {
    EXPECT_TRUE(CreateFolder(dir / "photos"));
    EXPECT_TRUE(CreateFolder(dir / "out"));
    settings.out_path = dir / "out";
    settings.frame_width = "100";
    settings.small_width = "80";
  }
  ~ImageStepsTest() override { EXPECT_EQ(ui.calls_on_other_threads, 0); }

  // a.jpg 120 x 90, b.bmp 90 x 120, c.JPEG 60 x 40.
  void AddThree() {
    Add("a.jpg", 120, 90);
    Add("b.bmp", 90, 120);
    Add("c.JPEG", 60, 40);
  }

  void Add(const std::string& name, int width, int height, const char* orientation = "0\t0\t0") {
    WriteBytes(Photo(name), PictureBytes(name, width, height));
    list.Append(Photo(name), "", orientation);
  }

  std::string Photo(const std::string& name) { return dir / ("photos/" + name); }
  std::string Out(const std::string& name) { return dir / ("out/" + name); }

  // As the run does it: the reduced images started first, then both steps.
  void Make(bool macro_mode = false) {
    ImageWork work(kWorkers);
    StartReducedImages(DeriveGenerationContext(settings, list), list, settings, false, work);
    MakeReduced(work, macro_mode);
    MakeMain(work, macro_mode);
  }
  void MakeReduced(ImageWork& work, bool macro_mode = false) {
    MakeReducedImages(DeriveGenerationContext(settings, list), list, settings, ui, macro_mode,
                      work);
  }
  void MakeMain(ImageWork& work, bool macro_mode = false) {
    MakeMainImages(DeriveGenerationContext(settings, list), list, settings, ui, macro_mode, work);
  }

  // p0.jpg is large, so that its workers are still at it when the small p1.jpg ...
  // are done. All are 4:3, so every reduced image is 80 x 60.
  void AddSlowFirst(int count) {
    WriteBytes(Photo("p0.jpg"), EncodeJpeg(testing::NoisyPicture(1600, 1200)));
    list.Append(Photo("p0.jpg"), "", "0\t0\t0");
    for (int i = 1; i < count; ++i) Add('p' + std::to_string(i) + ".jpg", 40, 30);
  }

  // Every existing target of both steps replaced by "old".
  void AgeTargets() {
    for (const char* folder : {"small_images", "images"}) {
      for (const ListedName& file : ListFolder(Out(folder))) {
        WriteBytes(Out(folder + ("/" + file.name)), "old");
      }
    }
  }

  TempDir dir;
  LiveSettings settings;
  ImageFileList list;
  WatchingUi ui;
};

TEST_F(ImageStepsTest, ReducedImagesAndMainImagesRemadeWithoutCopyOption) {
  settings.simake = true;
  settings.mimake = true;  // micopy stays off: mimake alone re-encodes
  AddThree();
  Make();
  EXPECT_EQ(ui.log,
            (Lines{"phase: 縮小画像作成", "progress: 0/3", "progress: 1/3", "progress: 2/3",
                   "phase: メイン画像コピー", "progress: 0/3", "progress: 1/3", "progress: 2/3"}));
  // At least once after every status change; more while waiting for pictures.
  EXPECT_GE(ui.events_processed, 8);
  EXPECT_EQ(PictureTree(Out("")),
            (Lines{"images/", "images/a.jpg JPEG 100x75", "images/b.bmp BMP 100x133",
                   "images/c.JPEG JPEG 100x66", "small_images/", "small_images/a.jpg JPEG 80x60",
                   "small_images/b.bmp BMP 80x106", "small_images/c.JPEG JPEG 80x53"}));
  EXPECT_EQ(ReadBytes(Out("small_images/a.jpg")), ScaleJpegFile(Photo("a.jpg"), 80, "0\t0\t0"));
  EXPECT_EQ(ReadBytes(Out("images/c.JPEG")), ScaleJpegFile(Photo("c.JPEG"), 100, "0\t0\t0"));
  EXPECT_EQ(DecodeBitmap(ReadBytes(Out("small_images/b.bmp"))),
            ScaleToWidth(CoordinatePicture(90, 120), 80));
  EXPECT_EQ(DecodeBitmap(ReadBytes(Out("images/b.bmp"))),
            ScaleToWidth(CoordinatePicture(90, 120), 100));
}

TEST_F(ImageStepsTest, OneTurnedPictureRemakesEveryMainImageByItsOwnOrientation) {
  settings.micopy = true;
  Add("a.jpg", 120, 90, "0\t0\t1");
  Add("b.bmp", 90, 120, "0\t0\t0");
  Add("c.bmp", 60, 40, "1\t0\t2");
  Make();
  EXPECT_EQ(ui.log,
            (Lines{"phase: メイン画像コピー", "progress: 0/3", "progress: 1/3", "progress: 2/3"}));
  EXPECT_EQ(PictureTree(Out("")), (Lines{"images/", "images/a.jpg JPEG 100x133",
                                         "images/b.bmp BMP 100x133", "images/c.bmp BMP 100x150"}));
  EXPECT_EQ(ReadBytes(Out("images/a.jpg")), ScaleJpegFile(Photo("a.jpg"), 100, "0\t0\t1"));
  EXPECT_EQ(DecodeBitmap(ReadBytes(Out("images/b.bmp"))),
            ScaleToWidth(CoordinatePicture(90, 120), 100));
  EXPECT_EQ(DecodeBitmap(ReadBytes(Out("images/c.bmp"))),
            ScaleToWidth(ApplyOrientation(CoordinatePicture(60, 40), "1\t0\t2"), 100));
}

TEST_F(ImageStepsTest, CopiesWithoutResizeReplaceSilently) {
  // An 8-bit run-length bitmap is saved again as a plain 24-bit one.
  const RgbImage colours = testing::PrimaryColourPicture(9, 5, 8);
  const testing::BitmapVariant rle8{"v3 rle8", 40, 8, testing::BitmapStorage::kRle, false};
  WriteBytes(Photo("p.bmp"), testing::WriteBitmapVariant(colours, rle8));
  list.Append(Photo("p.bmp"), "", "0\t0\t0");
  Add("a.jpg", 120, 90);
  const struct {
    bool micopy, jpegconvert;
    Lines tree;
  } cases[] = {
      {true, false, {"images/", "images/a.jpg JPEG 120x90", "images/p.bmp BMP 9x5"}},
      {false, true, {"images/", "images/a.jpg JPEG 120x90", "images/p.jpg JPEG 9x5"}},
  };
  for (const auto& c : cases) {
    TempDir out;
    settings.out_path = out.path();
    settings.micopy = c.micopy;
    settings.jpegconvert = c.jpegconvert;
    ASSERT_TRUE(CreateFolder(out / "images"));
    WriteBytes(out / "images/a.jpg", "old");
    WriteBytes(out / "images/p.bmp", "old");
    ui.log.clear();
    Make();
    EXPECT_EQ(ui.log, (Lines{"phase: メイン画像コピー", "progress: 0/2", "progress: 1/2"}));
    Lines tree = c.tree;
    if (c.jpegconvert) tree.insert(tree.begin() + 2, "images/p.bmp");  // left as it was
    EXPECT_EQ(PictureTree(out.path()), tree);
    EXPECT_EQ(ReadBytes(out / "images/a.jpg"), ReadBytes(Photo("a.jpg"))) << "byte for byte";
    EXPECT_EQ(ReadBytes(out / (c.jpegconvert ? "images/p.jpg" : "images/p.bmp")),
              c.jpegconvert ? EncodeJpeg(colours) : EncodeBitmap(colours));
  }
}

TEST_F(ImageStepsTest, SecondRunAsksOncePerStep) {
  settings.simake = true;
  settings.mimake = true;
  AddThree();
  Make();
  const Lines made = PictureTree(Out(""));

  // Yes in the reduced step replaces all; No in the main step keeps the target it
  // was asked about and every other that exists, and still makes the missing ones:
  // a.jpg before the question, c.JPEG after it.
  AgeTargets();
  ASSERT_EQ(::unlink(Out("images/a.jpg").c_str()), 0);
  ASSERT_EQ(::unlink(Out("images/c.JPEG").c_str()), 0);
  ui.log.clear();
  ui.answers = {true, false};
  Make();
  EXPECT_EQ(ui.log, (Lines{"phase: 縮小画像作成", "progress: 0/3", kReducedQuestion,
                           "progress: 1/3", "progress: 2/3", "phase: メイン画像コピー",
                           "progress: 0/3", "progress: 1/3", kMainQuestion, "progress: 2/3"}));
  EXPECT_EQ(PictureTree(Out("")),
            (Lines{"images/", "images/a.jpg JPEG 100x75", "images/b.bmp",
                   "images/c.JPEG JPEG 100x66", "small_images/", "small_images/a.jpg JPEG 80x60",
                   "small_images/b.bmp BMP 80x106", "small_images/c.JPEG JPEG 80x53"}));
  EXPECT_EQ(ReadBytes(Out("images/b.bmp")), "old");

  // No in the reduced step does not keep the main step from asking again.
  AgeTargets();
  ui.log.clear();
  ui.answers = {false, true};
  Make();
  EXPECT_EQ(ui.log, (Lines{"phase: 縮小画像作成", "progress: 0/3", kReducedQuestion,
                           "progress: 1/3", "progress: 2/3", "phase: メイン画像コピー",
                           "progress: 0/3", kMainQuestion, "progress: 1/3", "progress: 2/3"}));
  EXPECT_EQ(PictureTree(Out("")),
            (Lines{"images/", "images/a.jpg JPEG 100x75", "images/b.bmp BMP 100x133",
                   "images/c.JPEG JPEG 100x66", "small_images/", "small_images/a.jpg",
                   "small_images/b.bmp", "small_images/c.JPEG"}));

  // A batch asks nothing and replaces everything.
  AgeTargets();
  ui.log.clear();
  Make(true);
  EXPECT_EQ(ui.log,
            (Lines{"phase: 縮小画像作成", "progress: 0/3", "progress: 1/3", "progress: 2/3",
                   "phase: メイン画像コピー", "progress: 0/3", "progress: 1/3", "progress: 2/3"}));
  EXPECT_EQ(PictureTree(Out("")), made);
}

TEST_F(ImageStepsTest, ConvertedBitmapIsAskedAboutByItsBmpName) {
  settings.simake = true;
  settings.jpegconvert = true;
  Add("b.bmp", 90, 120);
  const struct {
    const char* existing;  // in small_images, holding "old"
    bool answer;
    Lines log;
    Lines tree;
  } cases[] = {
      {"b.jpg", false, {}, {"small_images/b.jpg JPEG 80x106"}},
      {"b.bmp", true, {kReducedQuestion}, {"small_images/b.bmp", "small_images/b.jpg JPEG 80x106"}},
      {"b.bmp",
       false,
       {kReducedQuestion},
       {"small_images/b.bmp", "small_images/b.jpg JPEG 80x106"}},
  };
  for (const auto& c : cases) {
    TempDir out;
    settings.out_path = out.path();
    ASSERT_TRUE(CreateFolder(out / "small_images"));
    WriteBytes(out / ("small_images/" + std::string(c.existing)), "old");
    ui.log.clear();
    ui.answers = {c.answer};
    Make();
    Lines log = {"phase: 縮小画像作成", "progress: 0/1"};
    log.insert(log.end(), c.log.begin(), c.log.end());
    log.insert(log.end(), {"phase: メイン画像コピー", "progress: 0/1"});
    EXPECT_EQ(ui.log, log) << c.existing << c.answer;
    Lines tree = {"images/", "images/b.jpg JPEG 90x120", "small_images/"};
    tree.insert(tree.end(), c.tree.begin(), c.tree.end());
    EXPECT_EQ(PictureTree(out.path()), tree) << c.existing << c.answer;
  }
}

TEST_F(ImageStepsTest, PulldownLayoutMakesNoReducedImages) {
  settings.layout = OutputLayout::kPulldown;
  settings.pulldown_width = "70";
  settings.simake = true;
  settings.micopy = true;
  settings.mimake = true;
  AddThree();
  Make();
  EXPECT_EQ(PictureTree(Out("")), (Lines{"images/", "images/a.jpg JPEG 70x52",
                                         "images/b.bmp BMP 70x93", "images/c.JPEG JPEG 70x46"}));
}

TEST_F(ImageStepsTest, KindsComeFromSubstringsOfTheWholePath) {
  settings.simake = true;
  list.Append(Photo("missing.gif"), "", "0\t0\t0");  // neither kind: passed over
  ASSERT_TRUE(CreateFolder(Photo("scans.bmp")));
  // Both kinds: the JPEG branch, then the bitmap branch.
  WriteBytes(Photo("scans.bmp/a.jpg"), testing::JpegPicture(120, 90));
  list.Append(Photo("scans.bmp/a.jpg"), "", "0\t0\t0");
  ExpectAppError([&] { Make(); }, "ビットマップイメージが不正です: " + Photo("scans.bmp/a.jpg"));
  EXPECT_EQ(ui.log,
            (Lines{"phase: 縮小画像作成", "progress: 0/2", "progress: 1/2", kReducedQuestion}));
  EXPECT_EQ(PictureTree(Out("")), (Lines{"small_images/", "small_images/a.jpg JPEG 80x60"}));
}

TEST_F(ImageStepsTest, UnreadablePictureEndsTheStepNamingTheFile) {
  settings.simake = true;
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // none: no such file
    std::string error;                 // the source's path follows
  } cases[] = {
      {"bad.jpg", "not a picture", "JPEG エラー #" + std::to_string(JERR_NO_SOI)},
      {"empty.JPG", "", "JPEG エラー #" + std::to_string(JERR_INPUT_EMPTY)},
      {"bad.bmp", "BM not a bitmap", "ビットマップイメージが不正です"},
  };
  for (const auto& c : cases) {
    TempDir out;
    settings.out_path = out.path();
    list.Clear();
    Add("a.jpg", 120, 90);
    if (c.bytes) WriteBytes(Photo(c.name), *c.bytes);
    list.Append(Photo(c.name), "", "0\t0\t0");
    ExpectAppError([&] { Make(); }, c.error + ": " + Photo(c.name), c.name);
    EXPECT_EQ(PictureTree(out.path()), (Lines{"small_images/", "small_images/a.jpg JPEG 80x60"}));
  }
  // The text of a file that cannot be opened names it already.
  settings.out_path = Out("");
  list.Append(Photo("missing.bmp"), "", "0\t0\t0");
  list.Remove(2);
  ExpectAppError([&] { Make(); }, "ファイル " + Photo("missing.bmp") + " は開けません");
}

TEST_F(ImageStepsTest, TargetThatCannotBeWrittenEndsTheStep) {
  settings.micopy = true;
  Add("a.jpg", 120, 90);
  WriteBytes(Out("images"), "a file where the folder goes");
  ExpectAppError([&] { Make(); }, "I/O エラー (20): " + Out("images/a.jpg"));
  EXPECT_EQ(ReadBytes(Out("images")), "a file where the folder goes");
}

TEST_F(ImageStepsTest, PictureInItsOwnTargetIsNeverRemadeOverItself) {
  ASSERT_TRUE(CreateFolder(Out("images")));
  ASSERT_TRUE(CreateFolder(Out("small_images")));
  const std::string original = testing::JpegPicture(120, 90);
  const struct {
    const char* source;  // in out/
    bool simake, mimake;
    bool refused;
  } cases[] = {
      {"images/a.jpg", false, false, false},  // a copy onto itself is already in place
      {"images/a.jpg", false, true, true},
      {"small_images/a.jpg", true, false, true},
  };
  for (const auto& c : cases) {
    WriteBytes(Out(c.source), original);
    list.Clear();
    list.Append(Out(c.source), "", "0\t0\t0");
    settings.micopy = true;
    settings.simake = c.simake;
    settings.mimake = c.mimake;
    ui.answers = {true};
    if (c.refused) {
      ExpectAppError([&] { Make(); },
                     "出力先 " + Out(c.source) + " は元の画像ファイルなので書き換えません");
    } else {
      Make();
    }
    EXPECT_EQ(ReadBytes(Out(c.source)), original) << c.source;
  }
}

TEST_F(ImageStepsTest, PicturesStartedAheadShowAndWriteNothingBeforeTheStep) {
  settings.simake = true;
  settings.mimake = true;
  AddThree();
  {
    ImageWork work(kWorkers);
    StartReducedImages(DeriveGenerationContext(settings, list), list, settings, false, work);
    // The run may end here, before the step (a page that cannot be written); the
    // pictures under way are finished first.
  }
  EXPECT_EQ(ui.log, Lines{});
  EXPECT_EQ(PictureTree(Out("")), Lines{});
}

TEST_F(ImageStepsTest, QuestionComesWhenThePicturesBeforeItAreWrittenAndNothingAfter) {
  settings.simake = true;
  AddSlowFirst(8);
  for (const bool answer : {false, true}) {
    TempDir out;
    settings.out_path = out.path();
    ASSERT_TRUE(CreateFolder(out / "small_images"));
    WriteBytes(out / "small_images/p2.jpg", "old");
    Lines at_question;
    ui.at_question = [&] { at_question = PictureTree(out.path()); };
    ui.log.clear();
    ui.answers = {answer};
    Make();
    const Lines before = {"small_images/", "small_images/p0.jpg JPEG 80x60",
                          "small_images/p1.jpg JPEG 80x60", "small_images/p2.jpg"};
    EXPECT_EQ(at_question, before) << answer;
    // No keeps p2.jpg and makes the rest.
    Lines log = {"phase: 縮小画像作成", "progress: 0/8", "progress: 1/8", "progress: 2/8",
                 kReducedQuestion};
    Lines tree = {"small_images/"};
    for (int i = 0; i < 8; ++i) {
      if (i > 2) log.push_back("progress: " + std::to_string(i) + "/8");
      tree.push_back("small_images/p" + std::to_string(i) + ".jpg" +
                     (i == 2 && !answer ? "" : " JPEG 80x60"));
    }
    EXPECT_EQ(ui.log, log) << answer;
    EXPECT_EQ(PictureTree(out.path()), tree) << answer;
  }
}

TEST_F(ImageStepsTest, FirstFailingPictureEndsTheRunWithNothingAfterIt) {
  settings.simake = true;
  settings.mimake = true;
  AddSlowFirst(6);
  // p2 fails; p4 fails too, sooner, with another error; both after the slow p0.
  WriteBytes(Photo("p2.jpg"), "not a picture");
  WriteBytes(Photo("p4.jpg"), "");
  ExpectAppError([&] { Make(); },
                 "JPEG エラー #" + std::to_string(JERR_NO_SOI) + ": " + Photo("p2.jpg"));
  EXPECT_EQ(ui.log,
            (Lines{"phase: 縮小画像作成", "progress: 0/6", "progress: 1/6", "progress: 2/6"}));
  EXPECT_EQ(PictureTree(Out("")), (Lines{"small_images/", "small_images/p0.jpg JPEG 80x60",
                                         "small_images/p1.jpg JPEG 80x60"}));
}

TEST_F(ImageStepsTest, MainImagesComeFromTheReducedStepsDecodeWithinTheBudget) {
  settings.simake = true;
  settings.mimake = true;
  Add("a.jpg", 120, 90);
  Add("b.jpg", 90, 120, "1\t0\t1");
  Add("c.jpg", 60, 40);
  std::vector<std::string> main_images;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    main_images.push_back(ScaleJpegFile(Photo(name), 100, list.orientations()[main_images.size()]));
  }
  const size_t first_two = main_images[0].size() + main_images[1].size();
  // The whole budget keeps all three, one byte less than the first two keeps only
  // the first: once the photos are gone, the main step can make only what was kept.
  const struct {
    size_t budget;
    size_t kept;
  } cases[] = {{ImageWork::kDefaultKeptBudget, 3}, {first_two, 2}, {first_two - 1, 1}, {0, 0}};
  for (const auto& c : cases) {
    TempDir out;
    settings.out_path = out.path();
    const TempDir photos;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      ASSERT_EQ(::link(Photo(name).c_str(), (photos / name).c_str()), 0);
    }
    ImageWork work(kWorkers, c.budget);
    MakeReduced(work);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
      ASSERT_EQ(::unlink(Photo(name).c_str()), 0);
    if (c.kept == 3) {
      MakeMain(work);
    } else {
      ExpectAppError([&] { MakeMain(work); },
                     "ファイル " + Photo(std::string(1, "abc"[c.kept]) + ".jpg") + " は開けません",
                     std::to_string(c.budget));
    }
    for (size_t k = 0; k < c.kept; ++k) {
      EXPECT_EQ(ReadBytes(out / ("images/" + std::string(1, "abc"[k]) + ".jpg")), main_images[k])
          << c.budget;
    }
    EXPECT_FALSE(FileExists(out / ("images/" + std::string(1, "abc"[c.kept]) + ".jpg")));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      ASSERT_EQ(::link((photos / name).c_str(), Photo(name).c_str()), 0);
    }
  }
}

TEST_F(ImageStepsTest, MainImageErrorWaitsForTheMainStep) {
  // The main images are made with the reduced ones, but a width that cannot be
  // made fails only where the main step reaches it, as when each step decoded.
  settings.simake = true;
  settings.mimake = true;
  settings.frame_width = "-5";
  AddThree();
  ExpectAppError([&] { Make(); }, "画像の幅 -5 は負の値です: " + Photo("a.jpg"));
  EXPECT_EQ(ui.log, (Lines{"phase: 縮小画像作成", "progress: 0/3", "progress: 1/3", "progress: 2/3",
                           "phase: メイン画像コピー", "progress: 0/3"}));
  EXPECT_EQ(PictureTree(Out("")),
            (Lines{"images/", "small_images/", "small_images/a.jpg JPEG 80x60",
                   "small_images/b.bmp BMP 80x106", "small_images/c.JPEG JPEG 80x53"}));
}

}  // namespace
}  // namespace montrelle
