// libFuzzer target for the output folder's record, which a user can edit. The
// bytes are the record of a scratch output folder holding one page; a sentinel
// file lies beside the folder.
//
// A record that reads whole must be written back and read again to the same
// files. Whatever it names, removing what no run keeps may take only the page
// inside the folder: never the record itself, never the sentinel outside it.
#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "gallery/output_record.h"
#include "platform/file_system.h"

namespace {

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace montrelle;
  using fuzz::Require;
  static const fuzz::ScratchFile sentinel("sentinel.txt");
  static const std::string out = sentinel.Sibling("out");
  static const std::string record = out + "/" + kOutputRecordName;
  mkdir(out.c_str(), 0700);
  sentinel.Write("outside");
  WriteFile(out + "/page.htm", "page");
  WriteFile(record, std::string_view(reinterpret_cast<const char*>(data), size));

  const OutputRecord read = ReadOutputRecord(out);
  if (read.state != OutputRecord::State::kRead) {
    Require(read.files.empty(), "a record not read names nothing");
    return 0;
  }
  RemoveUnrecorded(out, read.files, {});
  Require(FileExists(sentinel.path()) && FileExists(record),
          "nothing outside the folder is removed, nor the record");
  WriteOutputRecord(out, read.files);
  const OutputRecord again = ReadOutputRecord(out);
  Require(again.state == OutputRecord::State::kRead && again.files == read.files,
          "a record reads back as it was written");
  return 0;
}
