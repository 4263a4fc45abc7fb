// The table layout: one page in the output folder with the thumbnails (or names,
// or "Image:n") in rows of `columns` cells, each linking to the picture's own page
// in src_files, opened in a window named "main"; and those picture pages.
#pragma once

#include <vector>

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// The lines of the table page. The border width goes into the page as typed.
// Shows "«r»/«count»" before each row r; a full last row is not followed by an
// empty one. The list must not be empty and `columns` must be at least 1.
PageLines TablePageLines(const GenerationContext& context, const ImageFileList& list,
                         const LiveSettings& settings, UiServices& ui);

// The lines of these pages that show entry i (0-based), with their pages: its
// picture page and its cell on the table page.
std::vector<PageText> TableEntryTexts(const GenerationContext& context, const ImageFileList& list,
                                      const LiveSettings& settings, int i);

// Writes the table page, src_files and the page of every picture, where only names
// with ".bmp" or ".BMP" are taken as converted bitmaps. The phase panel is left as
// it is. Throws AppError when a page cannot be written; the pages before it stay.
void WriteTablePages(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings, UiServices& ui);

}  // namespace montrelle
