// The record a make run keeps of the files it wrote, a hidden text file at the top
// of the output folder. The next run into the folder removes what was made before
// and is no longer made, and keeps on No only the images whose facts still match.
//
// The file, UTF-8 with LF line ends: the line "montrelle record 1", then one line
// per file, its fields separated by tabs, in each field "\" written "\\", a tab
// "\t" and a line end "\n":
//   file  <name>
//   image <name> <source> <size> <modified ns> <triple> <width> <kind>
// A name is relative to the output folder, its levels separated by "/". An image
// line holds what it was made from; a file line names a page, a copy or an image
// kept from a run that kept no facts.
//
// The file is something a user can edit: it is read as hostile input. A record
// that cannot be read whole is damaged; a damaged record removes nothing and keeps
// nothing. Removing trusts no name: only a regular file inside the output folder,
// reached through no link, named without "..", "." or a leading "/", is removed.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace montrelle {

inline constexpr char kOutputRecordName[] = ".montrelle.record";

// What an image was made from, compared whole when a run decides to keep it.
struct ImageFacts {
  std::string source;         // the listed path
  std::int64_t size = 0;      // of the source, bytes
  std::int64_t modified = 0;  // of the source, nanoseconds since the epoch
  std::string triple;         // the orientation as listed ("0 0 0")
  int width = 0;              // the width it was made at; 0 for its own size
  std::string kind;           // how it was made ("jpeg", "bitmap", "copy", ...)

  bool operator==(const ImageFacts&) const = default;
};

// Each recorded name with its facts, or none for a file that keeps none.
using RecordedFiles = std::map<std::string, std::optional<ImageFacts>>;

struct OutputRecord {
  enum class State { kMissing, kDamaged, kRead };
  State state = State::kMissing;
  RecordedFiles files;  // empty unless kRead
};

// The facts of `source` as it is now; size and time 0 when it cannot be looked at.
ImageFacts SourceFacts(const std::string& source);

// The record of `out_dir`: kMissing without a record file, kDamaged when it cannot
// be read or a line is not one of the forms above.
OutputRecord ReadOutputRecord(const std::string& out_dir);

// Whether the record of `out_dir` is read whole and names `name` (relative to it).
bool RecordNamesFile(const std::string& out_dir, const std::string& name);

// Replaces the record file of `out_dir` whole. Throws FileWriteError.
void WriteOutputRecord(const std::string& out_dir, const RecordedFiles& files);

// Removes every file of `previous` that `kept` does not name and that is safe to
// remove (see above), in name order; returns the names removed. Never throws.
std::vector<std::string> RemoveUnrecorded(const std::string& out_dir, const RecordedFiles& previous,
                                          const RecordedFiles& kept);

}  // namespace montrelle
