// The responsive layout: HTML5 pages in UTF-8 that suit any screen, a phone as
// well as a large monitor, with nothing from outside the gallery folder.
//
// The entry page in the output folder shows the title and a grid of thumbnails
// (CSS grid: as many square cells of the reduced image width as the width takes),
// each linking to the picture's page in src_files. A picture page shows the main
// image fitted to the screen, below it the comment (`comment_out`) and the file
// name (`fnoutput`), and links to the previous, next and entry pages, which the
// arrow keys Left, Right and Up and sideways swipes follow too; it fetches the
// next picture ahead. The layout always shows the reduced images of small_images
// and the main images of images re-made at its own width, each offered at every
// size the image steps make of it (responsive_sizes.h) for the browser to pick
// from by the screen's pixel density; every picture carries the size of the file
// it names, so a page does not move while it loads. Texts and links are drawn in
// colours readable on the background colour (readable_colors.h).
// Names and comments are HTML-escaped, links percent-encoded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gallery/generation_context.h"
#include "gallery/picture_check.h"
#include "imagelist/image_list.h"
#include "imaging/rgb_image.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// Each picture's stored size (as the run's check read it) turned by its entry's
// orientation; none for a path of neither picture kind, which the image steps
// pass over.
using OrientedSizes = std::vector<std::optional<ImageSize>>;
OrientedSizes TurnedSizes(const GenerationContext& context, const PictureSizes& stored);

// The lines of the entry page and of picture i's page; `sizes` as read above.
// The first lines of every page in this style, up to its own style rules: the
// head, the title, and the rules of the body (on `background`), the links, the
// heading and the paragraphs, every colour readable on the background colour.
std::vector<std::string> ResponsiveHeadOpening(const GenerationContext& context,
                                               const std::string& title,
                                               const std::string& background);

std::vector<std::string> ResponsiveEntryLines(const GenerationContext& context,
                                              const ImageFileList& list,
                                              const LiveSettings& settings,
                                              const OrientedSizes& sizes);
std::vector<std::string> ResponsivePictureLines(const GenerationContext& context,
                                                const ImageFileList& list,
                                                const LiveSettings& settings,
                                                const OrientedSizes& sizes, int i);

// Writes the entry page, src_files and each picture's page, showing
// "«i»/«count»" before each; `stored` as CheckListedPictures read it. The phase
// panel is left as it is. Throws AppError; the pages written before stay.
void WriteResponsivePages(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, const PictureSizes& stored, UiServices& ui);

}  // namespace montrelle
