// What an installation holds below its prefix and the gallery its command makes
// with the default settings: shared by the install and the package tests.
#pragma once

#include <string>
#include <vector>

namespace montrelle::testing {

inline const char* const kNavigationImages[] = {"last.gif", "next.gif", "previous.gif", "top.gif"};

// Every entry below the prefix, in FolderTree's form.
inline std::vector<std::string> InstalledTree() {
  std::vector<std::string> tree{"bin/",
                                "bin/montrelle",
                                "bin/montrelle-make",
                                "share/",
                                "share/applications/",
                                "share/applications/montrelle.desktop",
                                "share/doc/",
                                "share/doc/montrelle/",
                                "share/doc/montrelle/changelog.gz",
                                "share/doc/montrelle/copyright",
                                "share/icons/",
                                "share/icons/hicolor/"};
  for (const char* size : {"128x128", "16x16", "256x256", "32x32", "48x48", "64x64"}) {
    const std::string folder = "share/icons/hicolor/" + std::string(size);
    tree.insert(tree.end(), {folder + "/", folder + "/apps/", folder + "/apps/montrelle.png"});
  }
  tree.insert(tree.end(),
              {"share/man/", "share/man/man1/", "share/man/man1/montrelle-make.1.gz",
               "share/man/man1/montrelle.1.gz", "share/montrelle/", "share/montrelle/images/"});
  for (const char* gif : kNavigationImages)
    tree.push_back("share/montrelle/images/" + std::string(gif));
  return tree;
}

// The frame gallery of one picture, a.jpg, without reduced images.
inline std::vector<std::string> FrameGallery() {
  std::vector<std::string> tree{".montrelle.record", "index.html", "src_files/", "src_files/a.htm",
                                "src_files/index_menu1.htm"};
  for (const char* gif : kNavigationImages) tree.push_back("src_files/" + std::string(gif));
  return tree;
}

}  // namespace montrelle::testing
