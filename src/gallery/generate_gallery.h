// The make run: from the settings and the image list to a gallery under the
// output folder.
//
// In this order: the three preconditions (a list, an output name, an output
// folder; each with its message, nothing written); the output folder, level by
// level, and the values derived from the settings ("設定値は不正です。確認してください。"
// and a second line naming the field by its label and its text, or the folder
// level that cannot be made and why; the levels made so far stay); every listed
// picture's triple read, what the run would write for it checked (output_check.h)
// and its headers read, the first that fails ending the run with ListedPictureError
// (picture_check.h) before anything is written; the temporary
// files a killed run left in the folders the run writes into removed; the QRV list
// line when it is on; the pages of the layout (none without one); the reduced and
// the main images (image_steps.h); the background picture copied into src_files
// unless a file of its name is there; the status panels
// emptied and, outside a batch, "終了しました".
//
// A page, list file or image that cannot be written, or a picture that cannot be
// decoded, ends the run with the AppError thrown to the caller: what was written
// stays, the status panels keep their texts and no end message is shown. A stop
// the user asks for ends the run between pictures the same way, with RunStopped.
//
// The run keeps the output folder's record (output_record.h, run_record.h): a
// run that reaches its end records what it wrote and removes the files of the
// previous record it no longer makes (each shown by ShowRemovedFile), before the
// end message; a run that ends early removes nothing and records the previous
// files and those it wrote.
#pragma once

#include <string>

#include "gallery/batch_state.h"
#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// Returns whether the run reached its end. `navigation_images_folder` holds the
// frame layout's four button images.
bool GenerateGallery(const LiveSettings& settings, const ImageFileList& list, UiServices& ui,
                     BatchState& batch, const std::string& navigation_images_folder);

}  // namespace montrelle
