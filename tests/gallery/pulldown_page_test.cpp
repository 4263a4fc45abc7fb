#include "gallery/pulldown_page.h"

#include <gtest/gtest.h>

#include "support/expect_error.h"
#include "support/expected_pages.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FakeUi;
using testing::FileLines;
using testing::FolderTree;
using testing::kCodePageMeta;
using testing::TempDir;
using testing::Texts;
using Lines = std::vector<std::string>;

LiveSettings PulldownSettings(const std::string& out_dir) {
  LiveSettings s;
  s.layout = OutputLayout::kPulldown;
  s.out_path = out_dir;
  return s;
}

ImageFileList Pictures(const Lines& paths, const Lines& comments = {}) {
  ImageFileList list;
  for (size_t i = 0; i < paths.size(); ++i) {
    list.Append(paths[i], i < comments.size() ? comments[i] : "", "0\t0\t0");
  }
  return list;
}

// The whole page: `sources` are the script's picture references (prefix and name),
// `options` the option texts.
Lines PulldownPage(const Lines& sources, const std::string& first_name, int width,
                   const Lines& options, const std::string& body = testing::kWhiteBody) {
  Lines page = {"<HTML>",
                kCodePageMeta,
                "",
                "<SCRIPT language=\"JavaScript\">",
                "<!--",
                "function changeImg(){",
                "   num=document.myForm.imgSelect.selectedIndex;"};
  for (size_t i = 0; i < sources.size(); ++i) {
    page.push_back(i == 0 ? " if(num==0)" : "else  if(num==" + std::to_string(i) + ")");
    page.push_back("      document.myImg.src=\"" + sources[i] + "\";");
  }
  page.insert(page.end(),
              {"}", "//-->", "</SCRIPT>", "", body, "<CENTER>", "<FORM name=\"myForm\">",
               "<IMG SRC=\"" + sources[0] + "\" alt=\"" + first_name +
                   "\" WIDTH=" + std::to_string(width) + " vspace=4  name=\"myImg\"><br>",
               "", "<SELECT name=\"imgSelect\" onChange=\"changeImg()\">", ""});
  for (const std::string& option : options) page.push_back("<OPTION>" + option);
  page.insert(page.end(),
              {"</SELECT><br>",
               "<font class=caption>※プルダウンで見たい写真を選択してください</font></form>", "",
               "</font>", "</CENTER>"});
  return page;
}

TEST(PulldownPage, OneAndThreePicturesBesideThePage) {
  const struct {
    Lines paths;
    Lines sources;
    Lines options;
    Lines progress;
  } cases[] = {
      {{"/www/gal/a.jpg"}, {"./a.jpg"}, {"Image:1"}, {"progress: 0/1"}},
      {{"/www/gal/a.jpg", "/www/gal/b.JPG", "/www/gal/c.bmp"},
       {"./a.jpg", "./b.JPG", "./c.bmp"},
       {"Image:1", "Image:2", "Image:3"},
       {"progress: 0/3", "progress: 1/3", "progress: 2/3"}},
      {{"/photos/2024/a.jpg", "/www/gal/sub/b.jpg"},
       {"../../photos/2024/a.jpg", "sub/b.jpg"},
       {"Image:1", "Image:2"},
       {"progress: 0/2", "progress: 1/2"}},
  };
  for (bool simake : {false, true}) {  // no reduced pictures on this page
    for (const auto& c : cases) {
      LiveSettings s = PulldownSettings("/www/gal");
      s.simake = simake;
      ImageFileList list = Pictures(c.paths);
      FakeUi ui;
      EXPECT_EQ(Texts(PulldownPageLines(DeriveGenerationContext(s, list), list, s, ui)),
                PulldownPage(c.sources, c.sources[0].substr(c.sources[0].rfind('/') + 1), 400,
                             c.options));
      EXPECT_EQ(ui.log, c.progress);
    }
  }
}

