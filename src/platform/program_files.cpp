#include "platform/program_files.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"

namespace montrelle {

namespace {

namespace fs = std::filesystem;

const char* const kSettingsName = "Montrelle.ini";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string HomeFolder() {
  std::string home = Variable("HOME");
  if (home.empty()) {
    if (const passwd* entry = getpwuid(getuid())) home = entry->pw_dir;
  }
  return home;
}

// The base folder of the user's configuration files.
std::string ConfigHome() {
  const std::string configured = Variable("XDG_CONFIG_HOME");
  if (configured.starts_with('/')) return configured;
  return HomeFolder() + "/.config";
}

// A folder the running user may write into and owns, outside /usr: a folder under
// /usr belongs to the system even for root, who may write anywhere, and one of
// another user's that is open to everyone (/tmp) is no place for our settings.
bool IsPortableFolder(const std::string& folder) {
  const std::string normal = NormalPath(folder);
  if (normal == "/usr" || normal.starts_with("/usr/")) return false;
  struct stat st;
  return ::stat(folder.c_str(), &st) == 0 && st.st_uid == ::getuid() &&
         ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : program.parent_path().string();
}

ProgramFiles LocateProgramFiles(const std::string& program_folder) {
  ProgramFiles files;
  if (IsPortableFolder(program_folder)) {
    files.settings_path = program_folder + "/" + kSettingsName;
  } else {
    files.settings_path = NormalPath(fs::path(ConfigHome()) / "Montrelle" / kSettingsName);
  }
  const std::string beside = program_folder + "/images";
  files.navigation_images_folder =
      FolderExists(beside) ? beside
                           : NormalPath(fs::path(program_folder) / MONTRELLE_DATA_FROM_BIN);
  return files;
}

void EnsureSettingsFolder(const ProgramFiles& files) {
  fs::path level;
  for (const fs::path& part : fs::path(files.settings_path).parent_path()) {
    level /= part;
    if (!FolderExists(level.string())) ::mkdir(level.c_str(), 0700);
  }
}

std::string NormalPath(const fs::path& path) {
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.ends_with('/')) text.pop_back();
  return text;
}

}  // namespace montrelle
