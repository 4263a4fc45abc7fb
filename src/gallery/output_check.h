// The make run's look at what it would write for each entry, before its first
// write, so that neither fault below leaves the gallery in the folder half replaced.
//
// Two entries that would write one file (a reduced image, a main image or a picture
// page) from different pictures: the later would silently replace the earlier, and
// the earlier's thumbnail would open the later picture. The same picture listed
// twice with the same orientation (and, for its page, the same comment) writes the
// same file twice, which is no fault.
//
// A name or comment that a Shift-JIS page would hold and CP932 cannot: the lines of
// the layout's pages that show the entry are encoded as the page writers encode
// them. The responsive layout's pages are UTF-8 and hold anything.
#pragma once

#include "gallery/generation_context.h"
#include "imagelist/image_list.h"
#include "settings/settings_record.h"

namespace montrelle {

// Throws ListedPictureError (picture_check.h) for the first entry that fails:
// "«n» 番目の画像: «m» 番目の画像と同じファイル «file» を書き出します" naming the
// earlier entry m, or the page writer's own text for an unwritable character.
void CheckRunOutputs(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings);

}  // namespace montrelle
