// What one make run writes into its output folder, gathered while it writes, and
// the record (output_record.h) it leaves there when it ends.
//
// Every file the run stands for is noted: each file written, and each image kept
// as it was after No (with the facts its previous record gave it, or none). A run
// that reaches its end writes the record of exactly those files and then removes
// the files of the previous record it did not note; a run that stops removes
// nothing and records the previous record's files together with those it noted,
// so that the next run still knows everything in the folder it made.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gallery/output_record.h"

namespace montrelle {

struct GenerationContext;

class RunRecord {
 public:
  // Reads the previous record of `out_dir`.
  explicit RunRecord(std::string out_dir);

  // Whether the existing image at `path` may be kept instead of made again from
  // `now`: its recorded facts are `now`; an image the record does not describe
  // (made by a version that kept no record) may be kept too; after a damaged
  // record, none may. Any thread.
  bool MayKeep(const std::string& path, const ImageFacts& now) const;

  // Notes a file written under `path`, with the facts of an image. Calling thread.
  void Wrote(const std::string& path, std::optional<ImageFacts> facts = std::nullopt);
  // Notes an existing file at `path` that the run keeps, unless it was written.
  void Kept(const std::string& path);

  // The run reached its end: writes the record, then removes the previous
  // record's files that were not noted; returns their names. Throws
  // FileWriteError when the record cannot be written, before anything is removed.
  std::vector<std::string> Finish();
  // The run stopped: records the previous files and the noted ones, removes
  // nothing. Never throws: the run's own error is the one to report.
  void Stopped() noexcept;

 private:
  // `path` as a name in the record; nothing for a path outside the folder.
  std::optional<std::string> NameOf(const std::string& path) const;

  std::string out_dir_;
  OutputRecord previous_;
  RecordedFiles noted_;
};

// Notes a write of the run whose context is `context`, when it keeps a record.
void NoteWrite(const GenerationContext& context, const std::string& path,
               std::optional<ImageFacts> facts = std::nullopt);

}  // namespace montrelle
