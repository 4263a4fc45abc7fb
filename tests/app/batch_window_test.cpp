#include "app/batch_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>

#include "app/window_fixture.h"
#include "imaging/test_pictures.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FileLines;
using testing::FolderTree;
using testing::WindowTest;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

class BatchWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    Start();
    for (const char* name : {"trip/day1/a.jpg", "trip/day2/b.jpg"}) {
      std::filesystem::create_directories(std::filesystem::path(dir / name).parent_path());
      WriteBytes(dir / name, testing::JpegPicture(40, 30));
    }
    std::filesystem::create_directory(out);
    QTest::mouseClick(Main("btn_macro"), Qt::LeftButton);
    Macro<QLineEdit>("edt_in_path")->setText(QString::fromStdString(dir / "trip"));
    Macro<QLineEdit>("edt_out_path")->setText(QString::fromStdString(out));
  }

  void Click(QWidget* control) const { QTest::mouseClick(control, Qt::LeftButton); }
  std::string Text(const char* edit) const { return Main<QLineEdit>(edit)->text().toStdString(); }
  // The main window's controls a run locks that are enabled (the batch button stays
  // disabled in batch mode).
  Lines EnabledLocked() const {
    Lines names;
    for (const char* name : {"Button10", "save_list", "Button4", "Button5", "Button6", "Button7",
                             "Button8", "StG_list"}) {
      if (Main(name)->isEnabled()) names.push_back(name);
    }
    return names;
  }
  const Lines all_locked = {"Button10", "save_list", "Button4", "Button5",
                            "Button6",  "Button7",   "Button8", "StG_list"};

  const std::string out = dir / "web";
};

TEST_F(BatchWindowTest, FolderPickersFillTheirFields) {
  dialogs.folders = {dir / "a", std::nullopt, dir / "b", std::nullopt};
  QTest::mouseDClick(Macro("edt_in_path"), Qt::LeftButton);
  Click(Macro("btn_bg_image"));
  Click(Macro("Button3"));
  QTest::mouseDClick(Macro("edt_out_path"), Qt::LeftButton);
  EXPECT_EQ(dialogs.log, Lines(4, "folder: 出力パスを指定してください"));
  EXPECT_EQ(Macro<QLineEdit>("edt_in_path")->text().toStdString(), dir / "a");
  EXPECT_EQ(Macro<QLineEdit>("edt_out_path")->text().toStdString(), dir / "b");
}

TEST_F(BatchWindowTest, RunShowsEachFolderAndGivesTheUsersWorkBack) {
  // The user's list, changed and not saved, and output fields of their own.
  WriteBytes(dir / "mine.jpg", testing::JpegPicture(40, 30));
  Drop({dir / "mine.jpg"});
  windows->main.EditedList().SetComment(1, "夕日");
  Main<QLineEdit>("edt_out_path")->setText(QString::fromStdString(dir / "mine"));
  Main<QLineEdit>("edt_out")->setText("mine.html");
  Main<QLineEdit>("edt_title")->setText("私の旅");
  const ImageFileList list_before = windows->main.image_list();
  ASSERT_TRUE(windows->main.close());
  const std::string settings_before = testing::ReadBytes(files.settings_path);

  std::vector<bool> hidden_during;
  std::vector<Lines> enabled_during;
  Lines out_paths;
  Lines bar_during;
  auto* bar = Main<QProgressBar>("StB_main_run");
  ui.on_events = [&] {
    hidden_during.push_back(windows->macro.isHidden());
    enabled_during.push_back(EnabledLocked());
    if (out_paths.empty() || out_paths.back() != Text("edt_out_path"))
      out_paths.push_back(Text("edt_out_path"));
    const std::string shown = bar->format().toStdString() + " " + std::to_string(bar->value());
    if (bar_during.empty() || bar_during.back() != shown) bar_during.push_back(shown);
  };
  ui.choices = {YesNoCancel::kNo};
  Click(Macro("Button1"));

  EXPECT_EQ(dialogs.log, Lines{});
  EXPECT_EQ(Lines(ui.log.begin(), ui.log.begin() + 2),
            (Lines{"yesnocancel: 画像ファイルリストは保存されていません。保存しますか？",
                   "okcancel: マクロ処理を開始します"}));
  EXPECT_EQ(Lines(ui.log.end() - 2, ui.log.end()), (Lines{"beep", "message: 終了しました"}));
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/day1/day1.html"));
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/day2/day2.html"));
  ASSERT_FALSE(hidden_during.empty());
  EXPECT_EQ(hidden_during, std::vector<bool>(hidden_during.size(), true));
  EXPECT_EQ(enabled_during, std::vector<Lines>(enabled_during.size(), Lines{}));
  EXPECT_EQ(out_paths, (Lines{out + "/day1", out + "/day2"}));
  EXPECT_EQ(bar_during,
            (Lines{"day1 1/2  0/2 0", "day1 1/2  縮小画像  0/2 0", "day1 1/2  1/2 500",
                   "day2 2/2  1/2 500", "day2 2/2  縮小画像  1/2 500", "day2 2/2  2/2 1000"}));
  EXPECT_FALSE(bar->isVisibleTo(&windows->main));

  // The user's list and fields are back; the batch window too, batch mode on.
  EXPECT_EQ(windows->main.image_list().paths(), list_before.paths());
  EXPECT_EQ(windows->main.image_list().comments(), list_before.comments());
  EXPECT_EQ(Main<QTableWidget>("StG_list")->item(1, 1)->text(), "mine.jpg");
  EXPECT_TRUE(windows->macro.isVisible());
  EXPECT_TRUE(windows->main.macro_mode());
  EXPECT_TRUE(Main("btn_start")->isHidden());
  EXPECT_FALSE(Main("btn_macro")->isEnabled());
  EXPECT_EQ(EnabledLocked(), all_locked);
  ASSERT_TRUE(windows->main.close());
  EXPECT_EQ(testing::ReadBytes(files.settings_path), settings_before);
}

