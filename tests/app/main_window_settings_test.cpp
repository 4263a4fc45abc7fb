#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/window_fixture.h"
#include "platform/codepage.h"
#include "settings/settings_file.h"

namespace montrelle {
namespace {

using testing::ReadBytes;
using testing::WindowTest;
using testing::WriteBytes;
using Replacements = std::vector<std::pair<std::string, std::string>>;

// The settings file written from the window's controls right after a start with
// the default file: the default values, the colours in upper case.
const char kWrittenDefaults[] =
    "[HTMLtype]\r\ntype=0\r\n\r\n"
    "[Frame]\r\nwidth=550\r\ncount=6\r\n\r\n"
    "[Table]\r\nwidth=600\r\ncount=6\r\nbwidth=2\r\n\r\n"
    "[Pulldown]\r\nwidth=450\r\n\r\n"
    "[Responsive]\r\nwidth=1600\r\n\r\n"
    "[SmallImage]\r\nwidth=100\r\n\r\n"
    "[Color]\r\nbg_color=FFFFFF\r\nlink_color=FFFF00\r\nvlink_color=FF0000\r\n\r\n"
    "[BGImage]\r\nbg_image=\r\n\r\n"
    "[Flags]\r\nfnoutput=0\r\nsimake=1\r\nmicopy=0\r\nmimake=0\r\nbgishow=0\r\ndontask=0\r\n"
    "jpegconvert=0\r\nQRVlist=0\r\nCommentOut=0\r\nCommentOutPD=0\r\nPreview=1\r\nexif="
    "1\r\nkeepmeta=0\r\n\r\n"
    "[Other]\r\nout_path=\r\nout_name=index.html\r\ntitle=\r\n\r\n";

// `text` with each "key=value" line of `changes` put in place of the line of that key
// in `section`.
std::string Changed(std::string text, const Replacements& changes) {
  for (const auto& [from, to] : changes) {
    const size_t at = text.find("\n" + from + "\r");
    if (at == std::string::npos) throw std::runtime_error("no line " + from);
    text.replace(at + 1, from.size(), to);
  }
  return text;
}

// What the controls hold after a start with the default file.
LiveSettings StartedDefaults() {
  LiveSettings live;
  live.table_width = "600";
  live.pulldown_width = "450";
  live.small_width = "100";
  live.simake = true;
  return live;
}

class MainWindowSettingsTest : public WindowTest {
 public:
  std::string WrittenFile() const { return ReadBytes(files.settings_path); }
};

TEST_F(MainWindowSettingsTest, MissingFileBecomesTheDefaultFile) {
  Start();
  const std::string reference = dir / "reference.ini";
  WriteSettingsFile(reference, kWriteDefaults);
  EXPECT_EQ(WrittenFile(), ReadBytes(reference));
  EXPECT_EQ(windows->main.ReadLiveSettings(), StartedDefaults());
  EXPECT_TRUE(windows->preview.isVisible());
  EXPECT_FALSE(Preview("Re_comment")->isEnabled());
  EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(MainWindowSettingsTest, ControlsBeforeTheSettingsAreTheFormDefaults) {
  Create();
  EXPECT_EQ(windows->main.ReadLiveSettings(), FormDefaults());
  EXPECT_FALSE(Enabled("CB_ch_main"));
  EXPECT_FALSE(Shown(Main("CB_QRV")));
}

TEST_F(MainWindowSettingsTest, StartUpFromFileValues) {
  const std::string picture = dir / "bg.jpg";
  WriteBytes(picture, "x");
  const std::string folder = dir / "out";
  const struct {
    const char* name;
    Replacements file;
    std::function<void(LiveSettings&)> expected;
    std::function<void(const MainWindowSettingsTest&)> check;
    Replacements written;  // how the file reads when the window closes at once
  } cases[] = {
      {"both pull-down entry options",
       {{"fnoutput=0", "fnoutput=1"}, {"CommentOutPD=0", "CommentOutPD=1"}},
       [](LiveSettings& l) { l.comment_out_pd = true; },
       [](const MainWindowSettingsTest&) {},
       {{"CommentOutPD=0", "CommentOutPD=1"}}},
      {"background picture missing",
       {{"bg_image=", "bg_image=" + (dir / "gone.jpg")}, {"bgishow=0", "bgishow=1"}},
       [](LiveSettings&) {},
       [](const MainWindowSettingsTest& t) {
         EXPECT_TRUE(t.Enabled("pnl_bg_color"));
         EXPECT_TRUE(t.Enabled("lbl_bg_color"));
         EXPECT_FALSE(t.Enabled("edt_bg_image"));
       },
       {}},
      {"background picture present",
       {{"bg_image=", "bg_image=" + picture}, {"bgishow=0", "bgishow=1"}},
       [&](LiveSettings& l) {
         l.bg_image = picture;
         l.bgishow = true;
       },
       [](const MainWindowSettingsTest& t) {
         EXPECT_FALSE(t.Enabled("pnl_bg_color"));
         EXPECT_FALSE(t.Enabled("lbl_bg_color"));
         EXPECT_TRUE(t.Enabled("edt_bg_image"));
         EXPECT_TRUE(t.Enabled("btn_bg_image"));
       },
       {{"bg_image=", "bg_image=" + picture}, {"bgishow=0", "bgishow=1"}}},
      {"re-made main images without copies",
       {{"mimake=0", "mimake=1"}},
       [](LiveSettings& l) { l.mimake = true; },
       [](const MainWindowSettingsTest& t) {
         for (const char* name : {"CB_ch_main", "lbl_ch_main1", "lbl_ch_main2"}) {
           EXPECT_FALSE(t.Enabled(name)) << name;
         }
       },
       {{"mimake=0", "mimake=1"}}},
      {"output folder deleted",
       {{"out_path=", "out_path=" + (dir / "deleted")}},
       [](LiveSettings&) {},
       [](const MainWindowSettingsTest&) {},
       {}},
      {"output folder present",
       {{"out_path=", "out_path=" + folder}},
       [&](LiveSettings& l) { l.out_path = folder; },
       [](const MainWindowSettingsTest&) {},
       {{"out_path=", "out_path=" + folder}}},
      {"QRV list",
       {{"QRVlist=0", "QRVlist=1"}},
       [](LiveSettings& l) { l.qrvlist = true; },
       [](const MainWindowSettingsTest& t) { EXPECT_FALSE(Shown(t.Main("CB_QRV"))); },
       {{"QRVlist=0", "QRVlist=1"}}},
      {"pull-down layout",
       {{"type=0", "type=2"}},
       [](LiveSettings& l) { l.layout = OutputLayout::kPulldown; },
       [](const MainWindowSettingsTest& t) {
         EXPECT_TRUE(Shown(t.Main("GB_pulldown")));
         EXPECT_FALSE(Shown(t.Main("GB_frame")));
         for (const char* name : {"CB_f_show", "Label2", "edt_lf_w"}) {
           EXPECT_FALSE(t.Enabled(name)) << name;
         }
         EXPECT_FALSE(Shown(t.Preview("CB_show_com")));
       },
       {{"type=0", "type=2"}}},
      {"layout out of range",
       {{"type=0", "type=5"}},
       [](LiveSettings& l) { l.layout = std::nullopt; },
       [](const MainWindowSettingsTest& t) {
         EXPECT_EQ(t.Main<QComboBox>("CmB_type")->currentIndex(), -1);
         EXPECT_TRUE(Shown(t.Main("GB_frame")));
         EXPECT_FALSE(Shown(t.Main("GB_table")));
         EXPECT_FALSE(Shown(t.Main("GB_pulldown")));
       },
       {{"type=0", "type=-1"}}},
      {"no preview, comments on, no Exif turns, metadata kept",
       {{"Preview=1", "Preview=0"},
        {"CommentOut=0", "CommentOut=1"},
        {"exif=1", "exif=0"},
        {"keepmeta=0", "keepmeta=1"}},
       [](LiveSettings& l) {
         l.preview = false;
         l.comment_out = true;
         l.exif = false;
         l.keepmeta = true;
       },
       [](const MainWindowSettingsTest& t) {
         EXPECT_FALSE(t.windows->preview.isVisible());
         EXPECT_TRUE(t.Preview<QCheckBox>("CB_show_com")->isChecked());
         EXPECT_FALSE(t.Preview("Re_comment")->isEnabled()) << "no entry shown yet";
         EXPECT_FALSE(t.Main<QCheckBox>("CB_exif")->isChecked());
         EXPECT_TRUE(t.Main<QCheckBox>("CB_keepmeta")->isChecked());
       },
       {{"Preview=1", "Preview=0"},
        {"CommentOut=0", "CommentOut=1"},
        {"exif=1", "exif=0"},
        {"keepmeta=0", "keepmeta=1"}}},
  };
  std::filesystem::create_directory(folder);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(files.settings_path, Changed(kWrittenDefaults, c.file));
    Start();
    LiveSettings expected = StartedDefaults();
    c.expected(expected);
    EXPECT_EQ(windows->main.ReadLiveSettings(), expected);
    c.check(*this);
    EXPECT_TRUE(windows->main.close());
    EXPECT_EQ(WrittenFile(), Changed(kWrittenDefaults, c.written));
    EXPECT_TRUE(dialogs.log.empty());
    windows.reset();
  }
}

// A bad colour costs only itself as well, and the start-up box lists it with the
// bad numbers.
TEST_F(MainWindowSettingsTest, BadColourTakesItsDefaultAndTheWindowStillShows) {
  WriteBytes(files.settings_path, Changed(kWrittenDefaults, {{"bwidth=2", "bwidth=x"},
                                                             {"bg_color=FFFFFF", "bg_color=00ff00"},
                                                             {"link_color=FFFF00", "link_color=zz"},
                                                             {"title=", "title=旅行"}}));
  Create();
  windows->ShowMainWindow();
  EXPECT_EQ(dialogs.log,
            (std::vector<std::string>{"error: [Table] bwidth: 'x' は整数ではありません.\n"
                                      "[Color] link_color: 'zz' は色を表す16進数ではありません."}));
  LiveSettings expected = StartedDefaults();
  expected.bg_color = 0x00FF00;
  expected.title = "旅行";
  EXPECT_EQ(windows->main.ReadLiveSettings(), expected);
  EXPECT_TRUE(windows->main.isVisible());
  EXPECT_TRUE(windows->preview.isVisible());
}

// One mistyped number costs only itself: the others are loaded, the close writes its
// default back.
TEST_F(MainWindowSettingsTest, BadNumberTakesItsDefaultAndTheRestLoads) {
  const Replacements kept = {
      {"count=6", "count=8"}, {"simake=1", "simake=0"}, {"title=", "title=t"}};
  Replacements bad = kept;
  bad.push_back({"width=550", "width=abc"});
  WriteBytes(files.settings_path, Changed(kWrittenDefaults, bad));
  Create();
  windows->ShowMainWindow();
  EXPECT_EQ(dialogs.log,
            (std::vector<std::string>{"error: [Frame] width: 'abc' は整数ではありません."}));
  EXPECT_EQ(windows->main.image_list().count(), 0);
  EXPECT_EQ(Main<QTableWidget>("StG_list")->rowCount(), 21);
  EXPECT_TRUE(windows->main.close());
  EXPECT_EQ(WrittenFile(), Changed(kWrittenDefaults, kept));
}

TEST_F(MainWindowSettingsTest, CloseWritesTheControlsAsTheyStand) {
  Start();
  auto* combo = Main<QComboBox>("CmB_type");
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  Main<QLineEdit>("edt_mi_w")->setText("abc");
  Main<QLineEdit>("edt_lf_w")->setText("");
  Main<QLineEdit>("edt_rs_w")->setText("1200");
  dialogs.colors = {0x0A0B0C};
  Click("pnl_link_color");
  Main<QCheckBox>("CB_fn")->setChecked(true);
  Main<QCheckBox>("CB_preview")->setChecked(false);
  Preview<QCheckBox>("CB_show_com")->setChecked(true);
  Main<QCheckBox>("CB_ask")->setChecked(true);
  Main<QCheckBox>("CB_exif")->setChecked(false);
  Main<QCheckBox>("CB_keepmeta")->setChecked(true);
  Main<QLineEdit>("edt_out_path")->setText("/srv/web");
  Main<QLineEdit>("edt_out")->setText("top.html");
  Main<QLineEdit>("edt_title")->setText("旅行〜2026");

  EXPECT_TRUE(windows->main.close());
  const std::string expected =
      "[HTMLtype]\r\ntype=1\r\n\r\n"
      "[Frame]\r\nwidth=abc\r\ncount=6\r\n\r\n"
      "[Table]\r\nwidth=600\r\ncount=6\r\nbwidth=2\r\n\r\n"
      "[Pulldown]\r\nwidth=450\r\n\r\n"
      "[Responsive]\r\nwidth=1200\r\n\r\n"
      "[SmallImage]\r\nwidth=\r\n\r\n"
      "[Color]\r\nbg_color=FFFFFF\r\nlink_color=0A0B0C\r\nvlink_color=FF0000\r\n\r\n"
      "[BGImage]\r\nbg_image=\r\n\r\n"
      "[Flags]\r\nfnoutput=1\r\nsimake=1\r\nmicopy=0\r\nmimake=0\r\nbgishow=0\r\ndontask=1\r\n"
      "jpegconvert=0\r\nQRVlist=0\r\nCommentOut=1\r\nCommentOutPD=0\r\nPreview=0\r\n"
      "exif=0\r\nkeepmeta=1\r\n\r\n"
      "[Other]\r\nout_path=/srv/web\r\nout_name=top.html\r\ntitle=\x97\xB7\x8D\x73\x81\x60"
      "2026\r\n\r\n";
  EXPECT_EQ(WrittenFile(), expected);
}

TEST_F(MainWindowSettingsTest, ClosingTheMainWindowEndsTheProgram) {
  Start();
  windows->ShowMainWindow();
  Click("btn_macro");
  ASSERT_TRUE(windows->preview.isVisible());
  ASSERT_TRUE(windows->macro.isVisible());
  // The event loop ends by itself once the main window has closed.
  QTimer give_up;
  give_up.setSingleShot(true);
  bool gave_up = false;
  QObject::connect(&give_up, &QTimer::timeout, [&] {
    gave_up = true;
    QCoreApplication::exit(1);
  });
  give_up.start(5000);
  QTimer::singleShot(0, &windows->main, [this] { windows->main.close(); });
  QCoreApplication::exec();
  EXPECT_FALSE(gave_up);
  EXPECT_FALSE(windows->main.isVisible());
}

TEST_F(MainWindowSettingsTest, FailedWriteKeepsTheWindowOpen) {
  Start();
  windows->main.show();
  const std::string before = WrittenFile();

  Main<QLineEdit>("edt_title")->setText("😀");
  EXPECT_FALSE(windows->main.close());
  EXPECT_TRUE(windows->main.isVisible());
  EXPECT_EQ(WrittenFile(), before);
  ASSERT_EQ(dialogs.log.size(), 1u);
  EXPECT_EQ(dialogs.log[0],
            "error: ファイル " + files.settings_path + " に書けない文字があります: 「😀」(U+1F600)");

  // A folder where the file should be: the rename over it fails.
  Main<QLineEdit>("edt_title")->setText("");
  std::filesystem::remove(files.settings_path);
  std::filesystem::create_directory(files.settings_path);
  std::filesystem::create_directory(files.settings_path + "/x");
  EXPECT_FALSE(windows->main.close());
  EXPECT_TRUE(windows->main.isVisible());
  EXPECT_EQ(dialogs.log.size(), 2u);

  std::filesystem::remove_all(files.settings_path);
  EXPECT_TRUE(windows->main.close());
  EXPECT_FALSE(windows->main.isVisible());
  EXPECT_EQ(WrittenFile(), kWrittenDefaults);
}

TEST_F(MainWindowSettingsTest, ResetRestoresTheDefaultsAndEmptiesTheList) {
  WriteBytes(files.settings_path,
             Changed(kWrittenDefaults,
                     {{"type=0", "type=2"}, {"title=", "title=old"}, {"Preview=1", "Preview=0"}}));
  Start();
  const std::string picture = dir / "a.jpg";
  WriteBytes(picture, "x");
  Drop({picture});
  ASSERT_EQ(windows->main.image_list().count(), 1);
  Click("btn_macro");
  const std::string before = WrittenFile();

  ui.answers = {false, true};
  Click("Button10");
  EXPECT_EQ(WrittenFile(), before);
  EXPECT_EQ(windows->main.image_list().count(), 1);

  Click("Button10");
  EXPECT_EQ(ui.log,
            std::vector<std::string>(2, "yesno: 全ての設定を初期化します。よろしいですか？"));
  const std::string reference = dir / "reference.ini";
  WriteSettingsFile(reference, kWriteDefaults);
  EXPECT_EQ(WrittenFile(), ReadBytes(reference));
  EXPECT_EQ(windows->main.ReadLiveSettings(), StartedDefaults());
  EXPECT_EQ(windows->main.image_list().count(), 0);
  EXPECT_EQ(Main<QTableWidget>("StG_list")->item(1, 1)->text(), "");
  EXPECT_TRUE(Shown(Main("GB_frame")));
  EXPECT_FALSE(Shown(Main("GB_pulldown")));
  EXPECT_TRUE(Shown(Preview("CB_show_com")));
  EXPECT_TRUE(windows->preview.isVisible());
  // Leaving batch mode brings the buttons back with it.
  EXPECT_FALSE(windows->main.macro_mode());
  EXPECT_FALSE(windows->macro.isVisible());
  EXPECT_TRUE(Shown(Main("btn_start")));
  EXPECT_TRUE(Enabled("btn_close"));
  EXPECT_TRUE(dialogs.log.empty());
}

}  // namespace
}  // namespace montrelle
