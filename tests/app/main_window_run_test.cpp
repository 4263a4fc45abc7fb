#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>

#include "app/window_fixture.h"
#include "imaging/jpeg_codec.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::WindowTest;

// The controls that a make run locks, and the batch button's partner.
const char* const kLocked[] = {"btn_start", "btn_macro", "Button10", "save_list", "Button4",
                               "Button5",   "Button6",   "Button7",  "Button8",   "StG_list"};

class MainWindowRunTest : public WindowTest {
 protected:
  void SetUp() override {
    Start();
    testing::WriteBytes(picture, EncodeJpeg(MakeRgbImage(4, 3)));  // the run makes images of it
    Drop({picture});
    Main<QLineEdit>("edt_out_path")->setText(QString::fromStdString(out));
  }
  // The names of the locked controls that are enabled.
  std::vector<std::string> EnabledLocked() const {
    std::vector<std::string> names;
    for (const char* name : kLocked) {
      if (Main(name)->isEnabled()) names.push_back(name);
    }
    return names;
  }

  const std::string picture = dir / "a.jpg";
  const std::string out = dir / "web/trip";
};

TEST_F(MainWindowRunTest, ControlsAreLockedWhileTheRunLetsEventsThrough) {
  const std::string other = dir / "b.jpg";
  testing::WriteBytes(other, "x");
  std::vector<std::vector<std::string>> enabled_during;
  bool closed_during = true;
  // The preview's controls are locked with the window's: the run works on the list.
  Preview<QCheckBox>("CB_show_com")->setChecked(true);
  const std::vector<std::string> preview_edits = {"CB_rl", "CB_ud", "item1", "Re_comment"};
  auto enabled_edits = [&] {
    std::vector<std::string> names;
    for (const std::string& name : preview_edits) {
      if (Preview(name.c_str())->isEnabled()) names.push_back(name);
    }
    return names;
  };
  ui.on_events = [&] {
    enabled_during.push_back(EnabledLocked());
    enabled_during.push_back(enabled_edits());
    Drop({other});
    closed_during = windows->main.close();
  };
  Click("btn_start");

  ASSERT_FALSE(enabled_during.empty());
  for (const auto& enabled : enabled_during) EXPECT_EQ(enabled, std::vector<std::string>{});
  EXPECT_FALSE(closed_during);
  EXPECT_EQ(windows->main.image_list().paths(), std::vector<std::string>{picture});
  EXPECT_EQ(ui.log.back(), "message: 終了しました");
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/index.html"));
  EXPECT_EQ(EnabledLocked(), std::vector<std::string>(std::begin(kLocked), std::end(kLocked)));
  EXPECT_EQ(enabled_edits(), preview_edits);

  // Afterwards drops and the close work again.
  ui.on_events = nullptr;
  Drop({other});
  EXPECT_EQ(windows->main.image_list().count(), 2);
  ui.choices = {YesNoCancel::kNo};
  EXPECT_TRUE(windows->main.close());
}

TEST_F(MainWindowRunTest, ControlsComeBackAsTheyWereWhateverTheEnd) {
  // A folder where the entry page should go: the page write fails with an error.
  std::filesystem::create_directories(out + "/index.html/x");
  Click("btn_start");
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_EQ(dialogs.log[0], "error: I/O エラー (21): " + out + "/index.html.");
  EXPECT_EQ(EnabledLocked(), std::vector<std::string>(std::begin(kLocked), std::end(kLocked)));

  // A run stopped by a precondition.
  Main<QLineEdit>("edt_out")->setText("");
  Click("btn_start");
  EXPECT_EQ(ui.log.back(), "focus: edt_out");
  EXPECT_EQ(EnabledLocked(), std::vector<std::string>(std::begin(kLocked), std::end(kLocked)));

  // In batch mode the batch window starts the run itself; the batch button stays
  // disabled afterwards, and the run asks nothing and reports nothing.
  Main<QLineEdit>("edt_out")->setText("index.html");
  std::filesystem::remove_all(out);
  Click("btn_macro");
  ui.log.clear();
  windows->main.btn_startClick();
  EXPECT_TRUE(std::filesystem::is_regular_file(out + "/index.html"));
  EXPECT_EQ(std::count(ui.log.begin(), ui.log.end(), "message: 終了しました"), 0);
  EXPECT_FALSE(Main("btn_macro")->isEnabled());
  EXPECT_TRUE(Main("Button5")->isEnabled());
}

// Esc stops the run: the stop button stands in for the make button meanwhile, and
// the run ends with its own message and the window unlocked.
TEST_F(MainWindowRunTest, EscapeStopsTheRun) {
  int events = 0;
  bool stop_in_place = true;
  ui.on_events = [&] {
    ++events;
    stop_in_place = stop_in_place && Shown(Main("btn_stop")) && !Shown(Main("btn_start"));
    QTest::keyClick(&windows->main, Qt::Key_Escape);
  };
  Click("btn_start");
  EXPECT_TRUE(events > 0 && stop_in_place);
  EXPECT_EQ(std::vector<std::string>(ui.log.end() - 3, ui.log.end()),
            (std::vector<std::string>{"phase: ", "progress: ", "message: 中止しました"}));
  EXPECT_FALSE(std::filesystem::exists(out + "/images"));
  EXPECT_TRUE(Shown(Main("btn_start")));
  EXPECT_FALSE(Shown(Main("btn_stop")));
  EXPECT_EQ(EnabledLocked(), std::vector<std::string>(std::begin(kLocked), std::end(kLocked)));

  // The next run is not stopped by the old request.
  ui.on_events = nullptr;
  Click("btn_start");
  EXPECT_EQ(ui.log.back(), "message: 終了しました");
}

// After the error, the picture the run could not read goes to the cursor, and the
// preview window, which shows it, has its say.
TEST_F(MainWindowRunTest, PictureThatCannotBeReadIsSelected) {
  const std::string gone = dir / "b.jpg";
  testing::WriteBytes(gone, "");
  Drop({gone, picture});
  std::filesystem::remove(gone);
  Click("btn_start");
  EXPECT_EQ(dialogs.log,
            (std::vector<std::string>{"error: 2 番目の画像: ファイル " + gone + " は開けません.",
                                      "error: ファイル " + gone + " は開けません."}));
  EXPECT_EQ(Main<QTableWidget>("StG_list")->currentRow(), 2);
  EXPECT_EQ(testing::FolderTree(out), std::vector<std::string>{});
}

}  // namespace
}  // namespace montrelle
