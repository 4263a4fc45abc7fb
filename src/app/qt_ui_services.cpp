#include "app/qt_ui_services.h"

#include <QApplication>

#include "app/main_window.h"
#include "app/message_boxes.h"

namespace montrelle {

void QtUiServices::ShowMessage(const std::string& text) {
  RunMessageBox(window_, BoxKind::kMessage, text);
}

bool QtUiServices::ConfirmOkCancel(const std::string& text) {
  return RunMessageBox(window_, BoxKind::kOkCancel, text);
}

bool QtUiServices::ConfirmYesNo(const std::string& text) {
  return RunMessageBox(window_, BoxKind::kYesNo, text);
}

YesNoCancel QtUiServices::AskYesNoCancel(const std::string& text) {
  return RunYesNoCancelBox(window_, text);
}

bool QtUiServices::AskOverwrite(const std::string& text) {
  return RunMessageBox(window_, BoxKind::kOverwrite, text);
}

void QtUiServices::SetPhase(const std::string& text) {
  window_->status_panel(0)->setText(QString::fromStdString(text));
}

void QtUiServices::SetProgress(const std::string& text) {
  window_->status_panel(1)->setText(QString::fromStdString(text));
}

void QtUiServices::ShowRunProgress(const RunProgress& progress) {
  window_->ShowRunProgress(progress);
}

void QtUiServices::ProcessEvents() {
  QCoreApplication::processEvents();
}

void QtUiServices::FocusControl(FocusTarget target) {
  window_->control_for(target)->setFocus();
}

void QtUiServices::Beep() {
  QApplication::beep();
}

}  // namespace montrelle
