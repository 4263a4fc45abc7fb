#include "settings/settings_record.h"

#include "settings/settings_keys.h"

namespace montrelle {

TMT_Options DefaultOptions() {
  TMT_Options options;
  for (const SettingKey& key : SettingKeys()) {
    StoreSetting(key, std::string(key.default_text), options);
  }
  return options;
}

}  // namespace montrelle
