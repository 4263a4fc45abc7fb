// Text routines on the orientation triple, separators and picture folder URLs.
// All work on bytes; TAB, "\" and "/" never occur inside a multi-byte character.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/path_text.h"

namespace montrelle {

// The n-th field (from 1) of `source` split at `delimiter`; for an n of 0 or less,
// or beyond the last delimiter, the last field. Overlapping matches count.
std::string NthField(std::string_view delimiter, std::string_view source, int n);

// `source` with every occurrence of `pattern` replaced; replaced text is never
// searched again. An empty pattern leaves the source unchanged.
std::string ReplaceAll(std::string_view pattern, std::string_view replacement,
                       std::string_view source);

// Whether any of `markers` occurs anywhere in `text`.
bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> markers);

// The relative URL, ending in "/", from the folder `base` to the folder of `file`:
// "./" when that folder is `base` itself (byte for byte). Windows style compares
// folder names without regard to ASCII case, as that file system does; POSIX style
// compares them exactly.
std::string RelativeDirUrl(std::string_view base, std::string_view file,
                           PathStyle style = PathStyle::kNative);

}  // namespace montrelle
