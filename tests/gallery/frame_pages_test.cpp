#include "gallery/frame_pages.h"

#include <gtest/gtest.h>

#include "gallery/image_page.h"
#include "gallery/numbered_pictures.h"
#include "imagelist/string_routines.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "support/expected_pages.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::Concat;
using testing::FakeUi;
using testing::FileLines;
using testing::kCodePageMeta;
using testing::kWhiteBody;
using testing::NumberedPictures;
using testing::PageOpening;
using testing::ReadBytes;
using testing::Stem;
using testing::TempDir;
using testing::Texts;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

// The first navigation line of every menu page: its top button.
const std::string kTopLine =
    "<tr><td><A HREF=\"./index_menu1.htm\" TARGET=\"sub\"><img src=\"top.gif\" width=\"30\" "
    "border=\"0\"></A></td>";

LiveSettings FrameSettings(const std::string& out_dir) {
  LiveSettings s;
  s.layout = OutputLayout::kFrame;
  s.out_path = out_dir;
  s.title = "旅";
  return s;
}

Lines MenuPage(const Lines& slots, const Lines& navigation, const std::string& caption) {
  return Concat({PageOpening("旅", kWhiteBody),
                 {"<BR>", "", "<TABLE BORDER=0\"\">"},
                 slots,
                 navigation,
                 {"</TABLE><BR>", caption, "</CENTER>", "", "", "</BODY>", "</HTML>"}});
}

// A filled slot linking image page `page` with the thumbnail of `image`.
Lines ThumbnailSlot(const std::string& page, const std::string& image) {
  return {
      "<TR>",
      "<A HREF=\"./" + page + "\" TARGET=\"main\"><IMG SRC=\"../small_images/" + image + "\"></A>",
      "</TR>"};
}

Lines ThumbnailSlots(int first, int last) {
  Lines slots;
  for (int n = first; n <= last; ++n) {
    Lines slot = ThumbnailSlot(Stem(n) + ".htm", Stem(n) + ".jpg");
    slots.insert(slots.end(), slot.begin(), slot.end());
  }
  return slots;
}

TEST(FramePages, ThirteenImagesOnThreeMenuPages) {
  LiveSettings s = FrameSettings("/www/gal");
  s.simake = true;
  ImageFileList list = NumberedPictures(13);
  GenerationContext c = DeriveGenerationContext(s, list);
  ASSERT_EQ(MenuPageCount(13, 6), 3);

  EXPECT_EQ(Texts(MenuPageLines(c, list, s, 1)),
            MenuPage(ThumbnailSlots(1, 6),
                     {kTopLine,
                      "<td><A HREF=\"./index_menu3.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>",
                      "<td><td><A HREF=\"./index_menu2.htm\" TARGET=\"sub\"><img "
                      "src=\"next.gif\" width=\"30\" border=\"0\"></A></td></tr>"},
                     "(List:1/3)"));
  EXPECT_EQ(Texts(MenuPageLines(c, list, s, 2)),
            MenuPage(ThumbnailSlots(7, 12),
                     {kTopLine,
                      "<td><A HREF=\"./index_menu3.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>",
                      "<tr><td><A HREF=\"./index_menu1.htm\" TARGET=\"sub\"><img "
                      "src=\"previous.gif\" width=\"30\" border=\"0\"></A></td>",
                      "<td><A HREF=\"./index_menu3.htm\" TARGET=\"sub\"><img src=\"next.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>"},
                     "(List:2/3)"));
  Lines last_slots = ThumbnailSlots(13, 13);
  last_slots.insert(last_slots.end(), 5, "<TR>");
  EXPECT_EQ(Texts(MenuPageLines(c, list, s, 3)),
            MenuPage(last_slots,
                     {kTopLine,
                      "<td><A HREF=\"./index_menu3.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>",
                      "<tr><td><A HREF=\"./index_menu2.htm\" TARGET=\"sub\"><img "
                      "src=\"previous.gif\" width=\"30\" border=\"0\"></A></td>"},
                     "(List:3/3)"));
}

TEST(FramePages, TwelveImagesAndOneImage) {
  LiveSettings s = FrameSettings("/www/gal");
  s.simake = true;
  ImageFileList twelve = NumberedPictures(12);
  GenerationContext c = DeriveGenerationContext(s, twelve);
  EXPECT_EQ(MenuPageCount(12, 6), 2);
  EXPECT_EQ(Texts(MenuPageLines(c, twelve, s, 2)),
            MenuPage(ThumbnailSlots(7, 12),
                     {kTopLine,
                      "<td><A HREF=\"./index_menu2.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>",
                      "<tr><td><A HREF=\"./index_menu1.htm\" TARGET=\"sub\"><img "
                      "src=\"previous.gif\" width=\"30\" border=\"0\"></A></td>"},
                     "(List:2/2)"));

  ImageFileList one = NumberedPictures(1);
  EXPECT_EQ(MenuPageCount(1, 6), 1);
  Lines slots = ThumbnailSlots(1, 1);
  slots.insert(slots.end(), 5, "<TR>");
  EXPECT_EQ(Texts(MenuPageLines(c, one, s, 1)),
            MenuPage(slots,
                     {kTopLine,
                      "<td><A HREF=\"./index_menu1.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                      "width=\"30\" border=\"0\"></A></td></tr>"},
                     "(List:1/1)"));
  EXPECT_EQ(MenuPageCount(7, 1), 7);
  EXPECT_EQ(MenuPageCount(5, 2147483647), 1);
}

