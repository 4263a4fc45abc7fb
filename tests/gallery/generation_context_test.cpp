#include "gallery/generation_context.h"

#include <gtest/gtest.h>

#include "platform/app_error.h"

namespace montrelle {
namespace {

ImageFileList ListWithOrientations(std::initializer_list<const char*> orientations,
                                   const char* path = "/p/a.jpg") {
  ImageFileList list;
  for (const char* o : orientations) list.Append(path, "", o);
  return list;
}

TEST(GenerationContext, NamesAndTitle) {
  const struct {
    const char* out_name;
    const char* title;
    const char* page_file;
    const char* page_base;
    const char* context_title;
  } cases[] = {
      {"index.html", "", "index.html", "index", "index"},
      {"index.htm", "", "index.html", "index", "index"},
      {"gallery", "旅行", "gallery.html", "gallery", "旅行"},
      {"a.b.c", " ", "a.b.html", "a.b", " "},
      {"sub.d/page", "", "sub.d/page.html", "page", "page"},
  };
  ImageFileList list = ListWithOrientations({"0\t0\t0"});
  for (const auto& c : cases) {
    LiveSettings s;
    s.out_path = "/out";
    s.out_name = c.out_name;
    s.title = c.title;
    GenerationContext g = DeriveGenerationContext(s, list);
    EXPECT_EQ(g.out_dir, "/out");
    EXPECT_EQ(g.page_file, c.page_file) << c.out_name;
    EXPECT_EQ(g.page_base, c.page_base) << c.out_name;
    EXPECT_EQ(g.title, c.context_title) << c.out_name;
    EXPECT_EQ(g.SrcFilesFolder(), "/out/src_files");
  }
}

TEST(GenerationContext, NumbersByLayout) {
  LiveSettings s;
  s.frame_width = "  550";
  s.frame_count = "+4";
  s.table_width = "600";
  s.table_count = "03";
  s.table_bwidth = "abc";
  s.pulldown_width = "-7";
  s.small_width = " 80";
  ImageFileList list = ListWithOrientations({"0\t0\t0"});
  const struct {
    std::optional<OutputLayout> layout;
    int main_width, per_page, columns;
    const char* border;
  } cases[] = {
      {OutputLayout::kFrame, 550, 4, 0, ""},
      {OutputLayout::kTable, 600, 0, 3, "abc"},
      {OutputLayout::kPulldown, -7, 0, 0, ""},
      {OutputLayout::kResponsive, 1600, 0, 0, ""},
      {std::nullopt, 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    s.layout = c.layout;
    GenerationContext g = DeriveGenerationContext(s, list);
    EXPECT_EQ(g.small_width, 80);
    EXPECT_EQ(g.main_width, c.main_width) << LayoutIndex(c.layout);
    EXPECT_EQ(g.per_page, c.per_page) << LayoutIndex(c.layout);
    EXPECT_EQ(g.columns, c.columns) << LayoutIndex(c.layout);
    EXPECT_EQ(g.border_text, c.border) << LayoutIndex(c.layout);
  }
}

TEST(GenerationContext, RefusesBadNumbersOfTheLayoutOnly) {
  const struct {
    std::optional<OutputLayout> layout;
    std::string LiveSettings::*field;
    const char* text;
    bool refused;
  } cases[] = {
      {OutputLayout::kFrame, &LiveSettings::small_width, "8O", true},
      {OutputLayout::kPulldown, &LiveSettings::small_width, "",
       true},  // converted for every layout
      {OutputLayout::kFrame, &LiveSettings::frame_width, "5 ", true},
      {OutputLayout::kFrame, &LiveSettings::frame_width, "1.5", true},
      {OutputLayout::kFrame, &LiveSettings::frame_width, "2147483648", true},
      {OutputLayout::kFrame, &LiveSettings::frame_width, "0x10", true},
      {OutputLayout::kFrame, &LiveSettings::frame_width, "-2147483648", false},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "0", true},  // divides the image count
      {OutputLayout::kFrame, &LiveSettings::frame_count, "-3", true},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "1", false},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "1000000", false},
      {OutputLayout::kFrame, &LiveSettings::frame_count, "1000001",
       true},  // empty slots would fill the memory
      {OutputLayout::kFrame, &LiveSettings::frame_count, "2147483647", true},
      {OutputLayout::kTable, &LiveSettings::table_count, "2147483647",
       false},  // only filled cells are written
      {OutputLayout::kTable, &LiveSettings::table_count, "0", true},
      {OutputLayout::kTable, &LiveSettings::table_width, "wide", true},
      {OutputLayout::kTable, &LiveSettings::frame_count, "0", false},  // not this layout's
      {OutputLayout::kTable, &LiveSettings::table_bwidth, "abc", false},
      {OutputLayout::kPulldown, &LiveSettings::table_width, "x", false},
      {OutputLayout::kPulldown, &LiveSettings::pulldown_width, "x", true},
      {std::nullopt, &LiveSettings::frame_width, "x", false},
      {OutputLayout::kResponsive, &LiveSettings::responsive_width, "0",
       true},  // a picture needs a width
      {OutputLayout::kResponsive, &LiveSettings::pulldown_width, "x", false},
      {OutputLayout::kResponsive, &LiveSettings::small_width, "0", true},
      {OutputLayout::kTable, &LiveSettings::small_width, "0", false},
  };
  ImageFileList list = ListWithOrientations({"0\t0\t0"});
  for (const auto& c : cases) {
    LiveSettings s;
    s.layout = c.layout;
    s.*c.field = c.text;
    if (c.refused) {
      EXPECT_THROW(DeriveGenerationContext(s, list), AppError)
          << LayoutIndex(c.layout) << " '" << c.text << "'";
    } else {
      EXPECT_NO_THROW(DeriveGenerationContext(s, list))
          << LayoutIndex(c.layout) << " '" << c.text << "'";
    }
  }
}

