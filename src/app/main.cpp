// The desktop program: the three windows and the event loop. It reads no
// command-line arguments.
#include <QApplication>

#include "app/control_factory.h"
#include "app/program_windows.h"
#include "app/qt_dialog_services.h"
#include "app/qt_translation.h"
#include "app/qt_ui_services.h"
#include "platform/program_files.h"

int main(int argc, char* argv[]) {
  using namespace montrelle;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Montrelle"));
  QApplication::setFont(WindowFont());
  InstallQtTranslation(application);

  const ProgramFiles files = LocateProgramFiles(ProgramFolder());
  EnsureSettingsFolder(files);
  QtUiServices ui;
  QtDialogServices dialogs;
  ProgramWindows windows(ui, dialogs, files);
  ui.Attach(windows.main);
  windows.ShowMainWindow();
  return QApplication::exec();
}
