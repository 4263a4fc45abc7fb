// The values a make run derives once from the settings and the list, before it
// writes anything; every page writer and image step reads them, none changes them.
#pragma once

#include <string>
#include <vector>

#include "gallery/listed_entry.h"
#include "imagelist/image_list.h"
#include "settings/settings_record.h"

namespace montrelle {

class RunRecord;

struct GenerationContext {
  std::string out_dir;      // the output folder exactly as entered
  std::string page_file;    // the output name with its extension replaced by ".html"
  std::string page_base;    // the output name's last component without extension
  std::string title;        // the title, or page_base when the title is empty
  int small_width = 0;      // reduced image width, for every layout (responsive: at least 1)
  int main_width = 0;       // the layout's main image width; 0 without a layout
                            // (responsive layout: at least 1)
  int per_page = 0;         // frame layout: images per menu page, 1 to 1000000
  int columns = 0;          // table layout: images per row, at least 1
  std::string border_text;  // table layout: the border width as typed
  std::string bg_color_text, link_color_text, vlink_color_text;  // "#RRGGBB"
  std::string bg_name;               // the background picture's file name when it is shown
  bool any_oriented = false;         // some image is mirrored, flipped or rotated
  bool uses_image_copies = false;    // pages show the copies in "images" (always responsive,
                                     // always for a picture a library reads)
  std::vector<ListedEntry> entries;  // item i for list entry i
  // What the run writes, noted for the output folder's record; none where a step
  // or page is made on its own.
  RunRecord* record = nullptr;

  // The folder of the image pages, menu pages, navigation images and background copy.
  std::string SrcFilesFolder() const { return out_dir + "/src_files"; }
};

// The responsive layout always shows reduced images and main images re-made at
// its own width, whatever the image flags say.
inline bool IsResponsive(const LiveSettings& settings) {
  return settings.layout == OutputLayout::kResponsive;
}

// Derives the context. Throws AppError when a number the layout needs is not a
// whole decimal number (leading blanks allowed), or when the images per menu page
// (frame) or per row (table) is below 1, since both divide the image count, or
// when a responsive gallery's picture or thumbnail width is below 1. Throws
// ListedPictureError (picture_check.h) for the first entry whose triple is no turn.
GenerationContext DeriveGenerationContext(const LiveSettings& settings, const ImageFileList& list);

// "#RRGGBB" of a colour value 00BBGGRR, digits in upper case. A value needing more
// than six hexadecimal digits keeps the rule's character positions, so its
// highest digits take the place of the blue pair.
std::string HtmlColorText(ColorValue color);

}  // namespace montrelle
