// The pull-down layout: one page in the output folder showing one picture at the
// main width, with a selection list below it; a short script puts the picture of
// the selected position in its place. No picture pages, no menus, no title.
//
// The page ends with its "</CENTER>" line: browsers close the body themselves.
#pragma once

#include <vector>

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// The lines of the page. Shows "«i»/«count»" before each picture's branch of the
// script. The options show the file names (`fnoutput`), else the comments where
// `comment_out_pd` is on and the comment is not empty, else "Image:n". The list
// must not be empty.
PageLines PulldownPageLines(const GenerationContext& context, const ImageFileList& list,
                            const LiveSettings& settings, UiServices& ui);

// The lines of the page that show entry i (0-based): its branch of the script and
// its option.
std::vector<PageText> PulldownEntryTexts(const GenerationContext& context,
                                         const ImageFileList& list, const LiveSettings& settings,
                                         int i);

// Writes the page; the phase panel is left as it is. Throws AppError.
void WritePulldownPage(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui);

}  // namespace montrelle
