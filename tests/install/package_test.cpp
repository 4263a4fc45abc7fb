// Makes the Debian package of this build with CPack, unpacks it with dpkg-deb into
// a temporary root, and makes a frame gallery with the unpacked montrelle-make,
// whose navigation buttons come from the package's own data folder.
#include <gtest/gtest.h>

#include "imaging/jpeg_codec.h"
#include "install/installed_files.h"
#include "platform/file_system.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::FolderTree;
using testing::Outcome;
using testing::ReadBytes;
using testing::RunProgram;
using Lines = std::vector<std::string>;

const char* const kDpkgDeb = "/usr/bin/dpkg-deb";

TEST(DebianPackage, UnpackedCommandMakesAFrameGallery) {
  testing::TempDir dir;
  const Outcome packed = RunProgram(
      MONTRELLE_CPACK,
      {"-G", "DEB", "--config", MONTRELLE_BUILD_DIR "/CPackConfig.cmake", "-B", dir / "cpack"},
      dir.path());
  ASSERT_EQ(packed.status, 0) << packed.out << packed.err;
  const Outcome arch = RunProgram("/usr/bin/dpkg", {"--print-architecture"}, dir.path());
  const std::string deb = dir / ("cpack/montrelle_" MONTRELLE_VERSION "_" +
                                 arch.out.substr(0, arch.out.find('\n')) + ".deb");
  ASSERT_TRUE(FileExists(deb)) << deb;

  const Outcome fields =
      RunProgram(kDpkgDeb, {"-f", deb, "Package", "Version", "Section", "Maintainer"}, dir.path());
  EXPECT_EQ(fields.out, "Package: montrelle\nVersion: " MONTRELLE_VERSION
                        "\nSection: graphics\nMaintainer: " MONTRELLE_MAINTAINER "\n");
  // The libraries' part of Depends is dpkg-shlibdeps' and changes with the system.
  const std::string depends = RunProgram(kDpkgDeb, {"-f", deb, "Depends"}, dir.path()).out;
  EXPECT_TRUE(depends.starts_with("fonts-ipafont-gothic, qt6-translations-l10n, ")) << depends;
  EXPECT_NE(depends.find("libqt6widgets6"), std::string::npos) << depends;

  const std::string root = dir / "root";
  ASSERT_EQ(RunProgram(kDpkgDeb, {"-x", deb, root}, dir.path()).status, 0);
  Lines tree{"usr/"};
  for (const std::string& entry : testing::InstalledTree()) tree.push_back("usr/" + entry);
  EXPECT_EQ(FolderTree(root), tree);

  testing::WriteBytes(dir / "a.jpg", EncodeJpeg({4, 4, std::vector<std::uint8_t>(48, 128)}));
  const Outcome run = RunProgram(root + "/usr/bin/montrelle-make", {"-o", "out", "a.jpg"},
                                 dir.path(), {.environment = {"HOME=" + dir.path()}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  Lines gallery = testing::FrameGallery();  // and, with no settings file, reduced images
  gallery.insert(gallery.begin() + 2, {"small_images/", "small_images/a.jpg"});
  EXPECT_EQ(FolderTree(dir / "out"), gallery);
  for (const char* gif : testing::kNavigationImages) {
    const std::string packaged = ReadBytes(root + "/usr/share/montrelle/images/" + gif);
    EXPECT_EQ(packaged, ReadBytes(MONTRELLE_SOURCE_DIR "/resources/images/" + std::string(gif)));
    EXPECT_EQ(ReadBytes(dir / ("out/src_files/" + std::string(gif))), packaged) << gif;
  }
}

}  // namespace
}  // namespace montrelle
