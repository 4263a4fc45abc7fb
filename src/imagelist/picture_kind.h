// Which pictures a path names, by case-sensitive substring tests on the whole path
// (folders included), never by a parsed extension: "photo.Jpg" is neither kind, a
// file in a folder "scans.bmp" counts as a bitmap, and a path may be of both kinds.
#pragma once

#include <string_view>

namespace montrelle {

// The path contains ".jpg", ".jpeg", ".JPG" or ".JPEG".
bool IsJpegPath(std::string_view path);

// The path contains ".bmp" or ".BMP".
bool IsBitmapPath(std::string_view path);

}  // namespace montrelle
