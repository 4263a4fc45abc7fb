#include "gallery/responsive_pages.h"

#include <gtest/gtest.h>

#include "imaging/test_pictures.h"
#include "platform/file_system.h"
#include "support/expect_error.h"
#include "support/expected_pages.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::Concat;
using testing::FakeUi;
using testing::FolderTree;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

Lines Head(const std::string& title, const std::string& background, const std::string& link,
           const std::string& active) {
  return {
      "<!DOCTYPE html>",
      "<html lang=\"ja\">",
      "<head>",
      "<meta charset=\"utf-8\">",
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
      "<title>" + title + "</title>",
      "<style>",
      "body{margin:0;padding:8px;background:" + background +
          ";color:#111111;font-family:sans-serif;text-align:center}",
      "a:link{color:" + link + "}",
      "a:visited{color:#0000FF}",
      "a:active{color:" + active + "}",
      "h1{margin:8px 0 16px;font-size:1.5em;overflow-wrap:anywhere}",
      "p{margin:4px 0;overflow-wrap:anywhere}",
      ".grid{display:grid;grid-template-columns:repeat(auto-fit,min(80px,100%));"
      "justify-content:center;gap:8px;margin:0;padding:0;list-style:none}",
      ".grid img{display:block;width:100%;height:auto;aspect-ratio:1;object-fit:cover}",
      "nav{display:flex;justify-content:space-between;margin-bottom:8px}",
      "nav span{visibility:hidden}",
      "figure{margin:0}",
      ".picture{max-width:100%;height:auto;max-height:calc(100vh - 120px);object-fit:contain}",
      "</style>",
      "</head>",
      "<body>",
  };
}

const Lines kScriptAndEnd = {
    "<script>",
    "(function () {",
    "  function go(id) {",
    "    var link = document.getElementById(id);",
    "    if (link) location.href = link.href;",
    "  }",
    "  document.addEventListener(\"keydown\", function (e) {",
    "    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;",
    "    var id = {ArrowLeft: \"prev\", ArrowRight: \"next\", ArrowUp: \"up\"}[e.key];",
    "    if (id) go(id);",
    "  });",
    "  var root = document.documentElement, start = null;",
    "  function zoomed() { return window.visualViewport && visualViewport.scale > 1.01; }",
    "  function claim() { root.style.touchAction = zoomed() ? \"auto\" : \"pan-y pinch-zoom\"; }",
    "  claim();",
    "  if (window.visualViewport) visualViewport.addEventListener(\"resize\", claim);",
    "  document.addEventListener(\"pointerdown\", function (e) {",
    "    var stroke = e.pointerType === \"touch\" || e.pointerType === \"pen\";",
    "    start = stroke && e.isPrimary && !zoomed() ? e : null;",
    "  });",
    "  document.addEventListener(\"pointercancel\", function () { start = null; });",
    "  document.addEventListener(\"pointerup\", function (e) {",
    "    if (!start || e.pointerId !== start.pointerId) return;",
    "    var dx = e.clientX - start.clientX, dy = e.clientY - start.clientY;",
    "    start = null;",
    "    if (Math.abs(dx) >= 50 && Math.abs(dx) > 2 * Math.abs(dy)) go(dx < 0 ? \"next\" : "
    "\"prev\");",
    "  });",
    "  addEventListener(\"load\", function () {",
    "    var next = document.getElementById(\"next\");",
    "    if (!next) return;",
    "    var picture = new Image();",
    "    picture.sizes = next.dataset.sizes || \"\";",
    "    picture.srcset = next.dataset.srcset || \"\";",
    "    picture.src = next.dataset.src;",
    "  });",
    "})();",
    "</script>",
    "</body>",
    "</html>",
};

Lines Joined(const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return {bytes};
}

