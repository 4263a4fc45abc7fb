#include "gallery/output_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::TempDir;
using testing::WriteBytes;

TEST(CreateOutputFolder, MakesEveryMissingLevel) {
  TempDir dir;
  CreateOutputFolder(dir / "a/b/c");
  EXPECT_TRUE(FolderExists(dir / "a/b/c"));
  CreateOutputFolder(dir / "a/b/c");  // all there: nothing to do
  CreateOutputFolder(dir / "a//d/");  // doubled and final separators
  EXPECT_TRUE(FolderExists(dir / "a/d"));
  CreateOutputFolder("/");
}

TEST(CreateOutputFolder, RelativePathFromTheCurrentFolder) {
  TempDir dir;
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  CreateOutputFolder("x/y");
  EXPECT_EQ(chdir(old), 0);
  EXPECT_TRUE(FolderExists(dir / "x/y"));
}

TEST(CreateOutputFolder, StopsAtALevelThatCannotBeMade) {
  TempDir dir;
  WriteBytes(dir / "file", "in the way");
  // The system's reason, here in the C locale the tests run in.
  const struct {
    std::string out_dir, level, reason;
  } cases[] = {
      {dir / "file/sub", dir / "file", "File exists"},
      {"/proc/montrelle-test/x", "/proc/montrelle-test", "No such file or directory"},
  };
  for (const auto& c : cases) {
    ExpectAppError([&] { CreateOutputFolder(c.out_dir); },
                   "フォルダ " + c.level + " を作成できません: " + c.reason);
  }
}

}  // namespace
}  // namespace montrelle
