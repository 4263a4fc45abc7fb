// The list file: an image list kept between runs.
//
// For N entries (N >= 1) it has 3N + 1 lines: the N paths, one empty line, the N
// comments, the N orientation triples; CP932, CR LF after every line.
#pragma once

#include <functional>
#include <string>

#include "imagelist/image_list.h"
#include "platform/ui_services.h"

namespace montrelle {

// The name a list is saved under: the extension of the chosen name replaced by
// ".txt", or ".txt" appended when it has none.
std::string ListFileName(const std::string& chosen);

// The file's bytes for a non-empty list. Throws when a path or comment cannot be
// written in CP932, naming `file` and the character.
std::string ListFileBytes(const ImageFileList& list, const std::string& file);

// Whether the list has entries to save; for an empty list shows
// "保存すべき画像ファイルリストがありません".
bool HasEntriesToSave(const ImageFileList& list, UiServices& ui);

// Saves the list as `path`, when HasEntriesToSave; the old file stays whole when the
// write fails (AppError). Returns whether a file was written.
bool SaveListFile(const ImageFileList& list, const std::string& path, UiServices& ui);

// The triple a picture of the list file starts with when the file gives it none.
using MissingOrientation = std::function<std::string(const std::string& picture)>;

// Replaces the list by the file's content. The list is emptied before the file is
// opened, so a file that cannot be read leaves it empty (AppError). A triple the
// file holds is kept as it stands; a missing one comes from `missing`, or is
// "0<TAB>0<TAB>0" without it.
void LoadListFile(ImageFileList& list, const std::string& path,
                  const MissingOrientation& missing = nullptr);

}  // namespace montrelle
