#include "gallery/responsive_pages.h"

#include "gallery/html_text.h"
#include "gallery/page_file.h"
#include "gallery/page_rules.h"
#include "gallery/run_status.h"
#include "imaging/row_sampler.h"
#include "imaging/scaling.h"
#include "platform/file_system.h"

namespace montrelle {
namespace {

using Lines = std::vector<std::string>;

// Keys with a modifier stay the browser's own (Alt+Left goes back).
constexpr const char* kArrowKeyScript[] = {
    "<script>",
    "document.addEventListener(\"keydown\", function (e) {",
    "  if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;",
    "  var id = {ArrowLeft: \"prev\", ArrowRight: \"next\", ArrowUp: \"up\"}[e.key];",
    "  var link = id && document.getElementById(id);",
    "  if (link) location.href = link.href;",
    "});",
    "</script>",
};

// The same rules serve both pages. The picture keeps its proportions within the
// width and the height left beside the links and the lines under it.
Lines HeadLines(const GenerationContext& context, const LiveSettings& settings,
                const std::string& title, PageFolder page) {
  const std::string background =
      settings.bgishow ? "url(\"" + std::string(page == PageFolder::kSrcFiles ? "" : "src_files/") +
                             PercentEncoded(context.bg_name) + "\")"
                       : context.bg_color_text;
  return {
      "<!DOCTYPE html>",
      "<html lang=\"ja\">",
      "<head>",
      "<meta charset=\"utf-8\">",
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
      "<title>" + HtmlEscaped(title) + "</title>",
      "<style>",
      "body{margin:0;padding:8px;background:" + background +
          ";color:#111111;font-family:sans-serif;text-align:center}",
      "a:link{color:" + context.link_color_text + "}",
      "a:visited{color:" + context.vlink_color_text + "}",
      "a:active{color:#00ffff}",
      "h1{margin:8px 0 16px;font-size:1.5em;overflow-wrap:anywhere}",
      "p{margin:4px 0;overflow-wrap:anywhere}",
      ".grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(min(" +
          std::to_string(context.small_width) +
          "px,100%),1fr));gap:8px;margin:0;padding:0;list-style:none}",
      ".grid img{max-width:100%;height:auto;vertical-align:top}",
      "nav{display:flex;justify-content:space-between;margin-bottom:8px}",
      "nav span{visibility:hidden}",
      "figure{margin:0}",
      ".picture{max-width:100%;height:auto;max-height:calc(100vh - 120px);object-fit:contain}",
      "</style>",
      "</head>",
      "<body>",
  };
}

// width="…" height="…" of a picture made at `width`; nothing for an unknown size.
std::string SizeAttributes(const std::optional<ImageSize>& oriented, int width) {
  if (!oriented) return "";
  const ImageSize made = ScaledSize(*oriented, width);
  return " width=\"" + std::to_string(made.width) + "\" height=\"" + std::to_string(made.height) +
         "\"";
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

// A link to a neighbour's page, or a hidden place holder at either end, so the
// entry link keeps its place.
std::string NeighbourLink(const GenerationContext& context, const ImageFileList& list, int i,
                          const char* id, const char* text) {
  if (i < 0 || i >= list.count()) return "<span>" + std::string(text) + "</span>";
  return "<a id=\"" + std::string(id) + "\" href=\"" + PercentEncoded(PageName(context, i)) +
         "\">" + text + "</a>";
}

void AddLines(Lines& lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

}  // namespace

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
    std::string item = "<li><a href=\"src_files/" + PercentEncoded(PageName(context, i)) +
                       "\"><img src=\"small_images/" + PercentEncoded(name) + "\"" +
                       SizeAttributes(sizes.at(i), context.small_width) + " alt=\"" +
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
                  NeighbourLink(context, list, i + 1, "next", "次へ →") + "</nav>");
  lines.push_back("<figure>");
  lines.push_back("<img class=\"picture\" src=\"../images/" + PercentEncoded(name) + "\"" +
                  SizeAttributes(sizes.at(i), context.main_width) + " alt=\"" +
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
  lines.insert(lines.end(), std::begin(kArrowKeyScript), std::end(kArrowKeyScript));
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
