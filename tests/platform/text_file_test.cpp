#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "platform/app_error.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "support/as_other_user.h"
#include "support/expect_error.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SplitTextLines, LineEndsAndCarriageReturns) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitTextLines("a\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n\nc"), (Lines{"a", "", "", "c"}));
  EXPECT_EQ(SplitTextLines("x\ry\r\n\r"), (Lines{"xy"}));
  EXPECT_EQ(SplitTextLines(std::string(100000, 'z') + "\n"), (Lines{std::string(100000, 'z')}));
}

TEST(ReadTextFileLines, StopsAtCtrlZAndDecodes) {
  TempDir dir;
  WriteBytes(dir / "a.txt", std::string("\x8f\x74\r\nb\x1A\r\nc\r\n"));
  EXPECT_EQ(ReadTextFileLines(dir / "a.txt"), (std::vector<std::string>{"春", "b"}));
  ExpectAppError([&] { ReadTextFileLines(dir / "missing.txt"); },
                 "ファイル " + (dir / "missing.txt") + " は開けません");
}

TEST(ReadFileBytes, TakesFilesOfDataUpToTheLimit) {
  TempDir dir;
  WriteBytes(dir / "a.txt", "abcdef");
  EXPECT_EQ(ReadFileBytes(dir / "a.txt"), "abcdef");
  EXPECT_EQ(ReadFileBytes(dir / "a.txt", 4), "abcd");
  EXPECT_EQ(ReadFileBytes("/dev/zero", 3), std::string(3, '\0'));
  EXPECT_EQ(ReadFileBytes("/dev/null", 3), "");
  for (const std::string& path : {dir.path(), std::string("/dev/zero"), std::string("/dev/null")}) {
    ExpectAppError([&] { ReadFileBytes(path); }, "ファイル " + path + " は開けません", path);
  }
}

TEST(ReadFileBytes, WholeFileWhateverSizeItClaims) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>(i * 7 % 256);
  const struct { std::string content; } cases[] = {{""}, {"x"}, {std::string(65536, 'a')}, {bytes}};
  for (const auto& c : cases) {
    WriteBytes(dir / "f", c.content);
    EXPECT_EQ(ReadFileBytes(dir / "f"), c.content) << c.content.size();
  }
  // A file that says it is empty but is not.
  const std::string status = ReadFileBytes("/proc/self/status");
  EXPECT_EQ(status.substr(0, 5), "Name:");
  EXPECT_EQ(status.back(), '\n');
}

TEST(WriteFileReplacing, ReplacesWholeAndLeavesNoTemporaryFile) {
  TempDir dir;
  std::string path = dir / "s.ini";
  WriteBytes(path, "old content that is longer");
  WriteFileReplacing(path, EncodeLines({{"[春]", TextKind::kFree}, {"", TextKind::kFree}}, path));
  EXPECT_EQ(ReadBytes(path), "[\x8f\x74]\r\n\r\n");
  EXPECT_EQ(ListFolder(dir.path()).size(), 1u);
}

// A new file gets the mode the user's umask gives new files; a replaced file keeps
// the mode it had.
TEST(WriteFileReplacing, NewFilesFollowTheUmaskReplacedFilesKeepTheirMode) {
  TempDir dir;
  const auto mode_of = [](const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 01000u;
  };
  const mode_t saved = ::umask(077);
  WriteFileReplacing(dir / "private.html", "a");
  const mode_t private_mode = mode_of(dir / "private.html");
  ::umask(022);
  WriteFileReplacing(dir / "shared.html", "b");
  ASSERT_EQ(chmod((dir / "private.html").c_str(), 0640), 0);
  WriteFileReplacing(dir / "private.html", "c");
  ::umask(saved);
  EXPECT_EQ(private_mode, 0600u);
  EXPECT_EQ(mode_of(dir / "shared.html"), 0644u);
  EXPECT_EQ(mode_of(dir / "private.html"), 0640u);
  EXPECT_EQ(ReadBytes(dir / "private.html"), "c");
  EXPECT_EQ(ListFolder(dir.path()).size(), 2u);
}

TEST(WriteFileReplacing, RefusedWriteKeepsOldFileAndSaysWhy) {
  TempDir dir;
  std::string path = dir / "s.ini";
  WriteBytes(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  int rc = testing::RunAsOtherUser([&] {
    try {
      WriteFileReplacing(path, "new");
      return 1;
    } catch (const AppError& e) {
      return std::string(e.what()) == "ファイルへのアクセスが拒否されました: " + path ? 0 : 2;
    }
  });
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(ReadBytes(path), "old");
}

// The disk fills up while a file is replaced or a line appended: the old content
// stays as it was, byte for byte, and nothing else is left on the disk.
TEST(TextFileWriters, FullDiskKeepsTheOldContentWhole) {
  TempDir dir;
  testing::SmallDisk disk(dir.path(), 64);
  SKIP_UNLESS_MOUNTED(disk);
  const std::string path = dir / "index_QRV.txt";
  // 4000 bytes: the first bytes of an append still fit the file's last page.
  const std::string old = std::string(3998, 'q') + "\r\n";
  const struct {
    const char* name;
    std::function<void()> write;
  } writes[] = {
      {"append",
       [&] { AppendToFile(path, "gallery/index.html\t" + std::string(200, 'n') + "\r\n"); }},
      {"replace", [&] { WriteFileReplacing(path, std::string(9000, 'r')); }},
  };
  for (const auto& w : writes) {
    WriteBytes(path, old);
    disk.Fill("filler");
    ExpectAppError(w.write, "ディスクがいっぱいです: " + path, w.name);
    EXPECT_EQ(ReadBytes(path), old) << w.name;
    std::vector<std::string> names;
    for (const ListedName& entry : ListFolder(dir.path())) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"filler", "index_QRV.txt"})) << w.name;
    std::remove((dir / "filler").c_str());
  }
}

TEST(AppendToFile, AddsToTheEndOrCreatesKeepingTheMode) {
  TempDir dir;
  const std::string path = dir / "q.txt";
  AppendToFile(path, "a\r\n");
  AppendToFile(path, "b\r\n");
  EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  AppendToFile(path, "c\r\n");
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(path), "a\r\nb\r\nc\r\n");
}

TEST(FileErrorText, PlatformTexts) {
  EXPECT_EQ(FileErrorText(EACCES), "ファイルへのアクセスが拒否されました");
  EXPECT_EQ(FileErrorText(EROFS), "ファイルへのアクセスが拒否されました");
  EXPECT_EQ(FileErrorText(ENOSPC), "ディスクがいっぱいです");
  EXPECT_EQ(FileErrorText(EDQUOT), "ディスクがいっぱいです");
  EXPECT_EQ(FileErrorText(EIO), "I/O エラー (5)");
}

}  // namespace
}  // namespace montrelle
