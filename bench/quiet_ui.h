// A UiServices for the benchmarks: answers yes to every question but the
// overwrite question, which it answers with `overwrite`; shows nothing and
// remembers the messages.
#pragma once

#include <string>
#include <vector>

#include "gallery/run_status.h"
#include "platform/ui_services.h"

namespace montrelle::bench {

class QuietUi : public UiServices {
 public:
  std::vector<std::string> messages;
  std::string bar;
  bool overwrite = true;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool ConfirmOkCancel(const std::string&) override { return true; }
  bool ConfirmYesNo(const std::string&) override { return true; }
  YesNoCancel AskYesNoCancel(const std::string&) override { return YesNoCancel::kYes; }
  bool AskOverwrite(const std::string&) override { return overwrite; }
  void SetPhase(const std::string&) override {}
  void SetProgress(const std::string&) override {}
  // The bar's text is made as a window makes it, so that its cost is timed.
  void ShowRunProgress(const RunProgress& progress) override { bar = RunProgressText(progress); }
  void ProcessEvents() override {}
  void FocusControl(FocusTarget) override {}
  void Beep() override {}
};

}  // namespace montrelle::bench
