// UiServices for the desktop program: the message boxes of message_boxes.h, the
// status panels and the focus of the main window it is attached to.
#pragma once

#include "platform/ui_services.h"

namespace montrelle {

class TfrmMTmain;

class QtUiServices : public UiServices {
 public:
  // The window whose status panels and controls the services use; also the
  // parent of the message boxes.
  void Attach(TfrmMTmain& window) { window_ = &window; }

  void ShowMessage(const std::string& text) override;
  bool ConfirmOkCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& text) override;
  bool AskOverwrite(const std::string& text) override;
  void SetPhase(const std::string& text) override;
  void SetProgress(const std::string& text) override;
  void ShowRunProgress(const RunProgress& progress) override;
  void ProcessEvents() override;
  void FocusControl(FocusTarget target) override;
  void Beep() override;

 private:
  TfrmMTmain* window_ = nullptr;
};

}  // namespace montrelle
