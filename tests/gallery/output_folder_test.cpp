#include "gallery/output_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/file_system.h"
#include "support/expect_error.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

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
  try {
    CreateOutputFolder(dir / "file/sub");
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()),
              "フォルダ " + (dir / "file") + " を作成できません: File exists");
  }
  // The system's reason, in the C locale the tests run in.
  testing::ExpectAppError(
      [] { CreateOutputFolder("/proc/montrelle-test/x"); },
      "フォルダ /proc/montrelle-test を作成できません: No such file or directory");
}

}  // namespace
}  // namespace montrelle
