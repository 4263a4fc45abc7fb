#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "settings/apply_options.h"
#include "settings/settings_keys.h"
#include "support/as_other_user.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kDefaultFile =
    "[HTMLtype]\r\ntype=0\r\n\r\n"
    "[Frame]\r\nwidth=550\r\ncount=6\r\n\r\n"
    "[Table]\r\nwidth=600\r\ncount=6\r\nbwidth=2\r\n\r\n"
    "[Pulldown]\r\nwidth=450\r\n\r\n"
    "[Responsive]\r\nwidth=1600\r\n\r\n"
    "[SmallImage]\r\nwidth=100\r\n\r\n"
    "[Color]\r\nbg_color=ffffff\r\nlink_color=ffff00\r\nvlink_color=ff0000\r\n\r\n"
    "[BGImage]\r\nbg_image=\r\n\r\n"
    "[Flags]\r\nfnoutput=0\r\nsimake=1\r\nmicopy=0\r\nmimake=0\r\nbgishow=0\r\ndontask=0\r\n"
    "jpegconvert=0\r\nQRVlist=0\r\nCommentOut=0\r\nCommentOutPD=0\r\nPreview=1\r\nexif="
    "1\r\nkeepmeta=0\r\n\r\n"
    "[Other]\r\nout_path=\r\nout_name=index.html\r\ntitle=\r\n\r\n";

// The message of the AppError that `action` throws, or "" when it throws none.
template <class Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const AppError& e) {
    return e.what();
  }
  return "";
}

// A record whose every field differs from the defaults and from the files below.
TMT_Options Sentinel() {
  TMT_Options o;
  o.HTMLtype.type = 9;
  o.Frame = {91, 92};
  o.Table = {93, 94, 95};
  o.Pulldown.width = 96;
  o.Responsive.width = 98;
  o.SmallImage.width = 97;
  o.Color = {"s1", "s2", "s3"};
  o.BGImage.bg_image = "s4";
  o.Flags = {true, true, true, true, true, true, true, true, true, true, true, true, true};
  o.Other = {"s5", "s6", "s7"};
  return o;
}

TEST(WriteSettingsFile, DefaultFileIsTheFortyNineLinesWhateverTheControlsHold) {
  ASSERT_EQ(std::ranges::count(kDefaultFile, '\n'), 49);
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  LiveSettings live;
  live.title = "ignored";
  WriteSettingsFile(path, kWriteDefaults, live);
  EXPECT_EQ(ReadBytes(path), kDefaultFile);
  WriteBytes(path, std::string(5000, 'x'));
  WriteSettingsFile(path, kWriteDefaults);
  EXPECT_EQ(ReadBytes(path), kDefaultFile);
  EXPECT_THROW(WriteSettingsFile(path, 2, live), std::invalid_argument);
  EXPECT_EQ(ReadBytes(path), kDefaultFile);
}

TEST(WriteSettingsFile, ControlValuesAsTypedInCp932) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  LiveSettings live;
  live.layout = std::nullopt;
  live.frame_width = "abc";
  live.table_width = " 600";
  live.small_width = "";
  live.bg_color = 0xFF;
  live.link_color = 0x1ABCDEF;
  live.vlink_color = 0x00FF00;
  live.bg_image = "/pics/背景.jpg";
  live.fnoutput = live.micopy = live.mimake = live.bgishow = live.jpegconvert = live.qrvlist = true;
  live.simake = live.preview = live.exif = false;
  live.keepmeta = true;
  live.out_path = "/out/写真";
  live.out_name = "index.htm";
  live.title = "春の庭〜 'x'";
  WriteSettingsFile(path, kWriteLive, live);
  EXPECT_EQ(ReadBytes(path),
            "[HTMLtype]\r\ntype=-1\r\n\r\n"
            "[Frame]\r\nwidth=abc\r\ncount=6\r\n\r\n"
            "[Table]\r\nwidth= 600\r\ncount=6\r\nbwidth=2\r\n\r\n"
            "[Pulldown]\r\nwidth=400\r\n\r\n"
            "[Responsive]\r\nwidth=1600\r\n\r\n"
            "[SmallImage]\r\nwidth=\r\n\r\n"
            "[Color]\r\nbg_color=0000FF\r\nlink_color=1ABCDEF\r\nvlink_color=00FF00\r\n\r\n"
            "[BGImage]\r\nbg_image=/pics/\x94\x77\x8c\x69.jpg\r\n\r\n"
            "[Flags]\r\nfnoutput=1\r\nsimake=0\r\nmicopy=1\r\nmimake=1\r\nbgishow=1\r\n"
            "dontask=0\r\njpegconvert=1\r\nQRVlist=1\r\nCommentOut=0\r\nCommentOutPD=0\r\n"
            "Preview=0\r\nexif=0\r\nkeepmeta=1\r\n\r\n"
            "[Other]\r\nout_path=/out/\x8e\xca\x90\x5e\r\nout_name=index.htm\r\n"
            "title=\x8f\x74\x82\xcc\x92\xeb\x81\x60 'x'\r\n\r\n");
}

