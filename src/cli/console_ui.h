// The command's answers and displays in place of the window's: messages go to
// standard error as lines of UTF-8 text, the overwrite questions are answered
// from the command line, and the status panels become one line on standard error
// that is redrawn in place, drawn only when standard error is a terminal.
#pragma once

#include <cstdio>
#include <string>

#include "platform/ui_services.h"

namespace montrelle {

class ConsoleUi : public UiServices {
 public:
  // `show_progress`: draw the status line. `overwrite`: the answer to every
  // overwrite question. `name_removed`: name each file a run removes.
  ConsoleUi(std::FILE* out, bool show_progress, bool overwrite, bool name_removed = true);

  void ShowMessage(const std::string& text) override;
  // No one at the console to ask: a command goes on.
  bool ConfirmOkCancel(const std::string&) override { return true; }
  bool ConfirmYesNo(const std::string&) override { return true; }
  YesNoCancel AskYesNoCancel(const std::string&) override { return YesNoCancel::kNo; }
  bool AskOverwrite(const std::string&) override { return overwrite_; }
  void SetPhase(const std::string& text) override { phase_ = text; }
  void SetProgress(const std::string& text) override { progress_ = text; }
  // The whole run's count follows the phase and its progress on the status line.
  void ShowRunProgress(const RunProgress& progress) override;
  void ProcessEvents() override;
  // Points at the option that fills the field the window would focus.
  void FocusControl(FocusTarget target) override;
  void Beep() override {}
  void ShowRemovedFile(const std::string& path) override;

 private:
  void ClearStatusLine();

  std::FILE* out_;
  bool show_progress_;
  bool overwrite_;
  bool name_removed_;
  std::string shown_;  // the line on the terminal; empty when there is none
  std::string phase_, progress_, run_;
};

}  // namespace montrelle
