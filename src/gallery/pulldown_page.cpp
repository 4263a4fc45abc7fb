#include "gallery/pulldown_page.h"

#include "gallery/page_rules.h"
#include "gallery/run_status.h"

namespace montrelle {
namespace {

std::string Name(const GenerationContext& context, const ImageFileList& list,
                 const LiveSettings& settings, int i) {
  return PageImageName(context, list, settings, i, NameTest::kPlain);
}

// The reference to picture `i` as seen from the output folder.
std::string Source(const GenerationContext& context, const ImageFileList& list,
                   const LiveSettings& settings, int i) {
  return LinkText(ImageFolderPrefix(context, list.paths().at(i), PageFolder::kOutDir) +
                  Name(context, list, settings, i));
}

// The script's line that shows picture i.
TextLine ScriptLine(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, int i) {
  return PathLine("      document.myImg.src=\"" + Source(context, list, settings, i) + "\";");
}

TextLine OptionLine(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, int i) {
  if (settings.fnoutput) return PathLine("<OPTION>" + Name(context, list, settings, i));
  const std::string& comment = list.comments().at(i);
  if (settings.comment_out_pd && !comment.empty()) return FreeLine("<OPTION>" + comment);
  return FreeLine("<OPTION>Image:" + std::to_string(i + 1));
}

}  // namespace

PageLines PulldownPageLines(const GenerationContext& context, const ImageFileList& list,
                            const LiveSettings& settings, UiServices& ui) {
  PageLines lines;
  for (const char* line :
       {"<HTML>", kCodePageMeta, "", "<SCRIPT language=\"JavaScript\">", "<!--",
        "function changeImg(){", "   num=document.myForm.imgSelect.selectedIndex;"}) {
    lines.push_back(FreeLine(line));
  }
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    lines.push_back(FreeLine(i == 0 ? " if(num==0)" : "else  if(num==" + std::to_string(i) + ")"));
    lines.push_back(ScriptLine(context, list, settings, i));
  }
  for (const char* line : {"}", "//-->", "</SCRIPT>", ""}) lines.push_back(FreeLine(line));
  lines.push_back(PathLine(BodyLine(context, settings, PageFolder::kOutDir)));
  lines.push_back(FreeLine("<CENTER>"));
  lines.push_back(FreeLine("<FORM name=\"myForm\">"));
  lines.push_back(PathLine("<IMG SRC=\"" + Source(context, list, settings, 0) + "\" alt=\"" +
                           Name(context, list, settings, 0) + "\" WIDTH=" +
                           std::to_string(context.main_width) + " vspace=4  name=\"myImg\"><br>"));
  for (const char* line : {"", "<SELECT name=\"imgSelect\" onChange=\"changeImg()\">", ""}) {
    lines.push_back(FreeLine(line));
  }
  for (int i = 0; i < list.count(); ++i) lines.push_back(OptionLine(context, list, settings, i));
  for (const char* line :
       {"</SELECT><br>",
        "<font class=caption>※プルダウンで見たい写真を選択してください</font></form>", "",
        "</font>", "</CENTER>"}) {
    lines.push_back(FreeLine(line));
  }
  return lines;
}

std::vector<PageText> PulldownEntryTexts(const GenerationContext& context,
                                         const ImageFileList& list, const LiveSettings& settings,
                                         int i) {
  return {{context.out_dir + "/" + context.page_file,
           {ScriptLine(context, list, settings, i), OptionLine(context, list, settings, i)}}};
}

void WritePulldownPage(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui) {
  WritePage(context, context.out_dir + "/" + context.page_file,
            PulldownPageLines(context, list, settings, ui));
}

}  // namespace montrelle
