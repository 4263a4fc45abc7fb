#include <QtTest/qtestspontaneevent.h>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "app/clickable_widgets.h"
#include "app/window_fixture.h"

namespace montrelle {
namespace {

using testing::WindowTest;

class MainWindowRulesTest : public WindowTest {
 protected:
  void SetUp() override { Start(); }
  bool Ticked(const char* name) const { return Main<QCheckBox>(name)->isChecked(); }
  void Tick(const char* name, bool on) const { Main<QCheckBox>(name)->setChecked(on); }
  void ChooseLayout(int entry) const {
    auto* combo = Main<QComboBox>("CmB_type");
    combo->setCurrentIndex(entry);
    emit combo->activated(entry);
  }
};

TEST_F(MainWindowRulesTest, LayoutRuleRunsOnUserChoiceOnly) {
  // The responsive grid always has reduced images: only their width is open; it
  // makes its own main images, so their boxes are closed.
  const struct {
    int entry;
    bool frame, table, pulldown, responsive;
    bool reduced_box, reduced_width, main_boxes;
  } cases[] = {
      {2, false, false, true, false, false, false, true},
      {3, false, false, false, true, false, true, false},
      {1, false, true, false, false, true, true, true},
      {0, true, false, false, false, true, true, true},
  };
  Tick("CB_f_show", true);
  Tick("CB_make_mi", true);
  const QString width = Main<QLineEdit>("edt_lf_w")->text();
  for (const auto& c : cases) {
    ChooseLayout(c.entry);
    EXPECT_EQ(Shown(Main("GB_frame")), c.frame) << c.entry;
    EXPECT_EQ(Shown(Main("GB_table")), c.table) << c.entry;
    EXPECT_EQ(Shown(Main("GB_pulldown")), c.pulldown) << c.entry;
    EXPECT_EQ(Shown(Main("GB_responsive")), c.responsive) << c.entry;
    EXPECT_EQ(Enabled("CB_f_show"), c.reduced_box) << c.entry;
    for (const char* name : {"Label2", "edt_lf_w"}) {
      EXPECT_EQ(Enabled(name), c.reduced_width) << c.entry << " " << name;
    }
    EXPECT_EQ(Shown(Preview("CB_show_com")), c.reduced_width) << c.entry;
    for (const char* name : {"CB_make_mi", "CB_ch_main", "lbl_ch_main1", "lbl_ch_main2"}) {
      EXPECT_EQ(Enabled(name), c.main_boxes) << c.entry << " " << name;
    }
    // Greying out keeps the tick and the width text.
    EXPECT_TRUE(Ticked("CB_f_show"));
    EXPECT_TRUE(Ticked("CB_make_mi"));
    EXPECT_EQ(Main<QLineEdit>("edt_lf_w")->text(), width);
  }

  // Selecting from the program changes nothing else.
  Main<QComboBox>("CmB_type")->setCurrentIndex(2);
  EXPECT_TRUE(Shown(Main("GB_frame")));
  EXPECT_FALSE(Shown(Main("GB_pulldown")));
  EXPECT_TRUE(Enabled("CB_f_show"));
}

TEST_F(MainWindowRulesTest, MainImageRuleAndLabelToggles) {
  EXPECT_FALSE(Enabled("CB_ch_main"));
  // A disabled label takes no clicks.
  Click("lbl_ch_main1");
  EXPECT_FALSE(Ticked("CB_ch_main"));

  Tick("CB_make_mi", true);
  for (const char* name : {"CB_ch_main", "lbl_ch_main1", "lbl_ch_main2"}) {
    EXPECT_TRUE(Enabled(name)) << name;
  }
  Click("lbl_ch_main1");
  EXPECT_TRUE(Ticked("CB_ch_main"));
  Click("lbl_ch_main2");
  EXPECT_FALSE(Ticked("CB_ch_main"));
  Click("lbl_ch_main2");

  Tick("CB_make_mi", false);
  for (const char* name : {"CB_ch_main", "lbl_ch_main1", "lbl_ch_main2"}) {
    EXPECT_FALSE(Enabled(name)) << name;
  }
  EXPECT_TRUE(Ticked("CB_ch_main"));
  EXPECT_TRUE(windows->main.ReadLiveSettings().mimake);

  Click("lbl_Jpeg_convert");
  EXPECT_TRUE(Ticked("CB_Jpeg_convert"));
  QTest::mouseClick(Main("lbl_Jpeg_convert"), Qt::RightButton);
  EXPECT_TRUE(Ticked("CB_Jpeg_convert"));
  Click("lbl_Jpeg_convert");
  EXPECT_FALSE(Ticked("CB_Jpeg_convert"));
}

TEST_F(MainWindowRulesTest, FileNamesAndCommentsExcludeEachOther) {
  const struct {
    const char* tick;
    bool on;
    bool fn, pw;
  } steps[] = {
      {"CB_pw_use_com", true, false, true}, {"CB_fn", true, true, false},
      {"CB_pw_use_com", true, false, true}, {"CB_pw_use_com", false, false, false},
      {"CB_fn", true, true, false},         {"CB_fn", false, false, false},
  };
  for (const auto& s : steps) {
    Tick(s.tick, s.on);
    EXPECT_EQ(Ticked("CB_fn"), s.fn) << s.tick << s.on;
    EXPECT_EQ(Ticked("CB_pw_use_com"), s.pw) << s.tick << s.on;
  }
}

TEST_F(MainWindowRulesTest, BackgroundPictureRule) {
  for (bool picture : {true, false}) {
    Tick("CB_show_bg_image", picture);
    EXPECT_EQ(Enabled("edt_bg_image"), picture);
    EXPECT_EQ(Enabled("btn_bg_image"), picture);
    EXPECT_EQ(Enabled("lbl_bg_color"), !picture);
    EXPECT_EQ(Enabled("pnl_bg_color"), !picture);
  }
}

TEST_F(MainWindowRulesTest, PreviewBoxShowsAndHidesThePreviewWindow) {
  EXPECT_TRUE(windows->preview.isVisible());
  Tick("CB_preview", false);
  EXPECT_FALSE(windows->preview.isVisible());
  Tick("CB_preview", true);
  EXPECT_TRUE(windows->preview.isVisible());
  // The preview window refuses a close request from the title bar...
  QCloseEvent title_bar_close;
  QSpontaneKeyEvent::setSpontaneous(&title_bar_close);
  // Delivered as the window system delivers it (sendEvent would make it the program's).
  static_cast<QObject&>(windows->preview).event(&title_bar_close);
  EXPECT_FALSE(title_bar_close.isAccepted());
  // ...but not the program's own, or the program could not end.
  EXPECT_TRUE(windows->preview.close());
}

TEST_F(MainWindowRulesTest, CommentBoxEnablesTheCommentEditor) {
  // An entry shown, whose picture is not drawn.
  Main<QCheckBox>("CB_preview")->setChecked(false);
  testing::WriteBytes(dir / "a.jpg", "x");
  Drop({dir / "a.jpg"});
  auto* box = Preview<QCheckBox>("CB_show_com");
  for (bool on : {true, false}) {
    box->setChecked(on);
    EXPECT_EQ(Preview("Re_comment")->isEnabled(), on);
  }
}

TEST_F(MainWindowRulesTest, ColourPanelsTakeTheChosenColour) {
  dialogs.colors = {0x00FF00, std::nullopt, 0x123456};
  Click("pnl_bg_color");
  Click("pnl_link_color");
  Click("pnl_vlink_color");
  EXPECT_EQ(dialogs.log,
            (std::vector<std::string>{"color: FFFFFF", "color: FFFF00", "color: FF0000"}));
  LiveSettings live = windows->main.ReadLiveSettings();
  EXPECT_EQ(live.bg_color, 0x00FF00u);
  EXPECT_EQ(live.link_color, 0xFFFF00u);  // cancelled: unchanged
  EXPECT_EQ(live.vlink_color, 0x123456u);

  // A disabled panel opens nothing.
  Tick("CB_show_bg_image", true);
  Click("pnl_bg_color");
  EXPECT_EQ(dialogs.log.size(), 3u);
}

TEST_F(MainWindowRulesTest, BackgroundPictureDialogStartsAtAnExistingFile) {
  const std::string picture = dir / "bg.jpg";
  testing::WriteBytes(picture, "x");
  auto* edit = Main<QLineEdit>("edt_bg_image");
  Tick("CB_show_bg_image", true);
  dialogs.pictures = {picture, std::nullopt, std::nullopt};

  edit->setText(QString::fromStdString(dir / "missing.jpg"));
  Click("btn_bg_image");
  EXPECT_EQ(edit->text().toStdString(), picture);
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(edit->text().toStdString(), picture);  // cancelled
  edit->setText("");
  Click("btn_bg_image");
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(dialogs.log,
            (std::vector<std::string>{"picture: ", "picture: " + picture, "picture: "}));
}

TEST_F(MainWindowRulesTest, OutputFolderFromDoubleClickOrButton) {
  auto* edit = Main<QLineEdit>("edt_out_path");
  dialogs.folders = {"/srv/web", std::nullopt, "/srv/other"};
  QTest::mouseDClick(edit, Qt::LeftButton);
  EXPECT_EQ(edit->text(), "/srv/web");
  Click("Button1");
  EXPECT_EQ(edit->text(), "/srv/web");
  Click("Button1");
  EXPECT_EQ(edit->text(), "/srv/other");
  EXPECT_EQ(dialogs.log, std::vector<std::string>(3, "folder: 出力先を指定してください"));
}

TEST_F(MainWindowRulesTest, BatchModeFromTheBatchButtonUntilTheBatchWindowCloses) {
  Click("btn_macro");
  EXPECT_TRUE(windows->main.macro_mode());
  EXPECT_FALSE(Enabled("btn_macro"));
  EXPECT_FALSE(Enabled("btn_close"));
  EXPECT_FALSE(Shown(Main("btn_start")));
  EXPECT_TRUE(windows->macro.isVisible());
  EXPECT_FALSE(windows->macro.isModal());
  for (const char* usable : {"Button5", "Button6", "Button7", "Button8", "CB_fn", "Button10"}) {
    EXPECT_TRUE(Enabled(usable)) << usable;
  }

  QTest::mouseClick(Macro("Button2"), Qt::LeftButton);
  EXPECT_FALSE(windows->macro.isVisible());
  EXPECT_FALSE(windows->main.macro_mode());
  EXPECT_TRUE(Enabled("btn_macro"));
  EXPECT_TRUE(Enabled("btn_close"));
  EXPECT_TRUE(Shown(Main("btn_start")));

  // The batch window's own close box leaves batch mode the same way.
  Click("btn_macro");
  EXPECT_TRUE(windows->macro.close());
  EXPECT_FALSE(windows->main.macro_mode());
  EXPECT_TRUE(Shown(Main("btn_start")));
}

}  // namespace
}  // namespace montrelle
