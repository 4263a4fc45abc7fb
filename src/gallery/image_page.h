// The page of one image in src_files: the image at the main width, optionally its
// name and comment below it. The frame and table layouts both write it.
#pragma once

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "gallery/page_rules.h"
#include "imagelist/image_list.h"
#include "settings/settings_record.h"

namespace montrelle {

// The lines of the page of entry `i` (0-based); `test` picks how bitmap names are
// renamed on it.
PageLines ImagePageLines(const GenerationContext& context, const ImageFileList& list,
                         const LiveSettings& settings, int i, NameTest test);

// Where that page goes: src_files and the entry's page name.
std::string ImagePageFile(const GenerationContext& context, int i);

// Writes that page. Throws AppError.
void WriteImagePage(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, int i, NameTest test);

}  // namespace montrelle
