#include "gallery/output_check.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "gallery/frame_pages.h"
#include "gallery/image_steps.h"
#include "gallery/picture_check.h"
#include "gallery/pulldown_page.h"
#include "gallery/table_pages.h"
#include "platform/codepage.h"

namespace montrelle {
namespace {

// A file one entry writes, and what decides its content: files of equal content
// may be written twice.
struct WrittenFile {
  std::string path;
  std::string content;
};

bool HasPicturePages(const LiveSettings& settings) {
  return settings.layout && settings.layout != OutputLayout::kPulldown;
}

std::vector<WrittenFile> WrittenFiles(const GenerationContext& context, const ImageFileList& list,
                                      const LiveSettings& settings, int i) {
  const ListedEntry& entry = context.entries.at(static_cast<size_t>(i));
  const Orientation& o = entry.orientation;
  const std::string picture = list.paths().at(i) + '\0' + std::to_string(o.mirror) +
                              std::to_string(o.flip) + std::to_string(o.rotation);
  std::vector<WrittenFile> files;
  for (const std::string& name : entry.ImageNames()) {
    if (MakesReducedImages(settings)) {
      files.push_back({context.out_dir + "/small_images/" + name, picture});
    }
    if (context.uses_image_copies) files.push_back({context.out_dir + "/images/" + name, picture});
  }
  if (HasPicturePages(settings)) {
    files.push_back(
        {context.SrcFilesFolder() + "/" + entry.page_name, picture + '\0' + list.comments().at(i)});
  }
  return files;
}

void CheckNoFileWrittenTwice(const GenerationContext& context, const ImageFileList& list,
                             const LiveSettings& settings) {
  // Each file with the first entry that writes it and its content.
  std::map<std::string, std::pair<int, std::string>> writers;
  for (int i = 0; i < list.count(); ++i) {
    for (WrittenFile& file : WrittenFiles(context, list, settings, i)) {
      const auto [at, added] = writers.try_emplace(file.path, i, file.content);
      if (!added && at->second.second != file.content) {
        throw ListedPictureError(i + 1, std::to_string(at->second.first + 1) +
                                            " 番目の画像と同じファイル " + ShownText(file.path) +
                                            " を書き出します");
      }
    }
  }
}

std::vector<PageText> EntryPageTexts(const GenerationContext& context, const ImageFileList& list,
                                     const LiveSettings& settings, int i) {
  if (!settings.layout) return {};
  switch (*settings.layout) {
    case OutputLayout::kFrame:
      return FrameEntryTexts(context, list, settings, i);
    case OutputLayout::kTable:
      return TableEntryTexts(context, list, settings, i);
    case OutputLayout::kPulldown:
      return PulldownEntryTexts(context, list, settings, i);
    case OutputLayout::kResponsive:
      break;
  }
  return {};
}

void CheckPageTexts(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings) {
  for (int i = 0; i < list.count(); ++i) {
    for (const PageText& text : EntryPageTexts(context, list, settings, i)) {
      try {
        EncodeLines(text.lines, text.file);
      } catch (const AppError& error) {
        throw ListedPictureError(i + 1, error.what());
      }
    }
  }
}

}  // namespace

void CheckRunOutputs(const GenerationContext& context, const ImageFileList& list,
                     const LiveSettings& settings) {
  CheckNoFileWrittenTwice(context, list, settings);
  CheckPageTexts(context, list, settings);
}

}  // namespace montrelle
