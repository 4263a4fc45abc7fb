#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// A copy takes place only from an existing file; with fail_if_exists an existing
// target, file or folder, is left as it was.
TEST(CopyFileTo, CopiesOnlyFromAFileAndKeepsAnExistingTargetWhenAsked) {
  TempDir dir;
  const std::string picture("\xFF\xD8picture\0bytes", 15);
  WriteBytes(dir / "from.jpg", picture);
  ASSERT_TRUE(CreateFolder(dir / "folder"));
  const struct {
    const char* from;
    const char* to;
    bool fail_if_exists;
    bool copied;
    std::optional<std::string> to_after;  // nothing: no such file afterwards
  } cases[] = {
      {"from.jpg", "new.jpg", true, true, picture},
      {"from.jpg", "old.jpg", false, true, picture},
      {"from.jpg", "old.jpg", true, false, "old"},
      {"missing.jpg", "new.jpg", false, false, std::nullopt},
      {"folder", "new.jpg", false, false, std::nullopt},
      {"from.jpg", "folder", true, false, std::nullopt},
      {"from.jpg", "gone/new.jpg", false, false, std::nullopt},
  };
  for (const auto& c : cases) {
    std::remove((dir / "new.jpg").c_str());
    WriteBytes(dir / "old.jpg", "old");
    const std::string to = dir / c.to;
    EXPECT_EQ(CopyFileTo(dir / c.from, to, c.fail_if_exists), c.copied) << c.from << " " << c.to;
    EXPECT_EQ(FileExists(to) ? std::optional(ReadBytes(to)) : std::nullopt, c.to_after)
        << c.from << " " << c.to;
  }
  EXPECT_EQ(ReadBytes(dir / "from.jpg"), picture);
  EXPECT_TRUE(FolderExists(dir / "folder"));
}

}  // namespace
}  // namespace montrelle
