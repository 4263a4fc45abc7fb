// The album page of a batch run: at the top of the batch's output folder, one
// cover per gallery (its first picture's reduced image), the folder's name and its
// number of pictures, each linking to the gallery's entry page.
//
// With the responsive layout the page is UTF-8 in that layout's style; otherwise
// it is Shift-JIS in the table layout's look. Names are HTML-escaped and links
// percent-encoded in both, so any folder name reaches its gallery. The colours are
// the galleries'; a background picture is not shown, as it lies in each gallery.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "settings/settings_record.h"

namespace montrelle {

struct AlbumGallery {
  std::string folder;                // its name under the batch's output folder
  std::string entry_page;            // relative to the batch's output folder
  std::optional<std::string> cover;  // likewise; none when no reduced image is made
  int pictures = 0;
  // The cover at twice and three times its width, as far as the gallery has them.
  std::vector<std::string> sharper_covers;
};

// `context` is a gallery's of the batch, for the colours, `title` the album's.
std::vector<std::string> ResponsiveAlbumLines(const GenerationContext& context,
                                              const std::string& title,
                                              const std::vector<AlbumGallery>& galleries);
PageLines TableAlbumLines(const GenerationContext& context, const LiveSettings& settings,
                          const std::string& title, const std::vector<AlbumGallery>& galleries);

// Writes the album into `root` as index.html, or as album.html when an index.html
// is there that the record of `root` does not name (one the user made), and notes
// the page in that record. Returns the name written.
std::string WriteAlbum(const std::string& root, const GenerationContext& context,
                       const LiveSettings& settings, const std::vector<AlbumGallery>& galleries);

}  // namespace montrelle