TEST(LoadSettings, FileWithoutAnySectionIsReplacedByTheDefaultFile) {
  const struct {
    const char* name;
    std::optional<std::string> content;  // nothing: no file
  } cases[] = {
      {"missing", std::nullopt},
      {"empty", ""},
      {"no section line", "type=2\r\nwidth=3\r\n"},
      {"byte-order mark only", "\xEF\xBB\xBF"},
      {"section after end-of-file byte", "\x1A[HTMLtype]\r\ntype=1\r\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::string path = dir / "Montrelle.ini";
    if (c.content) WriteBytes(path, *c.content);
    TMT_Options options = Sentinel();
    EXPECT_FALSE(ReadSettingsFile(path, options)) << c.name;
    EXPECT_EQ(options, Sentinel()) << c.name;
    EXPECT_EQ(FileExists(path), c.content.has_value()) << c.name << ": not written";
    LoadSettings(path, options);
    EXPECT_EQ(options, DefaultOptions()) << c.name;
    EXPECT_EQ(ReadBytes(path), kDefaultFile) << c.name;
  }
}

// The file has no [Responsive] section, as every file written before it came: its
// width takes the default and the keys after it are read.
TEST(LoadSettings, HandWrittenFileFillsEveryField) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  WriteBytes(path,
             "; a hand-edited file, keys spelled in other cases\n"
             "[htmltype]\ntype=261\n"
             "[FRAME]\nWIDTH= -5 \ncount=\"+7\"\n"
             "[Table]\nwidth=600\ncount=3\nbwidth=0\nwidth=1\n"
             "[Pulldown]\nwidth=2147483647\n"
             "[SmallImage]\nwidth=-2147483648\n"
             "[color]\nbg_color=ABCDEF\nLINK_COLOR=00ff00\nvlink_color='0000ff'\n"
             "[BGImage]\nbg_image=  /pics/\x94\x77\x8c\x69.jpg\t\n"
             "[Flags]\nPreview=0\nfnoutput=1\nsimake=0\nmicopy=1\nmimake=1\nbgishow=1\n"
             "dontask=1\njpegconvert=1\nQRVlist=1\nCommentOut=1\nCommentOutPD=1\n"
             "[Other]\nout_path=\"/out/dir\"\nout_name=a.html\ntitle=' "
             "\x01\x8f\x74\x82\xcc\x92\xeb\x1f '\n");
  TMT_Options expected;
  expected.HTMLtype.type = 5;
  expected.Frame = {-5, 7};
  expected.Table = {600, 3, 0};
  expected.Pulldown.width = 2147483647;
  expected.Responsive.width = 1600;
  expected.SmallImage.width = -2147483647 - 1;
  expected.Color = {"ABCDEF", "00ff00", "0000ff"};
  expected.BGImage.bg_image = "/pics/背景.jpg";
  // exif and keepmeta are missing, as in every file written before they were
  // added: exif reads 1, keepmeta 0.
  expected.Flags = {true, true, true, true, true, true, true, true, true, true, true, true};
  expected.Flags.simake = false;
  expected.Flags.Preview = false;
  expected.Other = {"/out/dir", "a.html", "春の庭"};
  TMT_Options options;
  LoadSettings(path, options);
  EXPECT_EQ(options, expected);
}

