// libFuzzer target for the list file reader. The bytes are loaded as a list file
// from a scratch file, as the load button does.
//
// Every input must load (the reader refuses nothing it can open) into a list whose
// columns and grid agree: N paths, N comments, N orientations, rows numbered 1..N
// and blank after them. A list the writer can store must come back from its own
// file with the same paths, and writing it again must give the same bytes.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "imagelist/list_file.h"
#include "platform/app_error.h"

namespace {

using montrelle::ImageFileList;
using montrelle::fuzz::Require;

void RequireWellFormed(const ImageFileList& list) {
  const size_t n = static_cast<size_t>(list.count());
  Require(list.comments().size() == n && list.orientations().size() == n,
          "one comment and one orientation per path");
  Require(list.row_count() >= list.count() + 1, "a grid row for every entry");
  Require((list.row_count() - ImageFileList::kInitialRows) % ImageFileList::kRowGrowth == 0,
          "the grid grows by ten rows");
  for (int r = 1; r < list.row_count(); ++r) {
    const bool blank = list.row(r) == montrelle::GridRow{};
    Require(r <= list.count() ? list.row(r)[0] == std::to_string(r) : blank,
            "entries numbered, rows after them blank");
  }
  for (const std::string& path : list.paths()) Require(!path.empty(), "no empty path");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace montrelle;
  static const fuzz::ScratchFile file("list.txt");
  file.Write(std::string_view(reinterpret_cast<const char*>(data), size));

  ImageFileList list;
  LoadListFile(list, file.path());
  RequireWellFormed(list);
  if (list.count() == 0) return 0;

  std::string written;
  try {
    written = ListFileBytes(list, file.path());
  } catch (const AppError& e) {
    Require(fuzz::StartsWith(e.what(), "ファイル " + file.path() + " に書けない"),
            "only unwritable characters are refused");
    return 0;
  }
  if (!fuzz::ReadsBackAsCp932(written)) return 0;
  file.Write(written);
  ImageFileList again;
  LoadListFile(again, file.path());
  RequireWellFormed(again);
  Require(again.paths() == list.paths(), "paths come back unchanged");
  Require(ListFileBytes(again, file.path()) == written, "a saved list saves the same again");
  return 0;
}
