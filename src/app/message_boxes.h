// The program's message boxes: fixed titles, icons and Japanese button texts.
//
//   kMessage    "Montrelle", no icon,     "OK"
//   kError      "Montrelle", error icon,  "OK"
//   kOkCancel   "確認", question icon,    "OK" / "キャンセル"
//   kYesNo      "確認", question icon,    "はい(&Y)" / "いいえ(&N)"
//   kOverwrite  "情報", information icon, "はい(&Y)" / "いいえ(&N)"
//   kYesNoCancel "確認", question icon,   "はい(&Y)" / "いいえ(&N)" / "キャンセル"
//
// The first button is the default; Escape or the close box answers with the last.
#pragma once

#include <QMessageBox>
#include <memory>
#include <string>

#include "platform/ui_services.h"

namespace montrelle {

enum class BoxKind { kMessage, kError, kOkCancel, kYesNo, kOverwrite, kYesNoCancel };

// The box, built but not shown.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, BoxKind kind, const std::string& text);

// Shows the box modally; true when the first button (OK, はい) was chosen.
bool RunMessageBox(QWidget* parent, BoxKind kind, const std::string& text);

// Shows a kYesNoCancel box modally: the button chosen.
YesNoCancel RunYesNoCancelBox(QWidget* parent, const std::string& text);

}  // namespace montrelle
