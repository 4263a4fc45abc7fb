#include "app/error_guard.h"

#include <exception>

#include "platform/app_error.h"

namespace montrelle {

void RunGuarded(DialogServices& dialogs, QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    dialogs.ShowError(parent, ErrorBoxText(error.what()));
  }
}

}  // namespace montrelle
