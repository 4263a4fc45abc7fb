#include "platform/program_files.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/file_system.h"
#include "support/as_other_user.h"
#include "support/temp_dir.h"

namespace montrelle {
namespace {

using testing::TempDir;
using testing::WriteBytes;

// Sets (or, with nullopt, removes) an environment variable for the life of the
// object and puts the old value back afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

// LocateProgramFiles as an unprivileged user sees it (the suite may run as root,
// who may write anywhere), carried back through a pipe.
ProgramFiles LocateAsOtherUser(const std::string& program_folder) {
  int ends[2];
  if (pipe(ends) != 0) return {};
  const int rc = testing::RunAsOtherUser([&] {
    const ProgramFiles files = LocateProgramFiles(program_folder);
    const std::string text = files.settings_path + '\n' + files.navigation_images_folder + '\n';
    return write(ends[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1;
  });
  close(ends[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(ends[0]);
  EXPECT_EQ(rc, 0);
  const size_t line_end = text.find('\n');
  if (line_end == std::string::npos || !text.ends_with('\n')) return {};
  return {text.substr(0, line_end), text.substr(line_end + 1, text.size() - line_end - 2)};
}

TEST(LocateProgramFiles, BesideAWritableProgramElseTheUsersConfigFolder) {
  TempDir dir;
  // Every user may pass through; "bin" is made writable or read-only per case.
  chmod(dir.path().c_str(), 0755);
  const std::string bin = dir / "bin";
  const std::string installed_images = dir / "share/montrelle/images";
  const struct {
    bool writable;
    bool images_beside;
    std::optional<std::string> config_home;
    std::string settings, images;
  } cases[] = {
      {true, true, "/cfg", bin + "/Montrelle.ini", bin + "/images"},
      {true, false, std::nullopt, bin + "/Montrelle.ini", installed_images},
      {false, false, "/cfg", "/cfg/Montrelle/Montrelle.ini", installed_images},
      {false, false, "/cfg//", "/cfg/Montrelle/Montrelle.ini", installed_images},
      {false, true, std::nullopt, "/home/u/.config/Montrelle/Montrelle.ini", bin + "/images"},
      {false, false, "", "/home/u/.config/Montrelle/Montrelle.ini", installed_images},
      {false, false, "cfg", "/home/u/.config/Montrelle/Montrelle.ini", installed_images},
  };
  ScopedVariable home("HOME", "/home/u");
  for (const auto& c : cases) {
    std::filesystem::remove_all(bin);
    ASSERT_TRUE(CreateFolder(bin));
    if (c.images_beside) {
      ASSERT_TRUE(CreateFolder(bin + "/images"));
    }
    // The folder is the checking user's own, as a portable copy is.
    if (getuid() == 0) {
      ASSERT_EQ(chown(bin.c_str(), 65534, 65534), 0);
    }
    chmod(bin.c_str(), c.writable ? 0777 : 0555);
    ScopedVariable config_home("XDG_CONFIG_HOME", c.config_home);

    const ProgramFiles files = LocateAsOtherUser(bin);
    EXPECT_EQ(files.settings_path, c.settings) << c.config_home.value_or("(unset)");
    EXPECT_EQ(files.navigation_images_folder, c.images) << c.config_home.value_or("(unset)");
    chmod(bin.c_str(), 0755);
  }
  // Never beside a program under /usr, even for root, who may write there; nor in a
  // folder of another user's that everyone may write into.
  ScopedVariable config_home("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(LocateProgramFiles("/usr/bin").settings_path,
            "/home/u/.config/Montrelle/Montrelle.ini");
  EXPECT_EQ(LocateAsOtherUser("/tmp").settings_path, "/home/u/.config/Montrelle/Montrelle.ini");
}

TEST(LocateProgramFiles, WithoutHomeThePasswordEntrysHome) {
  ScopedVariable home("HOME", std::nullopt);
  ScopedVariable config_home("XDG_CONFIG_HOME", std::nullopt);
  const passwd* user = getpwuid(getuid() == 0 ? 65534 : getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(LocateAsOtherUser("/proc").settings_path,
            std::string(user->pw_dir) + "/.config/Montrelle/Montrelle.ini");
}

TEST(EnsureSettingsFolder, MakesMissingLevelsForTheUserOnly) {
  TempDir dir;
  ASSERT_TRUE(CreateFolder(dir / "home"));
  chmod((dir / "home").c_str(), 0751);

  EnsureSettingsFolder({dir / "home/.config/Montrelle/Montrelle.ini", ""});
  struct stat st;
  for (const char* level : {"home/.config", "home/.config/Montrelle"}) {
    ASSERT_EQ(stat((dir / level).c_str(), &st), 0) << level;
    EXPECT_EQ(st.st_mode & 07777, 0700u) << level;
  }
  ASSERT_EQ(stat((dir / "home").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0751u) << "an existing level is left as it is";
  EXPECT_FALSE(LookUpEntry(dir / "home/.config/Montrelle/Montrelle.ini"));

  // A file in the way stops nothing here; writing the settings file reports it.
  WriteBytes(dir / "blocked", "");
  EnsureSettingsFolder({dir / "blocked/Montrelle/Montrelle.ini", ""});
  EXPECT_TRUE(FileExists(dir / "blocked"));
}

}  // namespace
}  // namespace montrelle
