// The way every picture of a process is read, chosen once, before the first one:
// the raw path (jpeg_raw_rows.h) relies on the library's private structs, which a
// library update without a rebuild could lay out otherwise, so it is taken only
// when a self-check of the loaded library (jpeg_self_check.h) agrees with the
// public scanline path byte for byte.
#pragma once

#include <functional>

#include "imaging/jpeg_row_reader.h"

namespace montrelle {

struct JpegDecoderChoice {
  JpegDecodePath path = JpegDecodePath::kRaw;
  bool self_check_differed = false;  // the reason for kScanline, when not forced
  bool operator==(const JpegDecoderChoice&) const = default;
};

// `setting` is the value of MONTRELLE_DECODER (null when unset): "scanline" forces
// the scanline path without running `raw_path_agrees`.
JpegDecoderChoice ChooseJpegDecoder(const char* setting,
                                    const std::function<bool()>& raw_path_agrees);

// The process's choice, made at the first call (safe from several threads).
const JpegDecoderChoice& ProcessJpegDecoder();

}  // namespace montrelle
