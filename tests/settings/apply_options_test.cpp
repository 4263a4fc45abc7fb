#include "settings/apply_options.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::TempDir;
using testing::WriteBytes;

TEST(ApplyOptions, RecordBecomesControlValues) {
  TMT_Options o = DefaultOptions();
  o.Frame = {-1, 2147483647};
  o.Table.count = -2147483647 - 1;
  o.Color = {"00ff00", "FF0000", "0000ff"};  // green, blue, red: blue is the high byte
  o.Flags.simake = false;
  o.Flags.CommentOut = o.Flags.dontask = o.Flags.QRVlist = o.Flags.jpegconvert = true;
  o.Other = {"", "", "t"};
  LiveSettings expected;
  expected.layout = OutputLayout::kFrame;
  expected.frame_width = "-1";
  expected.frame_count = "2147483647";
  expected.table_width = "600";
  expected.table_count = "-2147483648";
  expected.pulldown_width = "450";
  expected.small_width = "100";
  expected.bg_color = 0x00FF00;
  expected.link_color = 0xFF0000;
  expected.vlink_color = 0x0000FF;
  expected.comment_out = expected.dontask = expected.qrvlist = expected.jpegconvert = true;
  expected.out_name = "";
  expected.title = "t";

  LiveSettings live;
  live.fnoutput = live.simake = live.micopy = live.mimake = true;
  live.bg_image = live.out_path = "before";
  ApplyOptions(o, live);
  EXPECT_EQ(live, expected);

  const std::pair<std::uint8_t, std::optional<OutputLayout>> layouts[] = {
      {0, OutputLayout::kFrame}, {1, OutputLayout::kTable}, {2, OutputLayout::kPulldown},
      {3, std::nullopt},         {7, std::nullopt},         {255, std::nullopt}};
  for (const auto& [type, layout] : layouts) {
    o.HTMLtype.type = type;
    ApplyOptions(o, live);
    EXPECT_EQ(live.layout, layout) << int{type};
  }
}

// A colour that is no hexadecimal number stops the steps there: the layout, the
// numbers and the colours before it are applied, nothing after it.
TEST(ApplyOptions, BadColourStopsPartWay) {
  TempDir dir;
  TMT_Options o = DefaultOptions();
  o.HTMLtype.type = 1;
  o.Frame.width = 700;
  o.Flags.fnoutput = o.Flags.micopy = true;
  o.Other.out_path = dir.path();
  o.Other.title = "t";
  const struct {
    const char* bg;
    const char* link;
    const char* vlink;
    const char* message;
    int applied_colours;
  } cases[] = {
      {"", "ffff00", "ff0000", "'$' は整数ではありません", 0},
      {"ABCDEF", "red", "ff0000", "'$red' は整数ではありません", 1},
      {"ABCDEF", "00ff00", "100000000", "'$100000000' は整数ではありません", 2},
  };
  for (const auto& c : cases) {
    o.Color = {c.bg, c.link, c.vlink};
    LiveSettings live;
    ExpectAppError([&] { ApplyOptions(o, live); }, c.message);
    LiveSettings expected;
    expected.layout = OutputLayout::kTable;
    expected.frame_width = "700";
    expected.table_width = "600";
    expected.pulldown_width = "450";
    expected.small_width = "100";
    if (c.applied_colours > 0) expected.bg_color = 0xABCDEF;
    if (c.applied_colours > 1) expected.link_color = 0x00FF00;
    EXPECT_EQ(live, expected) << c.message;
  }
}

// File-name output and pull-down comments exclude each other; the pull-down option
// is set last, so it wins when the file has both on.
TEST(ApplyOptions, ExclusivePullDownEntryOptions) {
  const struct {
    bool fn_file, pd_file, fn_before, pd_before, fn_after, pd_after;
  } cases[] = {
      {true, true, false, false, false, true},   {true, true, true, false, false, true},
      {true, false, false, true, true, false},   {false, true, true, false, false, true},
      {false, false, true, false, false, false}, {false, false, false, true, false, false},
  };
  for (const auto& c : cases) {
    TMT_Options o = DefaultOptions();
    o.Flags.fnoutput = c.fn_file;
    o.Flags.CommentOutPD = c.pd_file;
    LiveSettings live;
    live.fnoutput = c.fn_before;
    live.comment_out_pd = c.pd_before;
    ApplyOptions(o, live);
    EXPECT_EQ(live.fnoutput, c.fn_after) << c.fn_file << c.pd_file << c.fn_before;
    EXPECT_EQ(live.comment_out_pd, c.pd_after) << c.fn_file << c.pd_file << c.fn_before;
  }
}

// A background picture that is not an existing file is dropped and turns the
// background picture option off; an output folder that does not exist is dropped.
TEST(ApplyOptions, MissingPictureAndFolderAreDropped) {
  TempDir dir;
  WriteBytes(dir / "背景.jpg", "x");
  ASSERT_TRUE(CreateFolder(dir / "out"));
  const struct {
    std::string bg_image;
    bool bgishow;
    std::string out_path;
    std::string bg_after;
    bool bgishow_after;
    std::string out_after;
  } cases[] = {
      {dir / "背景.jpg", true, dir / "out", dir / "背景.jpg", true, dir / "out"},
      {dir / "背景.jpg", false, dir / "out/", dir / "背景.jpg", false, dir / "out/"},
      {"", true, "", "", false, ""},
      {dir / "gone.jpg", true, dir / "gone", "", false, ""},
      {dir / "out", true, dir / "背景.jpg", "", false, ""},  // a folder, a file: wrong kinds
  };
  for (const auto& c : cases) {
    TMT_Options o = DefaultOptions();
    o.BGImage.bg_image = c.bg_image;
    o.Flags.bgishow = c.bgishow;
    o.Other.out_path = c.out_path;
    LiveSettings live;
    live.bgishow = !c.bgishow_after;
    live.bg_image = live.out_path = "before";
    ApplyOptions(o, live);
    EXPECT_EQ(live.bg_image, c.bg_after) << c.bg_image;
    EXPECT_EQ(live.bgishow, c.bgishow_after) << c.bg_image;
    EXPECT_EQ(live.out_path, c.out_after) << c.out_path;
  }
}

}  // namespace
}  // namespace montrelle
