#include "settings/settings_record.h"

#include "settings/settings_keys.h"

namespace montrelle {

std::optional<OutputLayout> LayoutAt(int index) {
  if (index < 0 || index > static_cast<int>(OutputLayout::kPulldown)) return std::nullopt;
  return static_cast<OutputLayout>(index);
}

int LayoutIndex(std::optional<OutputLayout> layout) {
  return layout ? static_cast<int>(*layout) : -1;
}

TMT_Options DefaultOptions() {
  TMT_Options options;
  for (const SettingKey& key : SettingKeys()) {
    StoreSetting(key, std::string(key.default_text), options);
  }
  return options;
}

}  // namespace montrelle
