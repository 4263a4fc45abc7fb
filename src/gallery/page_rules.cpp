#include "gallery/page_rules.h"

#include "imagelist/string_routines.h"
#include "platform/path_text.h"

namespace montrelle {

std::string PageImageName(const std::string& path, const PictureKinds& kinds, bool jpegconvert,
                          NameTest test) {
  std::string name = LastComponent(path);
  if (kinds.library) return ReplaceExtension(name, ".jpg");
  if (!jpegconvert) return name;
  const char* lower = test == NameTest::kDotted ? ".bmp" : "bmp";
  const char* upper = test == NameTest::kDotted ? ".BMP" : "BMP";
  if (name.find(lower) == std::string::npos && name.find(upper) == std::string::npos) return name;
  return ReplaceExtension(name, ".jpg");
}

std::string PageImageName(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, int i, NameTest test) {
  return PageImageName(list.paths().at(i), context.entries.at(static_cast<size_t>(i)).kinds,
                       settings.jpegconvert, test);
}

std::string LinkText(std::string_view path) {
  std::string link;
  for (char c : path) {
    switch (c) {
      case '%':
        link += "%25";
        break;
      case '#':
        link += "%23";
        break;
      case '?':
        link += "%3F";
        break;
      case '"':
        link += "%22";
        break;
      case '&':
        link += "%26";
        break;
      case '\\':
        link += "%5C";
        break;
      default:
        link += c;
    }
  }
  return link;
}

std::string ImagePageName(const std::string& path) {
  return ReplaceExtension(LastComponent(path), ".htm");
}

std::string ThumbnailLink(const GenerationContext& context, const ImageFileList& list,
                          const LiveSettings& settings, int idx, PageFolder page,
                          std::string_view text_lead) {
  const ListedEntry& entry = context.entries.at(static_cast<size_t>(idx));
  const bool in_src_files = page == PageFolder::kSrcFiles;
  const std::string name = PageImageName(context, list, settings, idx, NameTest::kPlain);
  std::string shown;
  if (settings.simake) {
    shown = std::string("<IMG SRC=\"") + (in_src_files ? "../" : "./") + "small_images/" +
            LinkText(name) + "\">";
    if (settings.fnoutput) shown += "<BR>" + name;
  } else {
    shown =
        std::string(text_lead) + (settings.fnoutput ? name : "Image:" + std::to_string(idx + 1));
  }
  return std::string("<A HREF=\"./") + (in_src_files ? "" : "src_files/") +
         LinkText(entry.page_name) + "\" TARGET=\"main\">" + shown + "</A>";
}

std::string ImageFolderPrefix(const GenerationContext& context, const std::string& path,
                              PageFolder page) {
  if (context.uses_image_copies) {
    return page == PageFolder::kSrcFiles ? "../images/" : "./images/";
  }
  return RelativeDirUrl(page == PageFolder::kSrcFiles ? context.SrcFilesFolder() : context.out_dir,
                        path);
}

std::string BodyLine(const GenerationContext& context, const LiveSettings& settings,
                     PageFolder page) {
  std::string background =
      settings.bgishow
          ? "background=\"" + std::string(page == PageFolder::kSrcFiles ? "" : "./src_files/") +
                LinkText(context.bg_name) + "\""
          : "bgcolor=\"" + context.bg_color_text + "\"";
  return "<body " + background + " text=\"#111111\" link=\"" + context.link_color_text +
         "\" vlink=\"" + context.vlink_color_text + "\" alink=\"#00ffff\">";
}

PageLines PageOpeningLines(const GenerationContext& context, const LiveSettings& settings,
                           PageFolder page) {
  return {
      FreeLine("<HTML>"),   FreeLine(""),
      FreeLine("<HEAD>"),   FreeLine(kCodePageMeta),
      FreeLine("<TITLE>"),  FreeLine(context.title),
      FreeLine("</TITLE>"), FreeLine("</HEAD>"),
      FreeLine(""),         PathLine(BodyLine(context, settings, page)),
      FreeLine("<CENTER>"),
  };
}

}  // namespace montrelle
