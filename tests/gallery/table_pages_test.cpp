#include "gallery/table_pages.h"

#include <gtest/gtest.h>

#include "gallery/numbered_pictures.h"
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
using testing::FolderTree;
using testing::kWhiteBody;
using testing::NumberedPictures;
using testing::PageOpening;
using testing::Stem;
using testing::TempDir;
using testing::Texts;
using Lines = std::vector<std::string>;

LiveSettings TableSettings(const std::string& out_dir) {
  LiveSettings s;
  s.layout = OutputLayout::kTable;
  s.out_path = out_dir;
  s.title = "旅";
  s.table_count = "3";
  s.simake = true;
  return s;
}

Lines TablePage(const std::string& border, const Lines& rows,
                const std::string& body = kWhiteBody) {
  return Concat({PageOpening("旅", body),
                 {"<BR>", "", "<TABLE BORDER=\"" + border + "\">"},
                 rows,
                 {"</TABLE>", "</CENTER>", "", "", "</BODY>", "</HTML>"}});
}

// A row of thumbnail cells for pictures `first` to `last` (1-based).
Lines ThumbnailRow(int first, int last) {
  Lines row = {"<TR>"};
  for (int n = first; n <= last; ++n) {
    row.insert(row.end(),
               {"<TD>",
                "<A HREF=\"./src_files/" + Stem(n) +
                    ".htm\" TARGET=\"main\"><IMG SRC=\"./small_images/" + Stem(n) + ".jpg\"></A>",
                "</TD>"});
  }
  row.push_back("</TR>");
  return row;
}

TEST(TablePage, RowsHoldTheColumnCountAndTheLastRowTheRest) {
  const struct {
    int count;
    const char* columns;
    Lines rows;
    Lines progress;
  } cases[] = {
      {7,
       "3",
       Concat({ThumbnailRow(1, 3), ThumbnailRow(4, 6), ThumbnailRow(7, 7)}),
       {"progress: 0/7", "progress: 1/7", "progress: 2/7"}},
      {6,
       "3",
       Concat({ThumbnailRow(1, 3), ThumbnailRow(4, 6)}),
       {"progress: 0/6", "progress: 1/6"}},
      {2,
       "1",
       Concat({ThumbnailRow(1, 1), ThumbnailRow(2, 2)}),
       {"progress: 0/2", "progress: 1/2"}},
      {4, "2147483647", ThumbnailRow(1, 4), {"progress: 0/4"}},
  };
  for (const auto& c : cases) {
    LiveSettings s = TableSettings("/www/gal");
    s.table_count = c.columns;
    ImageFileList list = NumberedPictures(c.count);
    FakeUi ui;
    EXPECT_EQ(Texts(TablePageLines(DeriveGenerationContext(s, list), list, s, ui)),
              TablePage("2", c.rows))
        << c.count << " in " << c.columns;
    EXPECT_EQ(ui.log, c.progress);
  }
}

TEST(TablePage, BorderTextAsTypedAndCellTexts) {
  const struct {
    const char* border;
    bool simake, fnoutput;
    const char* link;
  } cases[] = {
      {"2", true, true,
       "<A HREF=\"./src_files/p01.htm\" TARGET=\"main\"><IMG "
       "SRC=\"./small_images/p01.jpg\"><BR>p01.jpg</A>"},
      {"", true, false,
       "<A HREF=\"./src_files/p01.htm\" TARGET=\"main\"><IMG SRC=\"./small_images/p01.jpg\"></A>"},
      {"abc", false, true, "<A HREF=\"./src_files/p01.htm\" TARGET=\"main\">p01.jpg</A>"},
      {" 0", false, false, "<A HREF=\"./src_files/p01.htm\" TARGET=\"main\">Image:1</A>"},
  };
  ImageFileList list = NumberedPictures(1);
  for (const auto& c : cases) {
    LiveSettings s = TableSettings("/www/gal");
    s.table_bwidth = c.border;
    s.simake = c.simake;
    s.fnoutput = c.fnoutput;
    FakeUi ui;
    EXPECT_EQ(Texts(TablePageLines(DeriveGenerationContext(s, list), list, s, ui)),
              TablePage(c.border, {"<TR>", "<TD>", c.link, "</TD>", "</TR>"}));
  }
}

TEST(WriteTablePages, TablePageThenImagePagesWithTheDottedNameTest) {
  TempDir dir;
  LiveSettings s = TableSettings(dir.path());
  s.table_count = "2";
  s.fnoutput = true;
  s.jpegconvert = true;
  s.bgishow = true;
  s.bg_image = "/pictures/paper.gif";
  s.out_name = "album";
  ImageFileList list;
  list.Append("/photos/photobmp.jpeg", "", "0\t0\t0");
  list.Append("/photos/scan.BMP", "", "0\t0\t0");
  list.Append("/photos/Scan.Bmp", "", "0\t0\t0");
  FakeUi ui;
  WriteTablePages(DeriveGenerationContext(s, list), list, s, ui);

  EXPECT_EQ(ui.log, (Lines{"progress: 0/3", "progress: 1/3", "progress: 0/3", "progress: 1/3",
                           "progress: 2/3"}))
      << "rows, then image pages; the phase panel is left alone";
  EXPECT_EQ(FolderTree(dir.path()), (Lines{"album.html", "src_files/", "src_files/Scan.htm",
                                           "src_files/photobmp.htm", "src_files/scan.htm"}));
  const std::string body =
      "<body background=\"./src_files/paper.gif\" text=\"#111111\" link=\"#00FFFF\" "
      "vlink=\"#0000FF\" alink=\"#00ffff\">";
  EXPECT_EQ(FileLines(dir / "album.html"),
            TablePage("2",
                      {"<TR>", "<TD>",
                       "<A HREF=\"./src_files/photobmp.htm\" TARGET=\"main\"><IMG "
                       "SRC=\"./small_images/photobmp.jpg\"><BR>photobmp.jpg</A>",
                       "</TD>", "<TD>",
                       "<A HREF=\"./src_files/scan.htm\" TARGET=\"main\"><IMG "
                       "SRC=\"./small_images/scan.jpg\"><BR>scan.jpg</A>",
                       "</TD>", "</TR>", "<TR>", "<TD>",
                       "<A HREF=\"./src_files/Scan.htm\" TARGET=\"main\"><IMG "
                       "SRC=\"./small_images/Scan.Bmp\"><BR>Scan.Bmp</A>",
                       "</TD>", "</TR>"},
                      body));
  const struct {
    const char* page;
    const char* name;
  } pages[] = {
      {"photobmp.htm", "photobmp.jpeg"},  // no ".bmp" in it: kept on its own page
      {"scan.htm", "scan.jpg"},
      {"Scan.htm", "Scan.Bmp"},
  };
  for (const auto& p : pages) {
    EXPECT_EQ(FileLines(dir / ("src_files/" + std::string(p.page))),
              Concat({PageOpening("旅",
                                  "<body background=\"paper.gif\" text=\"#111111\" "
                                  "link=\"#00FFFF\" vlink=\"#0000FF\" alink=\"#00ffff\">"),
                      {"<IMG width = 550 SRC=\"../images/" + std::string(p.name) + "\">", "<BR>",
                       p.name, "</CENTER>", "</BODY>", "</HTML>"}}))
        << p.page;
  }
}

}  // namespace
}  // namespace montrelle
