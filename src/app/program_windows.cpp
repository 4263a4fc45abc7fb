#include "app/program_windows.h"

#include <QScreen>

namespace montrelle {

ProgramWindows::ProgramWindows(UiServices& ui, DialogServices& dialogs, const ProgramFiles& files)
    : main(ui, dialogs, files), preview(main, main, dialogs), macro(dialogs) {
  main.AttachWindows(preview, macro);
}

void ProgramWindows::ShowMainWindow() {
  main.FormShow();
  main.move(main.screen()->geometry().center() - main.rect().center());
  main.show();
}

}  // namespace montrelle
