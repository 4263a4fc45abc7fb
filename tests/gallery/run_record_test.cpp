#include "gallery/run_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::TempDir;
using testing::WriteBytes;

const ImageFacts kMade{"/pics/a.jpg", 10, 20, "0 0 0", 120, "jpeg"};

TEST(RunRecord, StoppedRunForgetsNothingAndFinishedRunRemovesWhatItNoLongerMakes) {
  TempDir dir;
  for (const char* name : {"a.htm", "b.htm", "a.jpg"}) WriteBytes(dir / name, "x");
  WriteOutputRecord(dir.path(), {{"a.htm", std::nullopt}, {"a.jpg", kMade}});
  {
    RunRecord stopped(dir.path());
    stopped.Wrote(dir / "b.htm");
    stopped.Stopped();
  }
  EXPECT_EQ(ReadOutputRecord(dir.path()).files,
            (RecordedFiles{{"a.htm", std::nullopt}, {"a.jpg", kMade}, {"b.htm", std::nullopt}}));
  RunRecord finished(dir.path());
  finished.Wrote(dir / "b.htm");
  finished.Kept(dir / "a.jpg");
  EXPECT_EQ(finished.Finish(), std::vector<std::string>{"a.htm"});
  EXPECT_FALSE(FileExists(dir / "a.htm"));
  EXPECT_EQ(ReadOutputRecord(dir.path()).files,
            (RecordedFiles{{"a.jpg", kMade}, {"b.htm", std::nullopt}}));
}

TEST(RunRecord, KeepsAnImageOnlyWhenItsRecordedFactsAreTheSame) {
  ImageFacts wider = kMade;
  wider.width = 640;
  const struct {
    const char* name;
    const char* record;  // nullptr: none
    const char* image;
    ImageFacts now;
    bool may_keep;
  } cases[] = {
      {"the same facts", "image\ta.jpg\t/pics/a.jpg\t10\t20\t0 0 0\t120\tjpeg\n", "a.jpg", kMade,
       true},
      {"another width", "image\ta.jpg\t/pics/a.jpg\t10\t20\t0 0 0\t120\tjpeg\n", "a.jpg", wider,
       false},
      {"made by a version without facts", "file\ta.jpg\n", "a.jpg", kMade, true},
      {"no record", nullptr, "a.jpg", kMade, true},
      {"a damaged record", "image\ta.jpg\n", "a.jpg", kMade, false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.record)
      WriteBytes(dir / kOutputRecordName, std::string("montrelle record 1\n") + c.record);
    EXPECT_EQ(RunRecord(dir.path()).MayKeep(dir / c.image, c.now), c.may_keep) << c.name;
  }
}

}  // namespace
}  // namespace montrelle
