// The QRV list: one line per gallery naming its entry page and its first picture.
// Outside a batch each run writes its own file beside the entry page; a batch keeps
// one file in its output folder, created by its first gallery and appended to by
// the others.
#pragma once

#include "gallery/batch_state.h"
#include "gallery/generation_context.h"
#include "imagelist/image_list.h"
#include "settings/settings_record.h"

namespace montrelle {

// Writes this run's line and clears `batch.macro_first` once the batch's file has
// been created. Throws AppError when a path cannot be written in CP932 or the file
// cannot be written.
void WriteQrvLine(const GenerationContext& context, const ImageFileList& list,
                  const LiveSettings& settings, BatchState& batch);

}  // namespace montrelle