TEST_F(BatchWindowTest, AFailingFolderBringsTheWindowBackWithOneError) {
  std::filesystem::create_directories(out + "/day1/day1.html/x");
  Click(Macro("Button1"));
  EXPECT_EQ(dialogs.log, Lines{"error: I/O エラー (21): " + out + "/day1/day1.html."});
  EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "beep"), 0);
  EXPECT_FALSE(std::filesystem::exists(out + "/day2"));
  EXPECT_TRUE(windows->macro.isVisible());
  EXPECT_EQ(Text("edt_out_path"), "");
  EXPECT_EQ(EnabledLocked(), all_locked);
}

TEST_F(BatchWindowTest, StopButtonEndsTheBatchWithTheWindowBack) {
  ui.on_events = [&] { Click(Main("btn_stop")); };
  Click(Macro("Button1"));
  EXPECT_EQ(ui.log.back(), "message: 中止しました");
  EXPECT_FALSE(std::filesystem::exists(out + "/day2"));
  EXPECT_TRUE(windows->macro.isVisible());
  EXPECT_EQ(EnabledLocked(), all_locked);
}

TEST_F(BatchWindowTest, NoFolderToProcessIsSaid) {
  Macro<QLineEdit>("edt_in_path")->setText(QString::fromStdString(dir / "missing"));
  Click(Macro("Button1"));
  EXPECT_EQ(ui.log, (Lines{"okcancel: マクロ処理を開始します",
                           "message: 処理するフォルダがありません: " + dir / "missing"}));
  EXPECT_TRUE(windows->macro.isVisible());
}

TEST_F(BatchWindowTest, ListFilesOnlyLeaveTheSaveDialogAtTheLastOne) {
  // An output folder not there yet is made.
  std::filesystem::remove(out);
  Macro<QCheckBox>("CB_make_list")->setChecked(true);
  Click(Macro("Button1"));
  EXPECT_EQ(FolderTree(out), (Lines{"day1_list.txt", "day2_list.txt"}));
  EXPECT_EQ(FileLines(out + "/day1_list.txt"), (Lines{dir / "trip/day1/a.jpg", "", "", "0\t0\t0"}));

  // The user's empty list is back, and the list button has no name of the batch's
  // to save it under without a word.
  EXPECT_EQ(windows->main.image_list().count(), 0);
  Drop({dir / "trip/day1/a.jpg"});
  Click(Main("save_list"));
  EXPECT_EQ(dialogs.log, Lines{"save list: "});
  EXPECT_EQ(FileLines(out + "/day2_list.txt"), (Lines{dir / "trip/day2/b.jpg", "", "", "0\t0\t0"}));
}

}  // namespace
}  // namespace montrelle
