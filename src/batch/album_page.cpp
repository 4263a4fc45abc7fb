#include "batch/album_page.h"

#include <algorithm>

#include "gallery/html_text.h"
#include "gallery/output_record.h"
#include "gallery/page_rules.h"
#include "gallery/responsive_pages.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {
namespace {

std::string CountText(int pictures) {
  return std::to_string(pictures) + "枚";
}

// srcset="…" of a cover's sharper files, the k-th for a screen of k + 2 pixels
// to the CSS pixel; nothing without them.
std::string DensitySet(const std::vector<std::string>& sharper) {
  if (sharper.empty()) return "";
  std::string set;
  for (size_t k = 0; k < sharper.size(); ++k) {
    set += (k ? ", " : "") + PercentEncoded(sharper[k]) + " " + std::to_string(k + 2) + "x";
  }
  return " srcset=\"" + set + "\"";
}

}  // namespace

std::vector<std::string> ResponsiveAlbumLines(const GenerationContext& context,
                                              const std::string& title,
                                              const std::vector<AlbumGallery>& galleries) {
  std::vector<std::string> lines = ResponsiveHeadOpening(context, title, context.bg_color_text);
  lines.insert(lines.end(),
               {
                   ".grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(min(" +
                       std::to_string(context.small_width) +
                       "px,100%),1fr));gap:8px;margin:0;padding:0;list-style:none}",
                   ".grid img{max-width:100%;height:auto;vertical-align:top}",
                   "</style>",
                   "</head>",
                   "<body>",
                   "<h1>" + HtmlEscaped(title) + "</h1>",
                   "<ul class=\"grid\">",
               });
  for (const AlbumGallery& gallery : galleries) {
    const std::string name = HtmlEscaped(gallery.folder);
    std::string item = "<li><a href=\"" + PercentEncoded(gallery.entry_page) + "\">";
    item += gallery.cover
                ? "<img src=\"" + PercentEncoded(*gallery.cover) + "\"" +
                      DensitySet(gallery.sharper_covers) + " alt=\"" + name + "\" loading=\"lazy\">"
                : name;
    lines.push_back(item + "</a><p>" + name + "</p><p>" + CountText(gallery.pictures) +
                    "</p></li>");
  }
  lines.insert(lines.end(), {"</ul>", "</body>", "</html>"});
  return lines;
}

PageLines TableAlbumLines(const GenerationContext& context, const LiveSettings& settings,
                          const std::string& title, const std::vector<AlbumGallery>& galleries) {
  GenerationContext album = context;
  album.title = title;
  LiveSettings colours = settings;
  colours.bgishow = false;
  PageLines lines = PageOpeningLines(album, colours, PageFolder::kOutDir);
  lines.push_back(FreeLine("<BR>"));
  lines.push_back(FreeLine(""));
  // The table layout's own border and columns; other layouts have none of theirs.
  const bool table = settings.layout == OutputLayout::kTable;
  lines.push_back(FreeLine("<TABLE BORDER=\"" + (table ? context.border_text : "0") + "\">"));
  const size_t columns = table ? static_cast<size_t>(std::max(context.columns, 1)) : 4;
  for (size_t i = 0; i < galleries.size(); ++i) {
    if (i % columns == 0) lines.push_back(FreeLine("<TR>"));
    const AlbumGallery& gallery = galleries[i];
    const std::string name = HtmlEscaped(gallery.folder);
    const std::string link =
        gallery.cover ? "<IMG SRC=\"" + PercentEncoded(*gallery.cover) + "\" ALT=\"" + name + "\">"
                      : name;
    lines.push_back(FreeLine("<TD>"));
    lines.push_back(FreeLine("<A HREF=\"" + PercentEncoded(gallery.entry_page) + "\">" + link +
                             "</A><BR>" + name + "<BR>" + CountText(gallery.pictures)));
    lines.push_back(FreeLine("</TD>"));
    if (i % columns == columns - 1 || i + 1 == galleries.size()) {
      lines.push_back(FreeLine("</TR>"));
    }
  }
  for (const char* end : {"</TABLE>", "</CENTER>", "", "", "</BODY>", "</HTML>"}) {
    lines.push_back(FreeLine(end));
  }
  return lines;
}

std::string WriteAlbum(const std::string& root, const GenerationContext& context,
                       const LiveSettings& settings, const std::vector<AlbumGallery>& galleries) {
  const bool index_free = !LookUpEntry(root + "/index.html") || RecordNamesFile(root, "index.html");
  const std::string name = index_free ? "index.html" : "album.html";
  const std::string title = settings.title.empty() ? LastComponent(root) : settings.title;
  // Written outside any gallery's run, so noted in the root's record here.
  GenerationContext page_context = context;
  page_context.record = nullptr;
  if (IsResponsive(settings)) {
    WriteUtf8Page(page_context, root + "/" + name, ResponsiveAlbumLines(context, title, galleries));
  } else {
    WritePage(page_context, root + "/" + name,
              TableAlbumLines(context, settings, title, galleries));
  }
  OutputRecord record = ReadOutputRecord(root);
  if (record.state != OutputRecord::State::kDamaged) {
    record.files[name] = std::nullopt;
    WriteOutputRecord(root, record.files);
  }
  return name;
}

}  // namespace montrelle