// Three pictures: a JPEG, a bitmap turned a quarter (200 x 100 stored, shown
// 100 x 200) with a comment full of markup, and a name that links must encode.
TEST(WriteResponsivePages, EntryGridAndPicturePagesInUtf8) {
  TempDir dir;
  WriteBytes(dir / "wide.jpg", testing::JpegPicture(400, 300));
  WriteBytes(dir / "tall.bmp", testing::BitmapPicture(200, 100));
  WriteBytes(dir / "a b#%.jpg", testing::JpegPicture(40, 30));
  ImageFileList list;
  list.Append(dir / "wide.jpg", "", "0\t0\t0");
  list.Append(dir / "tall.bmp", "<森> & \"川\"", "0\t0\t1");
  list.Append(dir / "a b#%.jpg", "港", "0\t0\t0");
  LiveSettings s;
  s.layout = OutputLayout::kResponsive;
  s.out_path = dir / "out";
  s.out_name = "夏.html";
  s.title = "夏の旅 & 海";
  s.responsive_width = "200";
  s.link_color = 0x0000FF;
  s.bg_color = 0xF0F0F0;
  s.fnoutput = true;
  s.comment_out = true;
  ASSERT_TRUE(CreateFolder(s.out_path));
  FakeUi ui;
  const GenerationContext context = DeriveGenerationContext(s, list);
  WriteResponsivePages(context, list, s, CheckListedPictures(context, list), ui);

  EXPECT_EQ(ui.log, (Lines{"progress: 0/3", "progress: 1/3", "progress: 2/3"}));
  EXPECT_EQ(FolderTree(dir / "out"),
            (Lines{"src_files/", "src_files/a b#%.htm", "src_files/tall.htm", "src_files/wide.htm",
                   "夏.html"}));
  const std::string alt = "&lt;森&gt; &amp; &quot;川&quot;";
  EXPECT_EQ(Lines{ReadBytes(dir / "out/夏.html")},
            Joined(Concat({Head("夏の旅 &amp; 海", "#F0F0F0", "#DD0000", "#007A7A"),
                           {"<h1>夏の旅 &amp; 海</h1>", "<ul class=\"grid\">",
                            "<li><a href=\"src_files/wide.htm\"><img src=\"small_images/wide.jpg\" "
                            "srcset=\"small_images/wide.jpg 80w, small_images/2x/wide.jpg 160w, "
                            "small_images/3x/wide.jpg 240w\" sizes=\"107px\" "
                            "width=\"80\" height=\"60\" alt=\"wide.jpg\" loading=\"lazy\"></a>"
                            "<p>wide.jpg</p></li>",
                            "<li><a href=\"src_files/tall.htm\"><img src=\"small_images/tall.bmp\" "
                            "width=\"80\" height=\"160\" alt=\"" +
                                alt + "\" loading=\"lazy\"></a><p>tall.bmp</p></li>",
                            "<li><a href=\"src_files/a%20b%23%25.htm\"><img "
                            "src=\"small_images/a%20b%23%25.jpg\" width=\"40\" height=\"30\" "
                            "alt=\"港\" loading=\"lazy\"></a><p>a b#%.jpg</p></li>",
                            "</ul>", "</body>", "</html>"}})));

  const struct {
    const char* page;
    int n;
    const char* nav;
    std::string picture;
    Lines caption;
    Lines prefetch;  // the next page
  } pages[] = {
      {"wide.htm",
       1,
       "<nav><span>← 前へ</span><a id=\"up\" href=\"../%E5%A4%8F.html\">一覧</a>"
       "<a id=\"next\" href=\"tall.htm\" data-src=\"../images/tall.bmp\">次へ →</a></nav>",
       "src=\"../images/wide.jpg\" srcset=\"../images/wide.jpg 200w, ../images/half/wide.jpg "
       "100w, ../images/2x/wide.jpg 400w\" sizes=\"(max-width: 216px) calc(100vw - 16px), "
       "200px\" width=\"200\" height=\"150\" alt=\"wide.jpg\"",
       {"<p>wide.jpg</p>"},
       {"<link rel=\"prefetch\" href=\"tall.htm\">"}},
      {"tall.htm",
       2,
       "<nav><a id=\"prev\" href=\"wide.htm\">← 前へ</a><a id=\"up\" href=\"../%E5%A4%8F.html\">"
       "一覧</a><a id=\"next\" href=\"a%20b%23%25.htm\" data-src=\"../images/a%20b%23%25.jpg\">"
       "次へ →</a></nav>",
       "src=\"../images/tall.bmp\" width=\"200\" height=\"400\" alt=\"" + alt + "\"",
       {"<p>" + alt + "</p>", "<p>tall.bmp</p>"},
       {"<link rel=\"prefetch\" href=\"a%20b%23%25.htm\">"}},
      {"a b#%.htm",
       3,
       "<nav><a id=\"prev\" href=\"tall.htm\">← 前へ</a><a id=\"up\" href=\"../%E5%A4%8F.html\">"
       "一覧</a><span>次へ →</span></nav>",
       "src=\"../images/a%20b%23%25.jpg\" width=\"40\" height=\"30\" alt=\"港\"",
       {"<p>港</p>", "<p>a b#%.jpg</p>"},
       {}},
  };
  for (const auto& p : pages) {
    EXPECT_EQ(
        Lines{ReadBytes(dir / "out/src_files/" + std::string(p.page))},
        Joined(Concat(
            {Head("夏の旅 &amp; 海 " + std::to_string(p.n) + "/3", "#F0F0F0", "#DD0000", "#007A7A"),
             {p.nav, "<figure>", "<img class=\"picture\" " + p.picture + ">", "<figcaption>"},
             p.caption,
             {"</figcaption>", "</figure>"},
             p.prefetch,
             kScriptAndEnd})))
        << p.page;
  }
}

// The background picture's copy in src_files, seen from either page; a path of
// neither picture kind gets no size; no caption without the flags.
TEST(ResponsivePages, BackgroundPictureAndUnknownSize) {
  ImageFileList list;
  list.Append("/photos/notes.txt", "", "0\t0\t0");
  LiveSettings s;
  s.layout = OutputLayout::kResponsive;
  s.out_path = "/www";
  s.bgishow = true;
  s.bg_image = "/pictures/和紙.gif";
  const GenerationContext context = DeriveGenerationContext(s, list);
  const OrientedSizes sizes = TurnedSizes(context, CheckListedPictures(context, list));
  ASSERT_EQ(sizes, OrientedSizes{std::nullopt});
  EXPECT_EQ(
      ResponsiveEntryLines(context, list, s, sizes),
      Concat({Head("index", "url(\"src_files/%E5%92%8C%E7%B4%99.gif\")", "#008484", "#008484"),
              {"<h1>index</h1>", "<ul class=\"grid\">",
               "<li><a href=\"src_files/notes.htm\"><img src=\"small_images/notes.txt\" "
               "alt=\"notes.txt\" loading=\"lazy\"></a></li>",
               "</ul>", "</body>", "</html>"}}));
  EXPECT_EQ(
      ResponsivePictureLines(context, list, s, sizes, 0),
      Concat({Head("index 1/1", "url(\"%E5%92%8C%E7%B4%99.gif\")", "#008484", "#008484"),
              {"<nav><span>← 前へ</span><a id=\"up\" href=\"../index.html\">一覧</a>"
               "<span>次へ →</span></nav>",
               "<figure>", "<img class=\"picture\" src=\"../images/notes.txt\" alt=\"notes.txt\">",
               "</figure>"},
              kScriptAndEnd}));
}

}  // namespace
}  // namespace montrelle
