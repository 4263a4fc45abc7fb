// The Exif Orientation tag of a JPEG file, and the orientation triple that turns
// the stored picture upright.
//
// Phones and cameras store a picture as the sensor saw it and record in the Exif
// block (an APP1 segment starting "Exif\0\0") how it has to be turned to show
// upright: tag 0x0112 of the first image directory, values 1 to 8. The reader
// walks the markers before the first scan, reads the TIFF header in either byte
// order and looks only at that one entry. Every offset and count is checked
// against the bytes at hand and nothing is allocated from a value in the file; a
// block that is absent, damaged or holds no valid value gives 0, never an error.
//
// The tag only chooses where a new list entry starts: the picture operations
// never read it, so a picture is turned by its entry's triple alone.
#pragma once

#include <string>
#include <string_view>

#include "imaging/orientation.h"

namespace montrelle {

// The Orientation value (1..8) in the JPEG bytes, which may be the file's first
// bytes only; 0 when there is none.
int ExifOrientationTag(std::string_view jpeg);

// The triple (mirror and flip before the rotation) that shows a picture stored
// with this tag upright; no turn at all for 1 and for anything outside 1..8.
Orientation UprightOrientation(int tag);

// The triple text a picture starts with when it enters the list: the upright
// turn of a JPEG file's tag when `use_exif`, otherwise (and for a file that
// cannot be read) "0<TAB>0<TAB>0".
std::string StartingOrientation(const std::string& path, bool use_exif);

}  // namespace montrelle
