#include "gallery/listed_entry.h"

#include "gallery/page_rules.h"
#include "platform/path_text.h"

namespace montrelle {

std::vector<std::string> ListedEntry::ImageNames() const {
  std::vector<std::string> names;
  if (kinds.jpeg || kinds.library) names.push_back(image_name);
  if (kinds.bitmap) names.push_back(bitmap_name);
  return names;
}

ListedEntry ListEntry(const std::string& path, std::string_view orientation, bool jpegconvert) {
  ListedEntry entry;
  entry.kinds = KindsOf(path);
  if (entry.kinds.any()) entry.orientation = ParseOrientation(orientation);
  const std::string name = LastComponent(path);
  entry.image_name = entry.kinds.library ? ReplaceExtension(name, ".jpg") : name;
  entry.bitmap_name = jpegconvert ? ReplaceExtension(name, ".jpg") : name;
  entry.page_name = ImagePageName(path);
  return entry;
}

}  // namespace montrelle
