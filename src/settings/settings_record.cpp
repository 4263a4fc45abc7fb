#include "settings/settings_record.h"

#include "settings/settings_keys.h"

namespace montrelle {

TKX_Options DefaultOptions() {
  TKX_Options options;
  for (const SettingKey& key : SettingKeys()) {
    StoreSetting(key, std::string(key.default_text), options);
  }
  return options;
}

}  // namespace montrelle
