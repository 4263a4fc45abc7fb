#include "imagelist/string_routines.h"

#include <vector>

#include "platform/ascii_case.h"

namespace montrelle {
namespace {

bool SameName(std::string_view a, std::string_view b, PathStyle style) {
  return style == PathStyle::kWindows ? EqualIgnoringAsciiCase(a, b) : a == b;
}

// The drive part: "C:" or "\\server\share" in Windows style; POSIX paths have none.
std::string_view DrivePart(std::string_view path, PathStyle style) {
  if (style != PathStyle::kWindows) return {};
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.substr(0, 2) == "\\\\") {
    size_t server_end = path.find('\\', 2);
    if (server_end == std::string_view::npos) return path;
    size_t share_end = path.find('\\', server_end + 1);
    return path.substr(0, share_end);
  }
  return {};
}

std::vector<std::string_view> SplitNames(std::string_view text, char separator) {
  std::vector<std::string_view> names;
  while (!text.empty() && text.front() == separator) text.remove_prefix(1);
  while (!text.empty() && text.back() == separator) text.remove_suffix(1);
  while (!text.empty()) {
    size_t sep = text.find(separator);
    names.push_back(text.substr(0, sep));
    if (sep == std::string_view::npos) break;
    text.remove_prefix(sep + 1);
  }
  return names;
}

// The relative path from `base` to the folder `dir`, with the style's separator.
std::string RelativePath(std::string_view base, const std::string& dir, PathStyle style) {
  if (dir == base) return ".";
  std::string_view base_drive = DrivePart(base, style);
  std::string_view dir_drive = DrivePart(dir, style);
  if (!EqualIgnoringAsciiCase(base_drive, dir_drive)) return dir;
  const char separator = Separator(style);
  std::vector<std::string_view> q = SplitNames(base.substr(base_drive.size()), separator);
  std::vector<std::string_view> p =
      SplitNames(std::string_view(dir).substr(dir_drive.size()), separator);
  std::string_view last;
  if (!p.empty()) {
    last = p.back();
    p.pop_back();
  }
  size_t common = 0;
  while (common < q.size() && common < p.size() && SameName(q[common], p[common], style)) {
    ++common;
  }
  std::string relative;
  for (size_t i = common; i < q.size(); ++i) relative += std::string("..") + separator;
  for (size_t i = common; i < p.size(); ++i) relative += std::string(p[i]) + separator;
  return relative + std::string(last);
}

}  // namespace

std::string NthField(std::string_view delimiter, std::string_view source, int n) {
  size_t start = 0;
  int k = 0;
  if (!delimiter.empty()) {
    for (size_t p = 0; p + delimiter.size() <= source.size(); ++p) {
      if (source.compare(p, delimiter.size(), delimiter) != 0) continue;
      if (++k == n) return p > start ? std::string(source.substr(start, p - start)) : std::string();
      start = p + delimiter.size();
    }
  }
  return start < source.size() ? std::string(source.substr(start)) : std::string();
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> markers) {
  for (std::string_view marker : markers) {
    if (text.find(marker) != std::string_view::npos) return true;
  }
  return false;
}

std::string ReplaceAll(std::string_view pattern, std::string_view replacement,
                       std::string_view source) {
  if (pattern.empty()) return std::string(source);
  std::string out;
  size_t p;
  while ((p = source.find(pattern)) != std::string_view::npos) {
    out.append(source.substr(0, p));
    out.append(replacement);
    source.remove_prefix(p + pattern.size());
  }
  out.append(source);
  return out;
}

std::string RelativeDirUrl(std::string_view base, std::string_view file, PathStyle style) {
  std::string relative = RelativePath(base, FolderPart(file, style), style);
  if (style == PathStyle::kWindows) relative = ReplaceAll("\\", "/", relative);
  return relative + "/";
}

}  // namespace montrelle
