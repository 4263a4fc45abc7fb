// Where the two programs keep the settings file and find the navigation images.
//
// A program folder the user owns and may write into (a portable copy, the build
// tree) holds both: <folder>/Montrelle.ini and <folder>/images. An installed program
// sits in a folder only the administrator writes (/usr/bin), where the settings
// could never be saved; a folder under /usr is taken for installed also when root
// runs the program, and so is any folder of another user's. Its settings file is
// then the user's own,
// $XDG_CONFIG_HOME/Montrelle/Montrelle.ini, or ~/.config/Montrelle/Montrelle.ini
// when that variable is unset, empty or not an absolute path. The images come from
// images/ beside the program when that folder exists, else from the installed data
// folder, found relative to the program (<prefix>/bin/../share/montrelle/images),
// so an installed tree can be moved as a whole.
#pragma once

#include <filesystem>
#include <string>

namespace montrelle {

struct ProgramFiles {
  std::string settings_path;
  std::string navigation_images_folder;
};

// The folder holding the running program file, links resolved; "." when the
// system does not tell.
std::string ProgramFolder();

// Decides both places for a program in `program_folder`, reading XDG_CONFIG_HOME
// and HOME (the password entry when HOME is unset). Writes nothing.
ProgramFiles LocateProgramFiles(const std::string& program_folder);

// The path with "." and ".." resolved as text and without a trailing "/" (the root
// keeps its own).
std::string NormalPath(const std::filesystem::path& path);

// Makes the missing folder levels above the settings file (new ones readable by the
// user only), so that the default file can be written. A level that cannot be made
// is not reported here: writing the file reports it.
void EnsureSettingsFolder(const ProgramFiles& files);

}  // namespace montrelle