TEST(FramePages, MenuCellText) {
  const struct {
    bool simake, fnoutput;
    const char* link;
  } cases[] = {
      {true, true,
       "<A HREF=\"./p03.htm\" TARGET=\"main\"><IMG "
       "SRC=\"../small_images/p03.jpg\"><BR>p03.jpg</A>"},
      {true, false,
       "<A HREF=\"./p03.htm\" TARGET=\"main\"><IMG SRC=\"../small_images/p03.jpg\"></A>"},
      {false, true, "<A HREF=\"./p03.htm\" TARGET=\"main\"><BR>p03.jpg</A>"},
      {false, false, "<A HREF=\"./p03.htm\" TARGET=\"main\"><BR>Image:3</A>"},
  };
  ImageFileList list = NumberedPictures(3);
  for (const auto& k : cases) {
    LiveSettings s = FrameSettings("/www/gal");
    s.simake = k.simake;
    s.fnoutput = k.fnoutput;
    Lines page = Texts(MenuPageLines(DeriveGenerationContext(s, list), list, s, 1));
    ASSERT_GT(page.size(), 21u);
    EXPECT_EQ(page[20], "<TR>");
    EXPECT_EQ(page[21], k.link);
    EXPECT_EQ(page[22], "</TR>");
  }
}

TEST(FramePages, EntryPageFramesetFollowsReducedWidth) {
  ImageFileList list = NumberedPictures(2);
  const struct {
    const char* small_width;
    bool simake;
    const char* cols;
  } cases[] = {{"80", true, "130"}, {"100", false, "150"}, {"2147483647", false, "2147483697"}};
  for (const auto& k : cases) {
    LiveSettings s = FrameSettings("/www/gal");
    s.small_width = k.small_width;
    s.simake = k.simake;
    s.out_name = "top.htm";
    EXPECT_EQ(
        Texts(FrameEntryPageLines(DeriveGenerationContext(s, list))),
        (Lines{"<HTML>", "<HEAD>", kCodePageMeta, "", "<TITLE>", "旅", "</TITLE>", "", "</HEAD>",
               std::string("<FRAMESET COLS=\"") + k.cols +
                   ",*\" BORDER=\"0\" FRAMEBORDER=\"no\" FRAMESPACING=\"0\">",
               "<FRAME src=\"./src_files/top_menu1.htm\" name=\"sub\">",
               "<FRAME src=\"./src_files/p01.htm\" name=\"main\">", "</FRAMESET>", "", "</HTML>"}));
  }
}

TEST(ImagePage, NameAndCommentLines) {
  ImageFileList list = NumberedPictures(2);
  list.SetComment(2, "夕焼け〜海");
  const struct {
    bool fnoutput, comment_out;
    Lines middle;
  } cases[] = {
      {false, false, {}},
      {true, false, {"<BR>", "p02.jpg"}},
      {false, true, {"<BR>", "夕焼け〜海"}},
      {true, true, {"<BR>", "p02.jpg", "<BR>", "夕焼け〜海"}},
  };
  for (const auto& k : cases) {
    LiveSettings s = FrameSettings("/www/gal");
    s.fnoutput = k.fnoutput;
    s.comment_out = k.comment_out;
    EXPECT_EQ(Texts(ImagePageLines(DeriveGenerationContext(s, list), list, s, 1, NameTest::kPlain)),
              Concat({PageOpening("旅", kWhiteBody),
                      {"<IMG width = 550 SRC=\"../../../photos/p02.jpg\">"},
                      k.middle,
                      {"</CENTER>", "</BODY>", "</HTML>"}}));
  }
  LiveSettings s = FrameSettings("/www/gal");
  s.comment_out = true;
  Lines empty_comment =
      Texts(ImagePageLines(DeriveGenerationContext(s, list), list, s, 0, NameTest::kPlain));
  ASSERT_EQ(empty_comment.size(), 17u);
  EXPECT_EQ(empty_comment[12], "<BR>");
  EXPECT_EQ(empty_comment[13], "");
}

