#include "settings/settings_record.h"

namespace montrelle {

TKX_Options DefaultOptions() {
  TKX_Options o;
  o.HTMLtype.type = 0;
  o.Frame.width = 550;
  o.Frame.count = 6;
  o.Table.width = 600;
  o.Table.count = 6;
  o.Table.bwidth = 2;
  o.Pulldown.width = 450;
  o.SmallImage.width = 100;
  o.Color.bg_color = "ffffff";
  o.Color.link_color = "ffff00";
  o.Color.vlink_color = "ff0000";
  o.Flags.simake = true;
  o.Flags.Preview = true;
  o.Other.out_name = "index.html";
  return o;
}

}  // namespace montrelle
