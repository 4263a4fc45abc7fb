#include "platform/path_text.h"

namespace montrelle {
namespace {

size_t LastSeparator(std::string_view path, PathStyle style) {
  return style == PathStyle::kWindows ? path.find_last_of("\\:") : path.rfind('/');
}

}  // namespace

char Separator(PathStyle style) {
  return style == PathStyle::kWindows ? '\\' : '/';
}

std::string LastComponent(std::string_view path, PathStyle style) {
  size_t sep = LastSeparator(path, style);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string FolderPart(std::string_view path, PathStyle style) {
  char separator = Separator(style);
  size_t sep = path.rfind(separator);
  if (sep != std::string_view::npos) {
    bool root = style == PathStyle::kWindows ? (sep > 0 && path[sep - 1] == ':') : sep == 0;
    return std::string(path.substr(0, root ? sep + 1 : sep));
  }
  if (style == PathStyle::kWindows) {
    size_t colon = path.rfind(':');
    if (colon != std::string_view::npos) return std::string(path.substr(0, colon + 1));
  }
  return {};
}

std::string ReplaceExtension(std::string_view name, std::string_view extension, PathStyle style) {
  size_t sep = LastSeparator(name, style);
  size_t start = sep == std::string_view::npos ? 0 : sep + 1;
  size_t dot = name.rfind('.');
  std::string stem(dot == std::string_view::npos || dot < start ? name : name.substr(0, dot));
  return stem + std::string(extension);
}

std::string BaseNameWithoutExtension(std::string_view path, PathStyle style) {
  return ReplaceExtension(LastComponent(path, style), "", style);
}

}  // namespace montrelle
