#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <filesystem>

#include "app/window_fixture.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FileLines;
using testing::ReadBytes;
using testing::WindowTest;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

const std::string kUnsavedQuestion =
    "yesnocancel: 画像ファイルリストは保存されていません。保存しますか？";

class ListButtonsTest : public WindowTest {
 protected:
  void SetUp() override {
    Start();
    // The files are no pictures: the preview takes the entries but draws none.
    Main<QCheckBox>("CB_preview")->setChecked(false);
    for (const char* name : {"a.jpg", "b.bmp"}) WriteBytes(dir / name, "x");
    Drop({dir / "a.jpg", dir / "b.bmp"});
    ImageFileList& list = windows->main.EditedList();
    list.SetComment(1, "春の庭");
    list.SetOrientation(1, "1\t0\t0");
    list.SetOrientation(2, "0\t0\t2");
  }

  const ImageFileList& List() const { return windows->main.image_list(); }
  // Saves through the dialog, which starts empty, as `name`.
  void SaveThroughDialog(const std::string& name) {
    dialogs.list_files = {dir / name};
    Click("save_list");
    EXPECT_EQ(dialogs.log, Lines{"save list: "});
    EXPECT_EQ(ui.log, Lines{"message: 終了しました"});
    EXPECT_EQ(FileLines(dir / (name + ".txt")), SavedLines());
  }
  // The file the two entries are saved as, line by line.
  Lines SavedLines() const {
    return {dir / "a.jpg", dir / "b.bmp", "", "春の庭", "", "1\t0\t0", "0\t0\t2"};
  }
};

TEST_F(ListButtonsTest, SavedListLoadsBackWhole) {
  SaveThroughDialog("trip");

  // Another list in its place, then the file loaded over it.
  WriteBytes(dir / "c.jpg", "x");
  Drop({dir / "c.jpg"});
  dialogs.list_files = {dir / "trip.txt"};
  ui.choices = {YesNoCancel::kNo};
  Click("Button4");
  EXPECT_EQ(dialogs.log.back(), "open list");
  EXPECT_EQ(List().paths(), (Lines{dir / "a.jpg", dir / "b.bmp"}));
  EXPECT_EQ(List().comments(), (Lines{"春の庭", ""}));
  EXPECT_EQ(List().orientations(), (Lines{"1\t0\t0", "0\t0\t2"}));
  auto* grid = Main<QTableWidget>("StG_list");
  Lines shown;
  for (int row = 1; row <= 3; ++row) {
    for (int column = 0; column < 2; ++column) {
      shown.push_back(grid->item(row, column)->text().toStdString());
    }
  }
  EXPECT_EQ(shown, (Lines{"1", "a.jpg", "2", "b.bmp", "", ""}));
  EXPECT_EQ(Main<QLineEdit>("edt_f_path")->text().toStdString(), dir.path())
      << "the selected entry is shown";
  EXPECT_EQ(ui.log, (Lines{"message: 終了しました", kUnsavedQuestion}));
}

// Closing, the reset and a list load first offer a list changed since it was last
// saved or loaded for saving; a batch or an empty list asks nothing.
TEST_F(ListButtonsTest, AnUnsavedListIsOfferedForSavingFirst) {
  // キャンセル keeps the window open; so does a save dialog cancelled after はい.
  ui.choices = {YesNoCancel::kCancel, YesNoCancel::kYes};
  EXPECT_FALSE(windows->main.close());
  EXPECT_FALSE(windows->main.close());
  EXPECT_EQ(ui.log, Lines(2, kUnsavedQuestion));
  EXPECT_EQ(dialogs.log, Lines{"save list: "});

  // はい saves the list, then the close goes on; a saved list asks nothing.
  ui.log.clear();
  dialogs.list_files = {dir / "kept"};
  EXPECT_TRUE(windows->main.close());
  EXPECT_EQ(ui.log, (Lines{kUnsavedQuestion, "message: 終了しました"}));
  EXPECT_EQ(FileLines(dir / "kept.txt"), SavedLines());
  ui.log.clear();
  EXPECT_TRUE(windows->main.close());
  EXPECT_EQ(ui.log, Lines{});

  // いいえ lets the reset go on; the emptied list asks nothing before a load.
  windows->main.EditedList().SetComment(2, "夕日");
  ui.choices = {YesNoCancel::kNo};
  Click("Button10");
  EXPECT_EQ(List().count(), 0);
  Click("Button4");
  EXPECT_EQ(ui.log, (Lines{"yesno: 全ての設定を初期化します。よろしいですか？", kUnsavedQuestion}));
  EXPECT_EQ(dialogs.log.back(), "open list");

  // In batch mode the reset asks only its own question.
  Drop({dir / "a.jpg"});
  Click("btn_macro");
  ui.log.clear();
  Click("Button10");
  EXPECT_EQ(ui.log, Lines{"yesno: 全ての設定を初期化します。よろしいですか？"});
  EXPECT_EQ(List().count(), 0);
}

