// Colours of text that stay readable on a page's background: a contrast of at
// least 4.5:1 (WCAG 2, level AA), from the relative luminance of the sRGB colours.
#pragma once

#include <string>

namespace montrelle {

// The colour "#RRGGBB" as it is when it reaches that contrast against the
// background "#RRGGBB"; otherwise the readable colour of the same hue and
// saturation (HSL) whose lightness is nearest, upper-case digits. A colour text
// of any other form is returned as it is, since nothing can be said of it.
std::string ReadableColor(const std::string& color, const std::string& background);

}  // namespace montrelle
