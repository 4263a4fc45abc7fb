// Reading what a run wrote: pages as lines, folders as trees, for whole comparisons.
#pragma once

#include <string>
#include <vector>

#include "platform/text_file.h"

namespace montrelle::testing {

// The file's lines, decoded from CP932, split at CR LF. Bytes after the last
// CR LF come back as one more line prefixed "<no CR LF>"; a lone CR or LF stays in
// its line, so a wrong line end shows as a difference.
std::vector<std::string> FileLines(const std::string& path);

// Every entry under `folder`, relative to it, folders with a final "/", each folder
// followed by its content, in name order.
std::vector<std::string> FolderTree(const std::string& folder);

// FolderTree with every picture file described by its kind and stored size, as
// "images/a.jpg JPEG 550x412" or "small_images/b.bmp BMP 80x60"; a file that
// starts like a picture but does not decode shows its error, an empty file
// "(empty)".
std::vector<std::string> PictureTree(const std::string& folder);

// FolderTree with every file followed by its inode, its modification time in
// nanoseconds and its bytes: a file replaced by an equal one shows too.
std::vector<std::string> FilesAsTheyAre(const std::string& folder);

// The texts of built page lines.
std::vector<std::string> Texts(const std::vector<TextLine>& lines);

}  // namespace montrelle::testing