// A value that is no integer, or no colour, takes its key's default and loading
// goes on with the keys after it; one error then lists every such key. The file is
// left as it is.
TEST(LoadSettings, ValuesThatAreNoIntegersTakeTheirDefaults) {
  std::string file = kDefaultFile;
  const std::pair<std::string, std::string> changes[] = {
      {"type=0", "type=2147483648"},
      {"width=550", "width=abc"},
      {"bwidth=2\r\n", ""},
      {"link_color=ffff00", "link_color=#00ff00"},
      // A damaged file: the NUL bytes must not cut the message short.
      {"dontask=0", std::string("dontask=1\0\0x", 12)},
      {"Preview=1", "Preview=0"},
      {"title=", "title=t"},
  };
  for (const auto& [from, to] : changes) file.replace(file.find(from), from.size(), to);
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  WriteBytes(path, file);
  TMT_Options options = Sentinel();
  EXPECT_EQ(ErrorOf([&] { LoadSettings(path, options); }),
            "[HTMLtype] type: '2147483648' は整数ではありません.\n"
            "[Frame] width: 'abc' は整数ではありません.\n"
            "[Table] bwidth: '' は整数ではありません.\n"
            "[Color] link_color: '#00ff00' は色を表す16進数ではありません.\n"
            "[Flags] dontask: '1\\x00\\x00x' は整数ではありません");
  TMT_Options expected = DefaultOptions();
  expected.Flags.Preview = false;
  expected.Other.title = "t";
  EXPECT_EQ(options, expected);
  EXPECT_EQ(ReadBytes(path), file);
}

// Control values -> file -> record -> control values, once with every flag off and
// once with each flag of the table on alone.
TEST(SettingsFile, ControlValuesSurviveTheRoundTrip) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  ASSERT_TRUE(CreateFolder(dir / "出力"));
  WriteBytes(dir / "背景 画像.jpg", "x");
  LiveSettings base;
  base.layout = OutputLayout::kPulldown;
  base.frame_width = "701";
  base.frame_count = "8";
  base.table_width = "651";
  base.table_count = "-4";
  base.table_bwidth = "0";
  base.pulldown_width = "451";
  base.responsive_width = "1601";
  base.small_width = "121";
  base.bg_color = 0x00FF00;
  base.link_color = 0x0000FF;
  base.vlink_color = 0x123456;
  base.bg_image = dir / "背景 画像.jpg";
  base.out_path = dir / "出力";
  base.out_name = "ギャラリー.html";
  base.title = "春の庭 「写真」 ① ～";
  for (const SettingKey& key : SettingKeys()) {
    if (auto* flag = std::get_if<bool LiveSettings::*>(&key.live)) base.*(*flag) = false;
  }
  const std::optional<OutputLayout> layouts[] = {std::nullopt, OutputLayout::kFrame,
                                                 OutputLayout::kTable, OutputLayout::kPulldown,
                                                 OutputLayout::kResponsive};
  std::vector<LiveSettings> cases = {base};
  for (const SettingKey& key : SettingKeys()) {
    if (auto* flag = std::get_if<bool LiveSettings::*>(&key.live)) {
      cases.push_back(base);
      cases.back().*(*flag) = true;
      cases.back().layout = layouts[cases.size() % 5];
    }
  }
  ASSERT_EQ(cases.size(), 14u);
  for (const LiveSettings& live : cases) {
    WriteSettingsFile(path, kWriteLive, live);
    TMT_Options options;
    LoadSettings(path, options);
    LiveSettings back;
    ApplyOptions(options, back);
    EXPECT_EQ(back, live) << ReadBytes(path);
  }
}

// The default file with the first line of each key replaced by its line in `lines`.
std::string DefaultFileWith(std::initializer_list<std::string> lines) {
  std::string text = kDefaultFile;
  for (const std::string& line : lines) {
    size_t at = text.find('\n' + line.substr(0, line.find('=') + 1)) + 1;
    text.replace(at, text.find('\r', at) - at, line);
  }
  return text;
}

// What a hand edit leaves after one start and close: a flag of 2 is off, a type
// outside 0 to 2 selects no layout, leading blanks and enclosing quotes are gone.
// The controls write the colours in upper case.
TEST(SettingsFile, HandEditsAfterOneStartAndClose) {
  const struct {
    const char* edit;
    const char* written_back;
  } cases[] = {
      {"simake=2", "simake=0"},
      {"type=7", "type=-1"},
      {"type=261", "type=-1"},
      {"type=-254", "type=2"},
      {"title=  \t leading", "title=leading"},
      {"title='quoted title'", "title=quoted title"},
      {"Preview= \"0\" ", "Preview=0"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::string path = dir / "Montrelle.ini";
    WriteBytes(path, DefaultFileWith({c.edit}));
    TMT_Options options;
    LoadSettings(path, options);
    LiveSettings live;
    ApplyOptions(options, live);
    WriteSettingsFile(path, kWriteLive, live);

    EXPECT_EQ(ReadBytes(path), DefaultFileWith({c.written_back, "bg_color=FFFFFF",
                                                "link_color=FFFF00", "vlink_color=FF0000"}))
        << c.edit;
  }
}

TEST(SettingsFile, RefusedWritesKeepTheOldFileAndSayWhy) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  const std::string old = "[Other]\r\ntitle=old\r\n";
  WriteBytes(path, old);
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  const std::string denied = "ファイルへのアクセスが拒否されました: ";
  int rc = testing::RunAsOtherUser([&] {
    LiveSettings live;
    TMT_Options options;
    if (ErrorOf([&] { WriteSettingsFile(path, kWriteLive, live); }) != denied + path) return 1;
    if (ErrorOf([&] { WriteSettingsFile(path, kWriteDefaults); }) != denied + path) return 2;
    // A missing file in a folder that cannot be written: the default file cannot be
    // made and loading ends there.
    std::string other = dir / "other.ini";
    if (ErrorOf([&] { LoadSettings(other, options); }) != denied + other) return 3;
    return options == TMT_Options{} && !FileExists(other) ? 0 : 4;
  });
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(ListFolder(dir.path()).size(), 1u);
}

