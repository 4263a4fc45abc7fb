// libFuzzer target for the Exif orientation reader, as a picture entering the list
// meets it: the bytes are the start of a JPEG file, read from memory and from a
// scratch file.
//
// Every input must give a tag of 0 to 8 and never a crash or a sanitizer report.
// A tag found stays the same when more bytes follow (the reader looks at nothing
// beyond the segments it walked), and the file gives the triple of that tag, which
// the list's own parser reads back as the same turn.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "imaging/exif_orientation.h"

using namespace montrelle;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const fuzz::ScratchFile file("picture.jpg");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int tag = ExifOrientationTag(bytes);
  Require(tag >= 0 && tag <= 8, "a tag of 0 to 8");
  if (tag != 0) {
    Require(ExifOrientationTag(std::string(bytes) + "\xFF\xE1\xFF\xFF") == tag,
            "bytes after the tag's segment change nothing");
  }

  file.Write(bytes);
  const std::string triple = StartingOrientation(file.path(), true);
  const Orientation upright = UprightOrientation(tag);
  const Orientation read = ParseOrientation(triple);
  Require(read.mirror == upright.mirror && read.flip == upright.flip &&
              read.rotation == upright.rotation,
          "the file gives the tag's triple");
  return 0;
}
