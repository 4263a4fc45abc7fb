#include "app/program_files.h"

namespace montrelle {

ProgramFiles LocateProgramFiles(const std::string& program_folder) {
  return {program_folder + "/Montrelle.ini", program_folder + "/images"};
}

}  // namespace montrelle
