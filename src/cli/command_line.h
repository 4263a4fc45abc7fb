// The command line of montrelle-make:
//
//   montrelle-make [options] [IMAGE ...]
//   montrelle-make [options] --batch DIR --out DIR [--lists-only]
//
// Options take their value as the next argument or after "=" (--out=DIR); "--"
// ends the options, and a lone "-" counts as an IMAGE. A later option replaces an
// earlier one of the same kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/app_error.h"
#include "settings/settings_record.h"

namespace montrelle {

struct CommandOptions {
  std::optional<std::string> settings_file;  // -s, --settings
  std::optional<std::string> list_file;      // -l, --list
  std::optional<std::string> out;            // -o, --out
  std::optional<std::string> name;           // -n, --name
  std::optional<std::string> title;          // -t, --title
  std::optional<OutputLayout> layout;        // --layout frame|table|pulldown|responsive
  std::optional<std::string> batch;          // --batch: the search folder
  bool lists_only = false;                   // --lists-only, with --batch
  bool keep_existing = false;                // --keep-existing
  bool no_exif = false;                      // --no-exif
  bool keep_metadata = false;                // --keep-metadata
  bool quiet = false;                        // -q, --quiet
  bool help = false;                         // -h, --help
  bool version = false;                      // --version
  std::vector<std::string> images;
};

// A command line that cannot be understood; the command ends with status 2.
class UsageError : public AppError {
 public:
  using AppError::AppError;
};

// Throws UsageError naming the first argument it cannot take, or the options that
// do not go together: --batch wants --out and takes no --list and no IMAGE,
// --lists-only wants --batch.
CommandOptions ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace montrelle
