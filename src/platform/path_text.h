// Splitting paths into folder and name. Path rules are written for both the
// Windows form ("\" and drive letters, used by examples stated that way) and the
// native POSIX form ("/", no drive part).
#pragma once

#include <string>
#include <string_view>

namespace montrelle {

enum class PathStyle { kPosix, kWindows, kNative = kPosix };

// The last component: everything after the last separator (Windows: "\" or ":").
std::string LastComponent(std::string_view path, PathStyle style = PathStyle::kNative);

// The folder of a file path: everything before the last separator; a file in the
// root keeps the root's separator ("C:\", "/"). Windows: with no "\" but a ":",
// everything up to and including the ":". Otherwise empty.
std::string FolderPart(std::string_view path, PathStyle style = PathStyle::kNative);

// `name` with the text from the last "." of its last component replaced by
// `extension` ("a.jpg", ".htm" -> "a.htm"); appended when there is no ".".
std::string ReplaceExtension(std::string_view name, std::string_view extension,
                             PathStyle style = PathStyle::kNative);

// The last component without its extension.
std::string BaseNameWithoutExtension(std::string_view path, PathStyle style = PathStyle::kNative);

char Separator(PathStyle style);

}  // namespace montrelle
