#include "gallery/output_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

using State = OutputRecord::State;

TEST(OutputRecord, WrittenRecordReadsBackWhole) {
  TempDir dir;
  const RecordedFiles files = {
      {"index.html", std::nullopt},
      {"images/a\tb\\c\nd.jpg",
       ImageFacts{"/p/a\tb\\c\nd.jpg", 12, 1700000000123456789, "0 0 3", 800, "jpeg"}},
  };
  WriteOutputRecord(dir.path(), files);
  EXPECT_EQ(ReadBytes(dir / kOutputRecordName),
            "montrelle record 1\n"
            "image\timages/a\\tb\\\\c\\nd.jpg\t/p/a\\tb\\\\c\\nd.jpg\t12\t1700000000123456789\t"
            "0 0 3\t800\tjpeg\n"
            "file\tindex.html\n");
  const OutputRecord read = ReadOutputRecord(dir.path());
  EXPECT_EQ(read.state, State::kRead);
  EXPECT_EQ(read.files, files);
  EXPECT_TRUE(RecordNamesFile(dir.path(), "index.html"));
  EXPECT_FALSE(RecordNamesFile(dir.path(), "other.html"));
}

TEST(OutputRecord, AnythingButWholeLinesIsDamaged) {
  const char* const damaged[] = {
      "",
      "montrelle record 2\n",
      "montrelle record 1\nfile\tindex.html",  // cut short
      "montrelle record 1\nfile\t\n",
      "montrelle record 1\nfile\ta\tb\n",
      "montrelle record 1\nfile\ta\\x\n",
      "montrelle record 1\nfile\ta\\\n",
      "montrelle record 1\nimage\ta\ts\t1\t2\t0 0 0\t80\n",
      "montrelle record 1\nimage\ta\ts\t-1\t2\t0 0 0\t80\tjpeg\n",
      "montrelle record 1\nimage\ta\ts\t1\t2\t0 0 0\t99999999999\tjpeg\n",
      "montrelle record 1\r\nfile\ta\r\n",
  };
  for (const char* text : damaged) {
    TempDir dir;
    WriteBytes(dir / kOutputRecordName, text);
    EXPECT_EQ(ReadOutputRecord(dir.path()).state, State::kDamaged) << text;
    EXPECT_FALSE(RecordNamesFile(dir.path(), "a")) << text;
  }
  TempDir dir;
  EXPECT_EQ(ReadOutputRecord(dir.path()).state, State::kMissing);
  ASSERT_TRUE(CreateFolder(dir / kOutputRecordName));
  EXPECT_EQ(ReadOutputRecord(dir.path()).state, State::kDamaged);
}

TEST(OutputRecord, RemovesOnlyUnkeptRegularFilesInsideTheFolder) {
  TempDir dir;
  const std::string out = dir / "out";
  ASSERT_TRUE(CreateFolder(out));
  ASSERT_TRUE(CreateFolder(out + "/small_images"));
  ASSERT_TRUE(CreateFolder(out + "/sub"));
  for (const char* name : {"small_images/p3.jpg", "small_images/p1.jpg", "kept.htm"}) {
    WriteBytes(out + "/" + name, "x");
  }
  WriteBytes(dir / "outside.txt", "x");
  ASSERT_EQ(symlink((dir / "outside.txt").c_str(), (out + "/link.txt").c_str()), 0);
  ASSERT_EQ(symlink(dir.path().c_str(), (out + "/up").c_str()), 0);
  RecordedFiles previous;
  for (const std::string& name :
       {std::string("small_images/p3.jpg"), std::string("kept.htm"), std::string("missing.htm"),
        std::string("../outside.txt"), dir / "outside.txt", std::string("link.txt"),
        std::string("up/outside.txt"), std::string("sub"), std::string("small_images/../kept.htm"),
        std::string("./kept.htm"), std::string("small_images//p1.jpg"),
        std::string(kOutputRecordName)}) {
    previous.emplace(name, std::nullopt);
  }
  WriteBytes(out + "/" + kOutputRecordName, "x");
  EXPECT_EQ(RemoveUnrecorded(out, previous, {{"kept.htm", std::nullopt}}),
            std::vector<std::string>{"small_images/p3.jpg"});
  for (const char* name : {"/small_images/p1.jpg", "/kept.htm", "/link.txt", "/sub",
                           "/.montrelle.record", "/../outside.txt"}) {
    EXPECT_TRUE(LookUpEntry(out + name)) << name;
  }
}

}  // namespace
}  // namespace montrelle
