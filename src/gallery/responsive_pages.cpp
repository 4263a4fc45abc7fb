#include "gallery/responsive_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gallery/html_text.h"
#include "gallery/page_file.h"
#include "gallery/page_rules.h"
#include "gallery/readable_colors.h"
#include "gallery/responsive_sizes.h"
#include "gallery/run_status.h"
#include "imaging/area_reduction.h"
#include "imaging/row_sampler.h"
#include "imaging/scaling.h"
#include "platform/file_system.h"

namespace montrelle {
namespace {

using Lines = std::vector<std::string>;

// The arrow keys and sideways swipes follow the links; keys with a modifier stay
// the browser's own (Alt+Left goes back). A swipe is a touch or pen stroke of at
// least 50 pixels, more than twice as far sideways as up or down; scrolling and
// pinch zoom stay the browser's, and on a page zoomed in a stroke pans it. The
// next picture, at the size its page will pick, is fetched once this one is shown.
constexpr const char* kViewerScript[] = {
    "<script>",
    "(function () {",
    "  function go(id) {",
    "    var link = document.getElementById(id);",
    "    if (link) location.href = link.href;",
    "  }",
    "  document.addEventListener(\"keydown\", function (e) {",
    "    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;",
    "    var id = {ArrowLeft: \"prev\", ArrowRight: \"next\", ArrowUp: \"up\"}[e.key];",
    "    if (id) go(id);",
    "  });",
    "  var root = document.documentElement, start = null;",
    "  function zoomed() { return window.visualViewport && visualViewport.scale > 1.01; }",
    "  function claim() { root.style.touchAction = zoomed() ? \"auto\" : \"pan-y pinch-zoom\"; }",
    "  claim();",
    "  if (window.visualViewport) visualViewport.addEventListener(\"resize\", claim);",
    "  document.addEventListener(\"pointerdown\", function (e) {",
    "    var stroke = e.pointerType === \"touch\" || e.pointerType === \"pen\";",
    "    start = stroke && e.isPrimary && !zoomed() ? e : null;",
    "  });",
    "  document.addEventListener(\"pointercancel\", function () { start = null; });",
    "  document.addEventListener(\"pointerup\", function (e) {",
    "    if (!start || e.pointerId !== start.pointerId) return;",
    "    var dx = e.clientX - start.clientX, dy = e.clientY - start.clientY;",
    "    start = null;",
    ("    if (Math.abs(dx) >= 50 && Math.abs(dx) > 2 * Math.abs(dy)) go(dx < 0 ? \"next\" : "
     "\"prev\");"),
    "  });",
    "  addEventListener(\"load\", function () {",
    "    var next = document.getElementById(\"next\");",
    "    if (!next) return;",
    "    var picture = new Image();",
    "    picture.sizes = next.dataset.sizes || \"\";",
    "    picture.srcset = next.dataset.srcset || \"\";",
    "    picture.src = next.dataset.src;",
    "  });",
    "})();",
    "</script>",
};

// The same rules serve both pages. The picture keeps its proportions within the
// width and the height left beside the links and the lines under it. The grid's
// cells are squares of the reduced image width showing the middle of each
// thumbnail, so that every row is as high as the next; a grid of fewer pictures
// than a row holds stands in the middle, as the title does. Texts and links keep a
// readable contrast on the background colour.
Lines HeadLines(const GenerationContext& context, const LiveSettings& settings,
                const std::string& title, PageFolder page) {
  const std::string background =
      settings.bgishow ? "url(\"" + std::string(page == PageFolder::kSrcFiles ? "" : "src_files/") +
                             PercentEncoded(context.bg_name) + "\")"
                       : context.bg_color_text;
  Lines lines = ResponsiveHeadOpening(context, title, background);
  lines.insert(
      lines.end(),
      {
          ".grid{display:grid;grid-template-columns:repeat(auto-fit,min(" +
              std::to_string(context.small_width) +
              "px,100%));justify-content:center;gap:8px;margin:0;padding:0;list-style:none}",
          ".grid img{display:block;width:100%;height:auto;aspect-ratio:1;object-fit:cover}",
          "nav{display:flex;justify-content:space-between;margin-bottom:8px}",
          "nav span{visibility:hidden}",
          "figure{margin:0}",
          ".picture{max-width:100%;height:auto;max-height:calc(100vh - 120px);object-fit:contain}",
          "</style>",
          "</head>",
          "<body>",
      });
  return lines;
}

// Whether the picture is offered at several sizes: what the image steps average
// (a JPEG or a library's kind) of a known size.
bool HasSizes(const GenerationContext& context, const OrientedSizes& sizes, int i) {
  const PictureKinds& kinds = context.entries.at(static_cast<size_t>(i)).kinds;
  return (kinds.jpeg || kinds.library) && sizes.at(static_cast<size_t>(i));
}

// The size of the file the page names in src: made at `width`, or at the
// picture's own width when it has sizes and is narrower.
std::optional<ImageSize> ShownSize(const GenerationContext& context, const OrientedSizes& sizes,
                                   int i, int width) {
  const std::optional<ImageSize>& oriented = sizes.at(static_cast<size_t>(i));
  if (!oriented) return std::nullopt;
  if (HasSizes(context, sizes, i)) width = std::min(width, oriented->width);
  return ScaledSize(*oriented, width);
}

// width="…" height="…" of the picture made at `width`; nothing for an unknown size.
std::string SizeAttributes(const GenerationContext& context, const OrientedSizes& sizes, int i,
                           int width) {
  const std::optional<ImageSize> made = ShownSize(context, sizes, i, width);
  if (!made) return "";
  return " width=\"" + std::to_string(made->width) + "\" height=\"" + std::to_string(made->height) +
         "\"";
}

// The files of every size offered, "url 200w, …", each in `folder` and the
// sub-folder of its size; empty for a picture without sizes or with one only.
std::string SourceSet(const GenerationContext& context, const OrientedSizes& sizes, int i,
                      const std::string& folder, const WidthSet& widths,
                      const std::array<const char*, 3>& sub_folders) {
  if (!HasSizes(context, sizes, i)) return "";
  const std::string name = PercentEncoded(context.entries.at(static_cast<size_t>(i)).image_name);
  const std::vector<std::optional<std::int32_t>> offered =
      OfferedWidths(sizes.at(static_cast<size_t>(i))->width, widths);
  if (std::count(offered.begin(), offered.end(), std::nullopt) + 1 >=
      static_cast<std::ptrdiff_t>(offered.size())) {
    return "";
  }
  std::string set;
  for (std::size_t k = 0; k < offered.size(); ++k) {
    if (!offered[k]) continue;
    if (!set.empty()) set += ", ";
    set += folder + sub_folders[k] + name + " " + std::to_string(*offered[k]) + "w";
  }
  return set;
}

// A square cell `cell` pixels wide draws the thumbnail to cover it: a wide one is
// drawn wider than the cell, by its proportions.
std::string ThumbnailDrawnWidth(const OrientedSizes& sizes, int i, int cell) {
  const ImageSize size = *sizes.at(static_cast<size_t>(i));
  const double wider = size.height > 0 ? std::max(1.0, double(size.width) / size.height) : 1.0;
  return std::to_string(static_cast<long long>(std::ceil(cell * wider))) + "px";
}

// The main picture is drawn at most at its width, and within the page's width
// inside its 8-pixel margins.
std::string PictureDrawnWidth(const GenerationContext& context, const OrientedSizes& sizes, int i) {
  const int width = ShownSize(context, sizes, i, context.main_width)->width;
  return "(max-width: " + std::to_string(width + 16) + "px) calc(100vw - 16px), " +
         std::to_string(width) + "px";
}

// srcset="…" sizes="…" of a picture with sizes; `attribute` names them
// ("data-" on a link to the next page).
std::string SourceSetAttributes(const std::string& set, const std::string& drawn,
                                const std::string& attribute = "") {
  if (set.empty()) return "";
  return " " + attribute + "srcset=\"" + set + "\" " + attribute + "sizes=\"" + drawn + "\"";
}

std::string MainImageSources(const GenerationContext& context, const OrientedSizes& sizes, int i,
                             const std::string& attribute = "") {
  return SourceSetAttributes(
      SourceSet(context, sizes, i, "../images/", MainImageWidths(context), kMainImageFolders),
      HasSizes(context, sizes, i) ? PictureDrawnWidth(context, sizes, i) : "", attribute);
}

std::string AltText(const ImageFileList& list, int i, const std::string& name) {
  const std::string& comment = list.comments().at(i);
  return HtmlEscaped(comment.empty() ? name : comment);
}

std::string PictureName(const GenerationContext& context, const ImageFileList& list,
                        const LiveSettings& settings, int i) {
  return PageImageName(context, list, settings, i, NameTest::kPlain);
}

std::string PageName(const GenerationContext& context, int i) {
  return context.entries.at(static_cast<size_t>(i)).page_name;
}

// data-src="…" and the data-srcset="…" data-sizes="…" of picture i's main image,
// for the page before it to fetch ahead; nothing after the last picture.
std::string NextPictureAttributes(const GenerationContext& context, const ImageFileList& list,
                                  const LiveSettings& settings, const OrientedSizes& sizes, int i) {
  if (i >= list.count()) return "";
  return " data-src=\"../images/" + PercentEncoded(PictureName(context, list, settings, i)) + "\"" +
         MainImageSources(context, sizes, i, "data-");
}

// A link to a neighbour's page, or a hidden place holder at either end, so the
// entry link keeps its place; `more` is added to the link's attributes.
std::string NeighbourLink(const GenerationContext& context, const ImageFileList& list, int i,
                          const char* id, const char* text, const std::string& more = "") {
  if (i < 0 || i >= list.count()) return "<span>" + std::string(text) + "</span>";
  return "<a id=\"" + std::string(id) + "\" href=\"" + PercentEncoded(PageName(context, i)) + "\"" +
         more + ">" + text + "</a>";
}

void AddLines(Lines& lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

}  // namespace

std::vector<std::string> ResponsiveHeadOpening(const GenerationContext& context,
                                               const std::string& title,
                                               const std::string& background) {
  const auto readable = [&](const std::string& color) {
    return ReadableColor(color, context.bg_color_text);
  };
  return {
      "<!DOCTYPE html>",
      "<html lang=\"ja\">",
      "<head>",
      "<meta charset=\"utf-8\">",
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
      "<title>" + HtmlEscaped(title) + "</title>",
      "<style>",
      "body{margin:0;padding:8px;background:" + background + ";color:" + readable("#111111") +
          ";font-family:sans-serif;text-align:center}",
      "a:link{color:" + readable(context.link_color_text) + "}",
      "a:visited{color:" + readable(context.vlink_color_text) + "}",
      "a:active{color:" + readable("#00FFFF") + "}",
      "h1{margin:8px 0 16px;font-size:1.5em;overflow-wrap:anywhere}",
      "p{margin:4px 0;overflow-wrap:anywhere}",
  };
}

OrientedSizes TurnedSizes(const GenerationContext& context, const PictureSizes& stored) {
  OrientedSizes sizes;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const std::optional<ImageSize>& size = stored[i];
    sizes.push_back(size ? std::optional(OrientedSize(*size, context.entries.at(i).orientation))
                         : std::nullopt);
  }
  return sizes;
}

Lines ResponsiveEntryLines(const GenerationContext& context, const ImageFileList& list,
                           const LiveSettings& settings, const OrientedSizes& sizes) {
  Lines lines = HeadLines(context, settings, context.title, PageFolder::kOutDir);
  lines.push_back("<h1>" + HtmlEscaped(context.title) + "</h1>");
  lines.push_back("<ul class=\"grid\">");
  for (int i = 0; i < list.count(); ++i) {
    const std::string name = PictureName(context, list, settings, i);
    const std::string set =
        SourceSet(context, sizes, i, "small_images/", ThumbnailWidths(context), kThumbnailFolders);
    std::string item =
        "<li><a href=\"src_files/" + PercentEncoded(PageName(context, i)) +
        "\"><img src=\"small_images/" + PercentEncoded(name) + "\"" +
        SourceSetAttributes(set,
                            set.empty() ? "" : ThumbnailDrawnWidth(sizes, i, context.small_width)) +
        SizeAttributes(context, sizes, i, context.small_width) + " alt=\"" +
        AltText(list, i, name) + "\" loading=\"lazy\"></a>";
    if (settings.fnoutput) item += "<p>" + HtmlEscaped(name) + "</p>";
    lines.push_back(item + "</li>");
  }
  AddLines(lines, {"</ul>", "</body>", "</html>"});
  return lines;
}

Lines ResponsivePictureLines(const GenerationContext& context, const ImageFileList& list,
                             const LiveSettings& settings, const OrientedSizes& sizes, int i) {
  const std::string name = PictureName(context, list, settings, i);
  Lines lines =
      HeadLines(context, settings,
                context.title + " " + std::to_string(i + 1) + "/" + std::to_string(list.count()),
                PageFolder::kSrcFiles);
  lines.push_back("<nav>" + NeighbourLink(context, list, i - 1, "prev", "← 前へ") +
                  "<a id=\"up\" href=\"../" + PercentEncoded(context.page_file) + "\">一覧</a>" +
                  NeighbourLink(context, list, i + 1, "next", "次へ →",
                                NextPictureAttributes(context, list, settings, sizes, i + 1)) +
                  "</nav>");
  lines.push_back("<figure>");
  lines.push_back("<img class=\"picture\" src=\"../images/" + PercentEncoded(name) + "\"" +
                  MainImageSources(context, sizes, i) +
                  SizeAttributes(context, sizes, i, context.main_width) + " alt=\"" +
                  AltText(list, i, name) + "\">");
  const std::string& comment = list.comments().at(i);
  Lines caption;
  if (settings.comment_out && !comment.empty())
    caption.push_back("<p>" + HtmlEscaped(comment) + "</p>");
  if (settings.fnoutput) caption.push_back("<p>" + HtmlEscaped(name) + "</p>");
  if (!caption.empty()) {
    lines.push_back("<figcaption>");
    AddLines(lines, caption);
    lines.push_back("</figcaption>");
  }
  lines.push_back("</figure>");
  if (i + 1 < list.count()) {
    lines.push_back("<link rel=\"prefetch\" href=\"" + PercentEncoded(PageName(context, i + 1)) +
                    "\">");
  }
  lines.insert(lines.end(), std::begin(kViewerScript), std::end(kViewerScript));
  AddLines(lines, {"</body>", "</html>"});
  return lines;
}

void WriteResponsivePages(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, const PictureSizes& stored,
                          UiServices& ui) {
  const OrientedSizes sizes = TurnedSizes(context, stored);
  WriteUtf8Page(context, context.out_dir + "/" + context.page_file,
                ResponsiveEntryLines(context, list, settings, sizes));
  EnsureFolder(context.SrcFilesFolder());
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    WriteUtf8Page(context, context.SrcFilesFolder() + "/" + PageName(context, i),
                  ResponsivePictureLines(context, list, settings, sizes, i));
  }
}

}  // namespace montrelle
