// The sizes the responsive layout offers each picture at, so that a screen of any
// pixel density gets a picture as sharp as it can show: thumbnails at 1, 2 and 3
// times the reduced image width, main images at 1, 1/2 and 2 times the layout's
// width, none wider than the picture (OfferedWidths, area_reduction.h). The first
// size of each set is the file the other layouts would make, in the step's folder
// under the picture's name; the others lie in sub-folders of it named after their
// factor, under the same name.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gallery/generation_context.h"
#include "imaging/reduced_pictures.h"

namespace montrelle {

inline constexpr std::array<const char*, 3> kThumbnailFolders = {"", "2x/", "3x/"};
inline constexpr std::array<const char*, 3> kMainImageFolders = {"", "half/", "2x/"};

// The widths wanted, item k for the folder of item k above.
WidthSet ThumbnailWidths(const GenerationContext& context);
WidthSet MainImageWidths(const GenerationContext& context);

}  // namespace montrelle