TEST(GenerationContext, ColoursAndBackground) {
  LiveSettings s;
  s.bg_color = 0x0080FF;
  s.link_color = 0xFFFF00;
  s.vlink_color = 0x123456;
  s.bg_image = "/pics/紙.jpg";
  ImageFileList list = ListWithOrientations({"0\t0\t0"});
  GenerationContext g = DeriveGenerationContext(s, list);
  EXPECT_EQ(g.bg_color_text, "#FF8000");
  EXPECT_EQ(g.link_color_text, "#00FFFF");
  EXPECT_EQ(g.vlink_color_text, "#563412");
  EXPECT_EQ(g.bg_name, "");
  s.bgishow = true;
  EXPECT_EQ(DeriveGenerationContext(s, list).bg_name, "紙.jpg");
}

// The names of each entry's reduced and main images and of its picture page.
TEST(GenerationContext, EntryFileNames) {
  const struct {
    const char* path;
    bool jpegconvert;
    std::vector<std::string> images;
    const char* page;
  } cases[] = {
      {"/p/IMG_0001.HEIC", false, {"IMG_0001.jpg"}, "IMG_0001.htm"},
      {"/p/IMG_0001.HEIC", true, {"IMG_0001.jpg"}, "IMG_0001.htm"},
      {"/p/a.tar.png", false, {"a.tar.jpg"}, "a.tar.htm"},
      {"/p/IMG_0001.JPG", true, {"IMG_0001.JPG"}, "IMG_0001.htm"},
      {"/p/a.bmp", false, {"a.bmp"}, "a.htm"},
      {"/p/a.bmp", true, {"a.jpg"}, "a.htm"},
      {"/scans.bmp/a.jpeg", true, {"a.jpeg", "a.jpg"}, "a.htm"},  // made twice
      {"/p/notes.txt", true, {}, "notes.htm"},
  };
  for (const auto& c : cases) {
    LiveSettings s;
    s.jpegconvert = c.jpegconvert;
    ImageFileList list;
    list.Append(c.path, "", "0\t0\t0");
    const ListedEntry entry = DeriveGenerationContext(s, list).entries.at(0);
    EXPECT_EQ(entry.ImageNames(), c.images) << c.path << c.jpegconvert;
    EXPECT_EQ(entry.page_name, c.page) << c.path;
  }
}

TEST(GenerationContext, OrientationScanAndImageCopies) {
  const struct {
    std::initializer_list<const char*> orientations;
    bool oriented;
  } scans[] = {
      {{"0\t0\t0", "0\t0\t0"}, false},
      {{"0\t0\t0", "0\t0\t1"}, true},
      {{"1\t0\t0"}, true},
      {{"0\t2\t0"}, true},
      {{"0\t0\t3"}, true},
      {{"0\t0\t4", "x\ty\t0"}, false},  // only 1, 2 and 3 count
  };
  for (const auto& scan : scans) {
    LiveSettings s;
    // No picture kind: its triple is scanned but never read, so any text may stand.
    GenerationContext g =
        DeriveGenerationContext(s, ListWithOrientations(scan.orientations, "/p/notes.txt"));
    EXPECT_EQ(g.any_oriented, scan.oriented);
    EXPECT_EQ(g.uses_image_copies, scan.oriented);
  }
  ImageFileList plain = ListWithOrientations({"0\t0\t0"});
  for (bool LiveSettings::*flag :
       {&LiveSettings::micopy, &LiveSettings::jpegconvert, &LiveSettings::mimake}) {
    LiveSettings s;
    s.*flag = true;
    GenerationContext g = DeriveGenerationContext(s, plain);
    EXPECT_FALSE(g.any_oriented);
    EXPECT_TRUE(g.uses_image_copies);
  }
  LiveSettings s;
  s.simake = s.fnoutput = s.bgishow = true;
  EXPECT_FALSE(DeriveGenerationContext(s, plain).uses_image_copies);
}

}  // namespace
}  // namespace montrelle
