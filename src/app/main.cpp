// The desktop program: the three windows and the event loop. It reads no
// command-line arguments.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/control_factory.h"
#include "app/program_windows.h"
#include "app/qt_dialog_services.h"
#include "app/qt_ui_services.h"
#include "platform/program_files.h"

int main(int argc, char* argv[]) {
  using namespace montrelle;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Montrelle"));
  QApplication::setFont(WindowFont());
  // Qt's own dialogs (folder, colour, file) in Japanese.
  QTranslator qt_texts;
  if (qt_texts.load(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qt_texts);
  }

  const ProgramFiles files = LocateProgramFiles(ProgramFolder());
  EnsureSettingsFolder(files);
  QtUiServices ui;
  QtDialogServices dialogs;
  ProgramWindows windows(ui, dialogs, files);
  ui.Attach(windows.main);
  windows.ShowMainWindow();
  return QApplication::exec();
}