TEST(SettingsFile, ValuesThatWouldNotReadBackAreRefused) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  const std::string old = "[Other]\r\ntitle=old\r\n";
  const struct {
    std::string LiveSettings::*field;
    const char* value;
    const char* refused;
  } cases[] = {
      {&LiveSettings::title, "笑顔😀", "「😀」(U+1F600)"},
      {&LiveSettings::out_name, "波〜.html", "「〜」(U+301C)"},
      {&LiveSettings::bg_image, "/p/¥.jpg", "「¥」(U+00A5)"},
      {&LiveSettings::out_path, "/p/‾", "「‾」(U+203E)"},
      {&LiveSettings::title, "a\r\n[Flags]\r\nQRVlist=1", "U+000D"},
      {&LiveSettings::frame_width, "5\n", "U+000A"},
      {&LiveSettings::out_name, "a\x1A.html", "U+001A"},
  };
  for (const auto& c : cases) {
    WriteBytes(path, old);
    LiveSettings live;
    live.*c.field = c.value;
    EXPECT_EQ(ErrorOf([&] { WriteSettingsFile(path, kWriteLive, live); }),
              "ファイル " + path + " に書けない文字があります: " + c.refused)
        << c.value;
    EXPECT_EQ(ReadBytes(path), old) << c.value;
  }
  ASSERT_EQ(ListFolder(dir.path()).size(), 1u);
}

TEST(LoadSettings, UnreadableOrHugeFileIsReportedNotReplaced) {
  TempDir dir;
  std::string path = dir / "Montrelle.ini";
  std::string huge = "[HTMLtype]\r\ntype=1\r\n" + std::string(1 << 20, ' ');
  WriteBytes(path, huge);
  TMT_Options options;
  EXPECT_EQ(ErrorOf([&] { LoadSettings(path, options); }),
            "ファイル " + path + " は設定ファイルとしては大きすぎます");
  EXPECT_EQ(ReadBytes(path), huge);
  EXPECT_EQ(options, TMT_Options{});

  WriteBytes(path, "[HTMLtype]\r\ntype=1\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  int rc = testing::RunAsOtherUser([&] {
    TMT_Options options;
    std::string error = ErrorOf([&] { LoadSettings(path, options); });
    return error == "ファイル " + path + " は開けません" && options == TMT_Options{} ? 0 : 1;
  });
  EXPECT_EQ(rc, 0);
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(ReadBytes(path), "[HTMLtype]\r\ntype=1\r\n");

  // A device never ends, and a pipe tells no size: the bound holds all the same.
  EXPECT_EQ(ErrorOf([&] { LoadSettings("/dev/zero", options); }),
            "ファイル /dev/zero は設定ファイルとしては大きすぎます");
  EXPECT_FALSE(ReadSettingsFile("/dev/null", options));
  const std::string pipe = dir / "pipe.ini";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const pid_t writer = fork();
  if (writer == 0) {
    std::FILE* out = std::fopen(pipe.c_str(), "w");
    std::fputs("[HTMLtype]\r\ntype=1\r\n", out);
    for (int i = 0; i < 3 << 20; ++i) std::fputc(' ', out);
    _exit(0);
  }
  EXPECT_EQ(ErrorOf([&] { LoadSettings(pipe, options); }),
            "ファイル " + pipe + " は設定ファイルとしては大きすぎます");
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  EXPECT_EQ(options, TMT_Options{});
}

}  // namespace
}  // namespace montrelle