// A name that holds a quotation mark or a backslash would end the script's text
// early and break every picture of the page; "#", "?" and "%" would point the
// link elsewhere. In links they are escaped; the shown texts keep the name.
TEST(PulldownPage, NamesThatWouldBreakTheScriptAreEscapedInLinks) {
  LiveSettings s = PulldownSettings("/www/gal");
  s.fnoutput = true;
  ImageFileList list =
      Pictures({"/www/gal/say \"cheese\".jpg", "/www/#1 & 2/100%.jpg", "/www/gal/a\\b?.JPG"});
  FakeUi ui;
  EXPECT_EQ(
      Texts(PulldownPageLines(DeriveGenerationContext(s, list), list, s, ui)),
      PulldownPage({"./say %22cheese%22.jpg", "../%231 %26 2/100%25.jpg", "./a%5Cb%3F.JPG"},
                   "say \"cheese\".jpg", 400, {"say \"cheese\".jpg", "100%.jpg", "a\\b?.JPG"}));
}

TEST(PulldownPage, OptionTexts) {
  const struct {
    bool fnoutput, comment_out_pd;
    Lines options;
  } cases[] = {
      {false, false, {"Image:1", "Image:2", "Image:3"}},
      {false, true, {"港", "Image:2", "夕焼け"}},
      {true, true, {"a.jpg", "b.jpg", "c.jpg"}},
  };
  ImageFileList list =
      Pictures({"/www/gal/a.jpg", "/www/gal/b.jpg", "/www/gal/c.jpg"}, {"港", "", "夕焼け"});
  for (const auto& c : cases) {
    LiveSettings s = PulldownSettings("/www/gal");
    s.fnoutput = c.fnoutput;
    s.comment_out_pd = c.comment_out_pd;
    FakeUi ui;
    EXPECT_EQ(Texts(PulldownPageLines(DeriveGenerationContext(s, list), list, s, ui)),
              PulldownPage({"./a.jpg", "./b.jpg", "./c.jpg"}, "a.jpg", 400, c.options));
  }
}

TEST(WritePulldownPage, CopiesConvertedNamesAndBackgroundEndingAtCenter) {
  TempDir dir;
  LiveSettings s = PulldownSettings(dir.path());
  s.pulldown_width = "640";
  s.jpegconvert = true;
  s.fnoutput = true;
  s.bgishow = true;
  s.bg_image = "/pictures/paper.gif";
  s.out_name = "show.htm";
  s.title = "unused";
  ImageFileList list = Pictures({"/photos/scan.bmp", "/photos/a.jpg"});
  FakeUi ui;
  WritePulldownPage(DeriveGenerationContext(s, list), list, s, ui);
  EXPECT_EQ(ui.log, (Lines{"progress: 0/2", "progress: 1/2"}));
  EXPECT_EQ(FolderTree(dir.path()), Lines{"show.html"});
  EXPECT_EQ(
      FileLines(dir / "show.html"),
      PulldownPage({"./images/scan.jpg", "./images/a.jpg"}, "scan.jpg", 640, {"scan.jpg", "a.jpg"},
                   "<body background=\"./src_files/paper.gif\" text=\"#111111\" "
                   "link=\"#00FFFF\" vlink=\"#0000FF\" alink=\"#00ffff\">"));
}

TEST(WritePulldownPage, CommentsAreFreeTextNamesArePaths) {
  TempDir dir;
  LiveSettings s = PulldownSettings(dir.path());
  s.comment_out_pd = true;
  ImageFileList list = Pictures({dir / "a.jpg", dir / "b.jpg"}, {"波〜", ""});
  FakeUi ui;
  WritePulldownPage(DeriveGenerationContext(s, list), list, s, ui);
  EXPECT_EQ(FileLines(dir / "index.html")[22], "<OPTION>波～") << "written as CP932's wave dash";

  // A name CP932 cannot give back unchanged stops the page before it is written.
  list = Pictures({dir / "a.jpg", dir / "波〜.jpg"});
  testing::WriteBytes(dir / "index.html", "kept");
  testing::ExpectAppError(
      [&] { WritePulldownPage(DeriveGenerationContext(s, list), list, s, ui); },
      "ファイル " + (dir / "index.html") + " に書けない文字があります: 「〜」(U+301C)");
  EXPECT_EQ(testing::ReadBytes(dir / "index.html"), "kept");
}

}  // namespace
}  // namespace montrelle
