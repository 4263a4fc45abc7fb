// The frame layout: an entry page with a narrow menu frame ("sub") and a wide
// image frame ("main"); in src_files the image pages, the menu pages of
// `per_page` images each with their navigation buttons, and the four button images.
#pragma once

#include <string>
#include <vector>

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// The number of menu pages: the image count divided by `per_page`, rounded up.
int MenuPageCount(int count, int per_page);

// The lines of the entry page. The list must not be empty.
PageLines FrameEntryPageLines(const GenerationContext& context);

// The lines of menu page `k` (1-based). Slots after the last image on the last page
// are bare "<TR>" lines.
PageLines MenuPageLines(const GenerationContext& context, const ImageFileList& list,
                        const LiveSettings& settings, int k);

// The lines of these pages that show entry i (0-based), with their pages: its
// image page and its row on its menu page.
std::vector<PageText> FrameEntryTexts(const GenerationContext& context, const ImageFileList& list,
                                      const LiveSettings& settings, int i);

// Writes the entry page, src_files with every image page and menu page, then copies
// the navigation images from `navigation_images_folder` (replacing older copies; a
// copy that fails is passed over). Shows the phase and progress. Throws AppError when
// a page cannot be written; the pages written before stay.
void WriteFramePages(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings, UiServices& ui,
                     const std::string& navigation_images_folder);

}  // namespace montrelle
