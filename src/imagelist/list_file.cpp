#include "imagelist/list_file.h"

#include <vector>

#include "platform/path_text.h"
#include "platform/text_file.h"

namespace montrelle {

std::string ListFileName(const std::string& chosen) {
  return ReplaceExtension(chosen, ".txt");
}

std::string ListFileBytes(const ImageFileList& list, const std::string& file) {
  std::vector<TextLine> lines;
  lines.reserve(3 * list.count() + 1);
  for (const std::string& path : list.paths()) lines.push_back({path, TextKind::kPath});
  lines.push_back({"", TextKind::kFree});
  for (const std::string& comment : list.comments()) lines.push_back({comment, TextKind::kFree});
  for (const std::string& triple : list.orientations()) lines.push_back({triple, TextKind::kFree});
  return EncodeLines(lines, file);
}

bool HasEntriesToSave(const ImageFileList& list, UiServices& ui) {
  if (list.count() > 0) return true;
  ui.ShowMessage("保存すべき画像ファイルリストがありません");
  return false;
}

bool SaveListFile(const ImageFileList& list, const std::string& path, UiServices& ui) {
  if (!HasEntriesToSave(list, ui)) return false;
  WriteFileReplacing(path, ListFileBytes(list, path));
  return true;
}

void LoadListFile(ImageFileList& list, const std::string& path, const MissingOrientation& missing) {
  list.Clear();
  const std::vector<std::string> lines = ReadTextFileLines(path);
  std::vector<std::string> paths, comments, orientations;
  size_t next = 0;
  while (next < lines.size()) {
    const std::string& line = lines[next++];
    if (!line.empty()) {
      paths.push_back(line);
      continue;
    }
    // An empty line starts the comment block, then the orientation block, each
    // as long as the paths read so far.
    while (next < lines.size() && comments.size() < paths.size()) comments.push_back(lines[next++]);
    while (next < lines.size() && orientations.size() < paths.size()) {
      orientations.push_back(lines[next++]);
    }
  }
  comments.resize(paths.size());
  for (size_t i = orientations.size(); i < paths.size(); ++i) {
    orientations.push_back(missing ? missing(paths[i]) : kDefaultOrientation);
  }
  for (size_t i = 0; i < paths.size(); ++i) list.Append(paths[i], comments[i], orientations[i]);
}

}  // namespace montrelle
