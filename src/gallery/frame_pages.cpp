#include "gallery/frame_pages.h"

#include "gallery/image_page.h"
#include "gallery/page_rules.h"
#include "gallery/run_record.h"
#include "gallery/run_status.h"
#include "platform/file_system.h"

namespace montrelle {
namespace {

std::string MenuPageName(const GenerationContext& context, long long k) {
  return context.page_base + "_menu" + std::to_string(k) + ".htm";
}

// A navigation button: a link to menu page `k` shown as `image`.
std::string NavigationCell(const GenerationContext& context, long long k, const char* image) {
  return "<td><A HREF=\"./" + LinkText(MenuPageName(context, k)) + "\" TARGET=\"sub\"><img src=\"" +
         image + "\" width=\"30\" border=\"0\"></A></td>";
}

// Entry i's row on its menu page.
TextLine MenuLine(const GenerationContext& context, const ImageFileList& list,
                  const LiveSettings& settings, int i) {
  return PathLine(ThumbnailLink(context, list, settings, i, PageFolder::kSrcFiles, "<BR>"));
}

void CopyNavigationImages(const GenerationContext& context, const std::string& from_folder,
                          const std::string& to_folder) {
  for (const char* file : {"next.gif", "previous.gif", "top.gif", "last.gif"}) {
    const std::string to = to_folder + "/" + file;
    // One that cannot be copied again is still the gallery's, as the pages use it.
    CopyFileTo(from_folder + "/" + file, to, false);
    if (FileExists(to)) NoteWrite(context, to);
  }
}

}  // namespace

int MenuPageCount(int count, int per_page) {
  return (count - 1) / per_page + 1;
}

PageLines FrameEntryPageLines(const GenerationContext& context) {
  const long long frame_width = static_cast<long long>(context.small_width) + 50;
  return {
      FreeLine("<HTML>"),
      FreeLine("<HEAD>"),
      FreeLine(kCodePageMeta),
      FreeLine(""),
      FreeLine("<TITLE>"),
      FreeLine(context.title),
      FreeLine("</TITLE>"),
      FreeLine(""),
      FreeLine("</HEAD>"),
      FreeLine("<FRAMESET COLS=\"" + std::to_string(frame_width) +
               ",*\" BORDER=\"0\" FRAMEBORDER=\"no\" FRAMESPACING=\"0\">"),
      PathLine("<FRAME src=\"./src_files/" + LinkText(MenuPageName(context, 1)) +
               "\" name=\"sub\">"),
      PathLine("<FRAME src=\"./src_files/" + LinkText(context.entries.at(0).page_name) +
               "\" name=\"main\">"),
      FreeLine("</FRAMESET>"),
      FreeLine(""),
      FreeLine("</HTML>"),
  };
}

PageLines MenuPageLines(const GenerationContext& context, const ImageFileList& list,
                        const LiveSettings& settings, int k) {
  const int pages = MenuPageCount(list.count(), context.per_page);
  PageLines lines = PageOpeningLines(context, settings, PageFolder::kSrcFiles);
  for (const char* line : {"<BR>", "", "<TABLE BORDER=0\"\">"}) lines.push_back(FreeLine(line));
  // 64-bit: a huge per_page must not overflow the slot numbers.
  const long long first = static_cast<long long>(k - 1) * context.per_page;
  for (long long idx = first; idx < first + context.per_page; ++idx) {
    lines.push_back(FreeLine("<TR>"));
    if (idx >= list.count()) continue;
    const int i = static_cast<int>(idx);
    lines.push_back(MenuLine(context, list, settings, i));
    lines.push_back(FreeLine("</TR>"));
  }
  lines.push_back(PathLine("<tr>" + NavigationCell(context, 1, "top.gif")));
  lines.push_back(PathLine(NavigationCell(context, pages, "last.gif") + "</tr>"));
  if (k > 1) lines.push_back(PathLine("<tr>" + NavigationCell(context, k - 1, "previous.gif")));
  if (k < pages) {
    // On the first page there is no previous button, so next moves to the second column.
    lines.push_back(PathLine(std::string(k == 1 ? "<td>" : "") +
                             NavigationCell(context, k + 1, "next.gif") + "</tr>"));
  }
  lines.push_back(FreeLine("</TABLE><BR>"));
  lines.push_back(FreeLine("(List:" + std::to_string(k) + "/" + std::to_string(pages) + ")"));
  for (const char* end : {"</CENTER>", "", "", "</BODY>", "</HTML>"}) {
    lines.push_back(FreeLine(end));
  }
  return lines;
}

std::vector<PageText> FrameEntryTexts(const GenerationContext& context, const ImageFileList& list,
                                      const LiveSettings& settings, int i) {
  const std::string src_files = context.SrcFilesFolder();
  return {
      {ImagePageFile(context, i), ImagePageLines(context, list, settings, i, NameTest::kPlain)},
      {src_files + "/" + MenuPageName(context, i / context.per_page + 1),
       {MenuLine(context, list, settings, i)}},
  };
}

void WriteFramePages(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings, UiServices& ui,
                     const std::string& navigation_images_folder) {
  ShowPhase(ui, "HTMLファイル作成");
  WritePage(context, context.out_dir + "/" + context.page_file, FrameEntryPageLines(context));
  const std::string src_files = context.SrcFilesFolder();
  EnsureFolder(src_files);
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    WriteImagePage(context, list, settings, i, NameTest::kPlain);
  }
  const int pages = MenuPageCount(list.count(), context.per_page);
  for (int k = 1; k <= pages; ++k) {
    ShowProgress(ui, k - 1, list.count());
    WritePage(context, src_files + "/" + MenuPageName(context, k),
              MenuPageLines(context, list, settings, k));
  }
  CopyNavigationImages(context, navigation_images_folder, src_files);
}

}  // namespace montrelle
