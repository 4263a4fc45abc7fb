// Exceptions never cross the Qt event loop: every handler of the windows runs
// through RunGuarded, which ends the handler at the first exception and shows its
// text in the error box (with ErrorBoxText's "."); the program goes on with the
// next event.
#pragma once

#include <functional>

#include "app/dialog_services.h"

namespace montrelle {

void RunGuarded(DialogServices& dialogs, QWidget* parent, const std::function<void()>& handler);

}  // namespace montrelle
