// The program's three windows, created in this order and living until the end:
// the main window (its creation loads the settings), the preview window and the
// batch window, both hidden.
#pragma once

#include "app/batch_window.h"
#include "app/main_window.h"
#include "app/preview_window.h"

namespace montrelle {

struct ProgramWindows {
  ProgramWindows(UiServices& ui, DialogServices& dialogs, const ProgramFiles& files);

  // Runs the main window's FormShow, then shows it centred on its screen.
  void ShowMainWindow();

  TfrmMTmain main;
  TfrmMTimg preview;
  TfrmMTMacro macro;
};

}  // namespace montrelle
