#include "imagelist/string_routines.h"

#include <gtest/gtest.h>

namespace montrelle {
namespace {

TEST(NthField, FieldsOfTheOrientationTriple) {
  EXPECT_EQ(NthField("\t", "1\t0\t2", 1), "1");
  EXPECT_EQ(NthField("\t", "1\t0\t2", 2), "0");
  EXPECT_EQ(NthField("\t", "1\t0\t2", 3), "2");
  EXPECT_EQ(NthField("\t", "1\t0\t2", 4), "2");
  EXPECT_EQ(NthField("\t", "1\t0\t2", 0), "2");
  EXPECT_EQ(NthField("\t", "1\t0\t2", -5), "2");
  EXPECT_EQ(NthField("\t", "a\tb", 3), "b");
  EXPECT_EQ(NthField("\t", "\t\t", 2), "");
  EXPECT_EQ(NthField("\t", "", 1), "");
  for (int n : {1, 2, 3, 7}) EXPECT_EQ(NthField("\t", "whole", n), "whole");
  // Overlapping matches of a longer delimiter all count.
  EXPECT_EQ(NthField("aa", "xaaay", 1), "x");
  EXPECT_EQ(NthField("aa", "xaaay", 2), "");
  EXPECT_EQ(NthField("aa", "xaaay", 3), "y");
}

TEST(ReplaceAll, ReplacesWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("\\", "/", "a/b/c"), "a/b/c");
  EXPECT_EQ(ReplaceAll("\\", "/", "..\\..\\x"), "../../x");
  EXPECT_EQ(ReplaceAll("/", "\\", "../p/"), "..\\p\\");
  EXPECT_EQ(ReplaceAll("a", "aa", "banana"), "baanaanaa");
  EXPECT_EQ(ReplaceAll("", "x", "keep"), "keep");
}

TEST(RelativeDirUrl, WindowsExamplesAndTheirPosixCounterparts) {
  const struct {
    const char* base;
    const char* file;
    PathStyle style;
    const char* url;
  } cases[] = {
      {"C:\\out", "C:\\out\\a.jpg", PathStyle::kWindows, "./"},
      {"/out", "/out/a.jpg", PathStyle::kPosix, "./"},
      {"C:\\out", "C:\\out\\sub\\a.jpg", PathStyle::kWindows, "sub/"},
      {"/out", "/out/sub/a.jpg", PathStyle::kPosix, "sub/"},
      {"C:\\out", "C:\\out\\a\\b\\a.jpg", PathStyle::kWindows, "a/b/"},
      {"/out", "/out/a/b/a.jpg", PathStyle::kPosix, "a/b/"},
      {"C:\\out", "C:\\photos\\a.jpg", PathStyle::kWindows, "../photos/"},
      {"/out", "/photos/a.jpg", PathStyle::kPosix, "../photos/"},
      {"C:\\out", "D:\\pics\\a.jpg", PathStyle::kWindows, "D:/pics/"},
      {"C:\\out\\src_files", "C:\\photos\\a.jpg", PathStyle::kWindows, "../../photos/"},
      {"/out/src_files", "/photos/a.jpg", PathStyle::kPosix, "../../photos/"},
      {"C:\\out\\sub", "C:\\out\\a.jpg", PathStyle::kWindows, "../../out/"},
      {"/out/sub", "/out/a.jpg", PathStyle::kPosix, "../../out/"},
      // Case differs: not the same folder, even where names compare without case.
      {"C:\\Out", "C:\\out\\a.jpg", PathStyle::kWindows, "../out/"},
      {"/Out", "/out/a.jpg", PathStyle::kPosix, "../out/"},
      // A file in the root gives a URL ending in two slashes.
      {"C:\\out", "C:\\a.jpg", PathStyle::kWindows, "..//"},
      {"/out", "/a.jpg", PathStyle::kPosix, "..//"},
      {"c:\\out", "C:\\PHOTOS\\x\\a.jpg", PathStyle::kWindows, "../PHOTOS/x/"},
      {"\\\\srv\\share\\out", "\\\\srv\\share\\p\\a.jpg", PathStyle::kWindows, "../p/"},
      {"/home/u/Out/g", "/home/u/out/p/a.jpg", PathStyle::kPosix, "../../out/p/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RelativeDirUrl(c.base, c.file, c.style), c.url) << c.base << " " << c.file;
  }
}

}  // namespace
}  // namespace montrelle
