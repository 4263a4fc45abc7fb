#include "gallery/table_pages.h"

#include "gallery/image_page.h"
#include "gallery/page_rules.h"
#include "gallery/run_status.h"
#include "platform/file_system.h"

namespace montrelle {
namespace {

// Entry i's cell link.
TextLine CellLine(const GenerationContext& context, const ImageFileList& list,
                  const LiveSettings& settings, int i) {
  return PathLine(ThumbnailLink(context, list, settings, i, PageFolder::kOutDir, ""));
}

}  // namespace

PageLines TablePageLines(const GenerationContext& context, const ImageFileList& list,
                         const LiveSettings& settings, UiServices& ui) {
  PageLines lines = PageOpeningLines(context, settings, PageFolder::kOutDir);
  lines.push_back(FreeLine("<BR>"));
  lines.push_back(FreeLine(""));
  lines.push_back(FreeLine("<TABLE BORDER=\"" + context.border_text + "\">"));
  // 64-bit: a huge column count must not overflow the cell numbers.
  const long long count = list.count(), columns = context.columns;
  for (long long r = 0; r * columns < count; ++r) {
    ShowProgress(ui, r, list.count());
    lines.push_back(FreeLine("<TR>"));
    for (long long idx = r * columns; idx < (r + 1) * columns && idx < count; ++idx) {
      const int i = static_cast<int>(idx);
      lines.push_back(FreeLine("<TD>"));
      lines.push_back(CellLine(context, list, settings, i));
      lines.push_back(FreeLine("</TD>"));
    }
    lines.push_back(FreeLine("</TR>"));
  }
  for (const char* end : {"</TABLE>", "</CENTER>", "", "", "</BODY>", "</HTML>"}) {
    lines.push_back(FreeLine(end));
  }
  return lines;
}

std::vector<PageText> TableEntryTexts(const GenerationContext& context, const ImageFileList& list,
                                      const LiveSettings& settings, int i) {
  return {
      {ImagePageFile(context, i), ImagePageLines(context, list, settings, i, NameTest::kDotted)},
      {context.out_dir + "/" + context.page_file, {CellLine(context, list, settings, i)}},
  };
}

void WriteTablePages(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings, UiServices& ui) {
  WritePage(context, context.out_dir + "/" + context.page_file,
            TablePageLines(context, list, settings, ui));
  EnsureFolder(context.SrcFilesFolder());
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    WriteImagePage(context, list, settings, i, NameTest::kDotted);
  }
}

}  // namespace montrelle
