// Where the program keeps its settings file and the navigation images: beside the
// program file. Only the windows' start-up asks; every core routine takes the path.
#pragma once

#include <string>

namespace montrelle {

struct ProgramFiles {
  std::string settings_path;             // <folder>/Montrelle.ini
  std::string navigation_images_folder;  // <folder>/images
};

ProgramFiles LocateProgramFiles(const std::string& program_folder);

}  // namespace montrelle