TEST(ImagePage, ConvertedBitmapAndOrientedImagesUseTheCopies) {
  ImageFileList list;
  list.Append("/photos/scan.BMP", "", "0\t0\t0");
  list.Append("/photos/photobmp.jpeg", "", "0\t0\t0");
  LiveSettings s = FrameSettings("/www/gal");
  s.jpegconvert = true;
  s.fnoutput = true;
  GenerationContext c = DeriveGenerationContext(s, list);
  Lines scan = Texts(ImagePageLines(c, list, s, 0, NameTest::kPlain));
  EXPECT_EQ(scan[11], "<IMG width = 550 SRC=\"../images/scan.jpg\">");
  EXPECT_EQ(scan[13], "scan.jpg");
  EXPECT_EQ(Texts(ImagePageLines(c, list, s, 1, NameTest::kDotted))[11],
            "<IMG width = 550 SRC=\"../images/photobmp.jpeg\">");
  EXPECT_EQ(Texts(ImagePageLines(c, list, s, 1, NameTest::kPlain))[11],
            "<IMG width = 550 SRC=\"../images/photobmp.jpg\">");

  // One turned picture puts every page on the copies, with every copy option off.
  ImageFileList turned = NumberedPictures(3);
  turned.SetOrientation(3, "0\t0\t1");
  LiveSettings plain = FrameSettings("/www/gal");
  plain.simake = true;
  GenerationContext t = DeriveGenerationContext(plain, turned);
  for (int i = 0; i < 3; ++i) {
    std::string name = Stem(i + 1) + ".jpg";
    EXPECT_EQ(Texts(ImagePageLines(t, turned, plain, i, NameTest::kPlain))[11],
              "<IMG width = 550 SRC=\"../images/" + name + "\">");
  }
}

// Built lines as they read back from CP932: the JIS wave dash of free text comes
// back as the full-width tilde CP932 writes for it.
Lines ReadBack(const PageLines& built) {
  Lines lines;
  for (const std::string& text : Texts(built)) lines.push_back(ReplaceAll("〜", "～", text));
  return lines;
}

TEST(WriteFramePages, WritesEveryPageAndCopiesTheButtons) {
  TempDir dir;
  const std::string out = dir / "out";
  ASSERT_TRUE(CreateFolder(out));
  ASSERT_TRUE(CreateFolder(dir / "buttons"));
  for (const char* gif : {"top.gif", "last.gif", "next.gif"})
    WriteBytes(dir / ("buttons/" + std::string(gif)), gif);
  ASSERT_TRUE(CreateFolder(out + "/src_files"));
  WriteBytes(out + "/src_files/top.gif", "older");

  LiveSettings s = FrameSettings(out);
  s.frame_count = "2";
  s.title = "庭〜";
  s.comment_out = true;
  ImageFileList list = NumberedPictures(3);
  list.SetComment(2, "夕焼け〜海");
  GenerationContext c = DeriveGenerationContext(s, list);
  FakeUi ui;
  WriteFramePages(c, list, s, ui, dir / "buttons");

  EXPECT_EQ(ui.log, (Lines{"phase: HTMLファイル作成", "progress: 0/3", "progress: 1/3",
                           "progress: 2/3", "progress: 0/3", "progress: 1/3"}));
  EXPECT_EQ(ui.events_processed, 6);
  EXPECT_EQ(FileLines(out + "/index.html"), ReadBack(FrameEntryPageLines(c)));
  // The title in CP932: 庭 is 92 EB, 〜 is written as the wave dash 81 60.
  EXPECT_NE(ReadBytes(out + "/index.html").find("<TITLE>\r\n\x92\xeb\x81\x60\r\n</TITLE>"),
            std::string::npos);
  std::vector<ListedName> files = ListFolder(out + "/src_files");
  Lines names;
  for (const ListedName& f : files) names.push_back(f.name);
  EXPECT_EQ(names, (Lines{"index_menu1.htm", "index_menu2.htm", "last.gif", "next.gif", "p01.htm",
                          "p02.htm", "p03.htm", "top.gif"}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(FileLines(out + "/src_files/p0" + std::to_string(i + 1) + ".htm"),
              ReadBack(ImagePageLines(c, list, s, i, NameTest::kPlain)));
  }
  EXPECT_EQ(FileLines(out + "/src_files/index_menu1.htm"), ReadBack(MenuPageLines(c, list, s, 1)));
  EXPECT_EQ(FileLines(out + "/src_files/index_menu2.htm"), ReadBack(MenuPageLines(c, list, s, 2)));
  EXPECT_EQ(ReadBytes(out + "/src_files/top.gif"), "top.gif");  // replaced
  EXPECT_EQ(ReadBytes(out + "/src_files/next.gif"), "next.gif");
}

TEST(WriteFramePages, UnwritableTextStopsBeforeThePage) {
  TempDir dir;
  LiveSettings s = FrameSettings(dir.path());
  ImageFileList list;
  list.Append("/photos/ok.jpg", "", "0\t0\t0");
  list.Append("/photos/波〜.jpg", "", "0\t0\t0");  // 〜 does not come back from CP932
  GenerationContext c = DeriveGenerationContext(s, list);
  FakeUi ui;
  try {
    WriteFramePages(c, list, s, ui, dir / "none");
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル " + (dir / "src_files/波〜.htm") +
                                         " に書けない文字があります: 「〜」(U+301C)");
  }
  EXPECT_TRUE(FileExists(dir / "index.html"));
  EXPECT_TRUE(FileExists(dir / "src_files/ok.htm"));
  EXPECT_EQ(ListFolder(dir / "src_files").size(), 1u);
}

}  // namespace
}  // namespace montrelle
