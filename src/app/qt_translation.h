// Qt's own texts in Japanese: the standard dialogs (folder, colour, file) and the
// parts of widgets that Qt draws itself speak the window's language.
#pragma once

class QCoreApplication;
class QTranslator;

namespace montrelle {

// Loads qtbase_ja.qm from Qt's translations folder and installs it in
// `application`, which owns it. nullptr, with nothing installed, when the file is
// missing or unreadable: the dialogs then stay in English.
QTranslator* InstallQtTranslation(QCoreApplication& application);

}  // namespace montrelle
