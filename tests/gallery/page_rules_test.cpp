#include "gallery/page_rules.h"

#include <gtest/gtest.h>

namespace montrelle {
namespace {

TEST(HtmlColorText, SwapsBlueAndRedPairs) {
  const struct {
    ColorValue color;
    const char* text;
  } cases[] = {
      {0xFFFFFF, "#FFFFFF"},
      {0xFFFF00, "#00FFFF"},
      {0xFF0000, "#0000FF"},
      {0x0080FF, "#FF8000"},
      {0x000000, "#000000"},
      {0x00000A, "#0A0000"},
      {0xABCDEF, "#EFCDAB"},
      // More than six digits: the rule's character positions stay.
      {0x1FFFFFF, "#FFFF1F"},
      {0x8000000F, "#000080"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlColorText(c.color), c.text) << std::hex << c.color;
}

// Characters that would end a link or make it point elsewhere are escaped; the
// links of every other name stay byte for byte as before.
TEST(LinkText, EscapesOnlyWhatWouldBreakALink) {
  const struct {
    const char* path;
    const char* link;
  } cases[] = {
      {"../photos/2024/a.jpg", "../photos/2024/a.jpg"},
      {"./my photo-<1>.jpg", "./my photo-<1>.jpg"},
      {"写真/春の庭.JPG", "写真/春の庭.JPG"},
      {"#1.htm", "%231.htm"},
      {"100%.jpg", "100%25.jpg"},
      {"a?b&c.jpg", "a%3Fb%26c.jpg"},
      {"say \"cheese\".jpg", "say %22cheese%22.jpg"},
      {"back\\slash.jpg", "back%5Cslash.jpg"},
      {"%23", "%2523"},
  };
  for (const auto& c : cases) EXPECT_EQ(LinkText(c.path), c.link) << c.path;
}

TEST(PageImageName, RenamesBitmapsOnlyWhenConverting) {
  const struct {
    const char* path;
    bool jpegconvert;
    NameTest test;
    const char* name;
  } cases[] = {
      {"/p/scan.BMP", true, NameTest::kPlain, "scan.jpg"},
      {"/p/scan.BMP", false, NameTest::kPlain, "scan.BMP"},
      {"/p/Scan.Bmp", true, NameTest::kPlain, "Scan.Bmp"},
      {"/p/bmp_1.jpg", true, NameTest::kPlain, "bmp_1.jpg"},  // already .jpg
      {"/p/bmp_1.jpeg", true, NameTest::kPlain, "bmp_1.jpg"},
      {"/p/photobmp.jpeg", true, NameTest::kPlain, "photobmp.jpg"},
      {"/p/photobmp.jpeg", true, NameTest::kDotted, "photobmp.jpeg"},
      {"/p/a.bmp", true, NameTest::kDotted, "a.jpg"},
      {"/bmp.d/a.jpeg", true, NameTest::kPlain, "a.jpeg"},  // the folder does not count
      {"/p/BMP", true, NameTest::kPlain, "BMP.jpg"},
      {"/p/写真.bmp", true, NameTest::kPlain, "写真.jpg"},
      {"/p/IMG_0001.HEIC", false, NameTest::kDotted, "IMG_0001.jpg"},  // always published as JPEG
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PageImageName(c.path, KindsOf(c.path), c.jpegconvert, c.test), c.name) << c.path;
  }
}

TEST(ImageFolderPrefix, CopiesOrRelativeFolder) {
  GenerationContext c;
  c.out_dir = "/www/gal";
  const struct {
    bool copies;
    const char* path;
    PageFolder page;
    const char* prefix;
  } cases[] = {
      {true, "/photos/a.jpg", PageFolder::kSrcFiles, "../images/"},
      {true, "/photos/a.jpg", PageFolder::kOutDir, "./images/"},
      {false, "/photos/a.jpg", PageFolder::kSrcFiles, "../../../photos/"},
      {false, "/photos/a.jpg", PageFolder::kOutDir, "../../photos/"},
      {false, "/www/gal/a.jpg", PageFolder::kOutDir, "./"},
      {false, "/www/gal/a.jpg", PageFolder::kSrcFiles, "../../gal/"},  // not shortened
      {false, "/www/gal/src_files/a.jpg", PageFolder::kSrcFiles, "./"},
      {false, "/www/gal/pics/a.jpg", PageFolder::kSrcFiles, "../pics/"},
  };
  for (const auto& k : cases) {
    c.uses_image_copies = k.copies;
    EXPECT_EQ(ImageFolderPrefix(c, k.path, k.page), k.prefix) << k.path;
  }
}

TEST(BodyLine, ColourOrBackgroundPicture) {
  GenerationContext c;
  c.bg_color_text = "#FFFFFF";
  c.link_color_text = "#00FFFF";
  c.vlink_color_text = "#0000FF";
  c.bg_name = "紙.jpg";
  LiveSettings s;
  EXPECT_EQ(BodyLine(c, s, PageFolder::kSrcFiles),
            "<body bgcolor=\"#FFFFFF\" text=\"#111111\" link=\"#00FFFF\" vlink=\"#0000FF\" "
            "alink=\"#00ffff\">");
  EXPECT_EQ(BodyLine(c, s, PageFolder::kOutDir), BodyLine(c, s, PageFolder::kSrcFiles));
  s.bgishow = true;
  EXPECT_EQ(BodyLine(c, s, PageFolder::kSrcFiles),
            "<body background=\"紙.jpg\" text=\"#111111\" link=\"#00FFFF\" vlink=\"#0000FF\" "
            "alink=\"#00ffff\">");
  EXPECT_EQ(BodyLine(c, s, PageFolder::kOutDir),
            "<body background=\"./src_files/紙.jpg\" text=\"#111111\" link=\"#00FFFF\" "
            "vlink=\"#0000FF\" alink=\"#00ffff\">");
}

}  // namespace
}  // namespace montrelle
