// Rules every page writer shares: how a page names an image, where it finds the
// image's folder, and its body line.
#pragma once

#include <string>
#include <string_view>

#include "gallery/generation_context.h"
#include "gallery/page_file.h"
#include "imagelist/image_list.h"
#include "imagelist/picture_kind.h"
#include "settings/settings_record.h"

namespace montrelle {

// The line after a page's "<HEAD>" (after "<HTML>" on the pull-down page, which has
// no head) that names the page's code page. Without it, a browser set to another
// language than Japanese guesses windows-1252 for a page with little Japanese text,
// garbling the title and every link to a Japanese file name.
inline constexpr const char* kCodePageMeta =
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";

// Where a page lies: in src_files (image and menu pages) or in the output folder
// itself (the table and pull-down pages).
enum class PageFolder { kSrcFiles, kOutDir };

// Which names count as bitmaps when they are renamed to ".jpg": the plain test finds
// "bmp" or "BMP" anywhere in the name, the dotted one ".bmp" or ".BMP".
enum class NameTest { kPlain, kDotted };

// The file name under which pages and the QRV list refer to the image at `path` of
// `kinds`: its last component, with the extension replaced by ".jpg" when
// `jpegconvert` is on and the name passes the case-sensitive substring test, and
// always for the library kinds, which are published as JPEG.
std::string PageImageName(const std::string& path, const PictureKinds& kinds, bool jpegconvert,
                          NameTest test);

// The same for list entry i (0-based) of the run.
std::string PageImageName(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, int i, NameTest test);

// A file name or relative path as it goes into a link (SRC, HREF, BACKGROUND, the
// pull-down script). A file may be named with characters that would end the link
// or change what it points at ("%", "#", "?", "\"", "&", "\\"); those are written
// as "%25", "%23", "%3F", "%22", "%26" and "%5C". Everything else stays as it is,
// blanks and Japanese included, so the links of ordinary names are unchanged.
std::string LinkText(std::string_view path);

// The name of an image's own page: its last component with the extension ".htm".
std::string ImagePageName(const std::string& path);

// The link from a thumbnail cell (frame menu or table) to the image's own page: the
// reduced picture when `simake` is on (its file name below it with `fnoutput`),
// otherwise `text_lead` followed by the file name with `fnoutput`, or by
// "Image:" and the 1-based number without it.
std::string ThumbnailLink(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, int idx, PageFolder page,
                          std::string_view text_lead);

// The folder part of an image reference: the copies folder ("../images/" seen from
// src_files, "./images/" from the output folder) when the run uses copies,
// otherwise the relative URL from the page's folder to the image's folder.
std::string ImageFolderPrefix(const GenerationContext& context, const std::string& path,
                              PageFolder page);

// The <body> line: the background colour, or with the background picture shown, its
// copy in src_files (by its bare name from src_files, "./src_files/" from the output
// folder).
std::string BodyLine(const GenerationContext& context, const LiveSettings& settings,
                     PageFolder page);

// The opening of the image, menu and table pages: the head with the title, the body
// line and "<CENTER>".
PageLines PageOpeningLines(const GenerationContext& context, const LiveSettings& settings,
                           PageFolder page);

}  // namespace montrelle
