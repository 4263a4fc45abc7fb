#include "gallery/image_page.h"

namespace montrelle {

PageLines ImagePageLines(const GenerationContext& context, const ImageFileList& list,
                         const LiveSettings& settings, int i, NameTest test) {
  const std::string& path = list.paths().at(i);
  const std::string name = PageImageName(context, list, settings, i, test);
  PageLines lines = PageOpeningLines(context, settings, PageFolder::kSrcFiles);
  lines.push_back(
      PathLine("<IMG width = " + std::to_string(context.main_width) + " SRC=\"" +
               LinkText(ImageFolderPrefix(context, path, PageFolder::kSrcFiles) + name) + "\">"));
  if (settings.fnoutput) {
    lines.push_back(FreeLine("<BR>"));
    lines.push_back(PathLine(name));
  }
  if (settings.comment_out) {
    lines.push_back(FreeLine("<BR>"));
    lines.push_back(FreeLine(list.comments().at(i)));
  }
  for (const char* end : {"</CENTER>", "</BODY>", "</HTML>"}) lines.push_back(FreeLine(end));
  return lines;
}

std::string ImagePageFile(const GenerationContext& context, int i) {
  return context.SrcFilesFolder() + "/" + context.entries.at(static_cast<size_t>(i)).page_name;
}

void WriteImagePage(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, int i, NameTest test) {
  WritePage(context, ImagePageFile(context, i), ImagePageLines(context, list, settings, i, test));
}

}  // namespace montrelle
