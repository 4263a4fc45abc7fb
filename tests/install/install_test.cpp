// Installs the build into a temporary prefix, as a package or an administrator
// would with `cmake --install`, and runs the installed montrelle-make from there as
// an ordinary user, who cannot write into the program's folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "imaging/jpeg_codec.h"
#include "platform/file_system.h"
#include "settings/settings_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FileLines;
using testing::FolderTree;
using testing::Outcome;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

const std::string kSource = MONTRELLE_SOURCE_DIR;
const char* const kGifs[] = {"last.gif", "next.gif", "previous.gif", "top.gif"};
const char* const kIconSizes[] = {"128x128", "16x16", "256x256", "32x32", "48x48", "64x64"};

class InstallTest : public ::testing::Test {
 protected:
  InstallTest() {
    chmod(dir.path().c_str(), 0755);  // the unprivileged user passes through
    const std::string command = std::string(MONTRELLE_CMAKE) + " --install '" +
                                MONTRELLE_BUILD_DIR + "' --prefix '" + prefix + "' > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }

  // A folder the user who runs the installed command may write into.
  std::string UsersFolder(const std::string& name) const {
    const std::string folder = dir / name;
    EXPECT_TRUE(CreateFolder(folder));
    if (getuid() == 0) {
      EXPECT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    }
    return folder;
  }

  // A settings file as the window writes it: defaults, no reduced images, a title.
  static void WriteSettings(const std::string& path, const std::string& title) {
    LiveSettings live = FormDefaults();
    live.title = title;
    WriteSettingsFile(path, kWriteLive, live);
  }

  // The installed command, run in `cwd` as the unprivileged user.
  static Outcome RunInstalled(const std::string& prefix, const Lines& arguments,
                              const std::string& cwd, const Lines& environment) {
    return RunProgram(prefix + "/bin/montrelle-make", arguments, cwd,
                      {.environment = environment, .as_other_user = true});
  }

  // The frame gallery the default settings make of one picture, a.jpg.
  static Lines FrameGallery() {
    Lines tree{"index.html", "src_files/", "src_files/a.htm", "src_files/index_menu1.htm"};
    for (const char* gif : kGifs) tree.push_back("src_files/" + std::string(gif));
    return tree;
  }

  TempDir dir;
  const std::string prefix = dir / "prefix";
};

TEST_F(InstallTest, PlacesEveryFile) {
  Lines expected{"bin/",         "bin/montrelle",       "bin/montrelle-make",
                 "share/",       "share/applications/", "share/applications/montrelle.desktop",
                 "share/icons/", "share/icons/hicolor/"};
  for (const char* size : kIconSizes) {
    const std::string folder = "share/icons/hicolor/" + std::string(size);
    expected.insert(expected.end(),
                    {folder + "/", folder + "/apps/", folder + "/apps/montrelle.png"});
  }
  expected.insert(expected.end(),
                  {"share/man/", "share/man/man1/", "share/man/man1/montrelle-make.1",
                   "share/montrelle/", "share/montrelle/images/"});
  for (const char* gif : kGifs) expected.push_back("share/montrelle/images/" + std::string(gif));
  EXPECT_EQ(FolderTree(prefix), expected);

  const std::pair<std::string, std::string> copies[] = {
      {"share/applications/montrelle.desktop", "resources/montrelle.desktop"},
      {"share/man/man1/montrelle-make.1", "src/cli/montrelle-make.1"},
      {"share/icons/hicolor/48x48/apps/montrelle.png",
       "resources/icons/hicolor/48x48/apps/montrelle.png"},
      {"share/montrelle/images/top.gif", "resources/images/top.gif"},
  };
  for (const auto& [installed, source] : copies) {
    EXPECT_EQ(ReadBytes(prefix + "/" + installed), ReadBytes(kSource + "/" + source)) << installed;
  }
  for (const char* program : {"montrelle", "montrelle-make"}) {
    EXPECT_EQ(access((prefix + "/bin/" + program).c_str(), X_OK), 0) << program;
  }
}

TEST_F(InstallTest, InstalledCommandReadsTheUsersSettingsAndTheInstalledImages) {
  // Not even the owner may write beside the installed program.
  chmod((prefix + "/bin").c_str(), 0555);
  const std::string home = UsersFolder("home");
  ASSERT_TRUE(CreateFolder(home + "/.config") && CreateFolder(home + "/.config/Montrelle"));
  const std::string settings = home + "/.config/Montrelle/Montrelle.ini";
  WriteSettings(settings, "from home");
  const std::string settings_bytes = ReadBytes(settings);
  const std::string work = UsersFolder("work");
  WriteBytes(work + "/a.jpg", EncodeJpeg({4, 4, std::vector<std::uint8_t>(48, 128)}));
  const Lines installed_tree = FolderTree(prefix);

  Outcome run =
      RunInstalled(prefix, {"-o", "out", "a.jpg"}, work, {"HOME=" + home, "XDG_CONFIG_HOME="});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(FolderTree(work + "/out"), FrameGallery());
  EXPECT_EQ(FileLines(work + "/out/index.html")[5], "from home");
  for (const char* gif : kGifs) {
    EXPECT_EQ(ReadBytes(work + "/out/src_files/" + gif),
              ReadBytes(kSource + "/resources/images/" + gif))
        << gif;
  }
  EXPECT_EQ(ReadBytes(settings), settings_bytes) << "never written";
  EXPECT_EQ(FolderTree(home),
            (Lines{".config/", ".config/Montrelle/", ".config/Montrelle/Montrelle.ini"}));
  EXPECT_EQ(FolderTree(prefix), installed_tree) << "nothing written beside the program";

  // The whole tree moved elsewhere still finds its images; XDG_CONFIG_HOME, when
  // set, names the settings folder, and a missing settings file means defaults.
  const std::string moved = dir / "moved";
  std::filesystem::rename(prefix, moved);
  const std::string config = UsersFolder("config");
  ASSERT_TRUE(CreateFolder(config + "/Montrelle"));
  WriteSettings(config + "/Montrelle/Montrelle.ini", "from config");
  run = RunInstalled(moved, {"-o", "out2", "a.jpg"}, work,
                     {"HOME=" + home, "XDG_CONFIG_HOME=" + config});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(FolderTree(work + "/out2"), FrameGallery());
  EXPECT_EQ(FileLines(work + "/out2/index.html")[5], "from config");

  run = RunInstalled(moved, {"-o", "out3", "a.jpg"}, work,
                     {"HOME=" + home, "XDG_CONFIG_HOME=" + work});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(FileLines(work + "/out3/index.html")[5], "index") << "the default: no title";
  EXPECT_FALSE(LookUpEntry(work + "/Montrelle")) << "the command makes no settings folder";
}

}  // namespace
}  // namespace montrelle