TEST_F(ListButtonsTest, SaveNamesEndInTxtAndReplacingAsksFirst) {
  const std::string listed = dir / "list.txt";
  const struct {
    const char* what;
    std::optional<std::string> chosen;
    std::vector<bool> answers;
    Lines ui_log;
    bool written;
  } cases[] = {
      {"no extension", dir / "list", {}, {"message: 終了しました"}, true},
      {"another extension, kept",
       dir / "list.dat",
       {false},
       {"yesno: " + listed + " は既に存在します。上書きしますか？"},
       false},
      {"another extension, replaced",
       dir / "list.dat",
       {true},
       {"yesno: " + listed + " は既に存在します。上書きしますか？", "message: 終了しました"},
       true},
      {"cancelled", std::nullopt, {}, {}, false},
  };
  std::string starts_at;
  for (const auto& c : cases) {
    WriteBytes(listed, "old");
    if (c.what == std::string("no extension")) std::filesystem::remove(listed);
    dialogs.log.clear();
    ui.log.clear();
    dialogs.list_files = {c.chosen};
    ui.answers = {c.answers.begin(), c.answers.end()};
    Click("save_list");
    EXPECT_EQ(dialogs.log, Lines{"save list: " + starts_at}) << c.what;
    EXPECT_EQ(ui.log, c.ui_log) << c.what;
    if (c.written) {
      EXPECT_EQ(FileLines(listed), SavedLines()) << c.what;
    } else {
      EXPECT_EQ(ReadBytes(listed), "old") << c.what;
    }
    if (c.chosen) starts_at = listed;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "list.dat"));

  Main<QCheckBox>("CB_ask")->setChecked(true);
  Click("Button5");
  dialogs.log.clear();
  Click("save_list");
  EXPECT_EQ(dialogs.log, Lines{}) << "nothing to save: no dialog";
  EXPECT_EQ(ui.log.back(), "message: 保存すべき画像ファイルリストがありません");
}

TEST_F(ListButtonsTest, InBatchModeTheSetNameIsUsedWithoutAWord) {
  Click("btn_macro");
  // No name set yet: the dialog asks for one.
  SaveThroughDialog("first");

  WriteBytes(dir / "first.txt", "old");
  windows->main.EditedList().SetComment(2, "夕日");
  Click("save_list");
  EXPECT_EQ(dialogs.log, Lines{"save list: "}) << "no dialog";
  EXPECT_EQ(ui.log, Lines{"message: 終了しました"}) << "no question, no message";
  Lines saved = SavedLines();
  saved[4] = "夕日";
  EXPECT_EQ(FileLines(dir / "first.txt"), saved);
}

TEST_F(ListButtonsTest, ALoadThatFailsLeavesAnEmptyList) {
  ui.choices = {YesNoCancel::kNo, YesNoCancel::kNo};
  Click("Button4");
  EXPECT_EQ(List().count(), 2) << "cancelled";
  dialogs.list_files = {dir / "missing.txt"};
  Click("Button4");
  EXPECT_EQ(dialogs.log, (Lines{"open list", "open list",
                                "error: ファイル " + dir / "missing.txt" + " は開けません."}));
  EXPECT_EQ(List().count(), 0);
  auto* grid = Main<QTableWidget>("StG_list");
  EXPECT_EQ(grid->item(1, 1)->text(), "");
  EXPECT_EQ(grid->item(2, 0)->text(), "");
}

}  // namespace
}  // namespace montrelle
