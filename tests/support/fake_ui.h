// A scripted UiServices: records every call as one line of text and answers the
// questions from queues (an empty queue answers "yes" / OK).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "gallery/run_status.h"
#include "platform/ui_services.h"

namespace montrelle::testing {

class FakeUi : public UiServices {
 public:
  std::vector<std::string> log;
  std::deque<bool> answers;
  std::deque<YesNoCancel> choices;  // the answers to AskYesNoCancel

  void ShowMessage(const std::string& text) override { log.push_back("message: " + text); }
  bool ConfirmOkCancel(const std::string& text) override { return Ask("okcancel: " + text); }
  bool ConfirmYesNo(const std::string& text) override { return Ask("yesno: " + text); }
  YesNoCancel AskYesNoCancel(const std::string& text) override {
    log.push_back("yesnocancel: " + text);
    if (choices.empty()) return YesNoCancel::kYes;
    const YesNoCancel choice = choices.front();
    choices.pop_front();
    return choice;
  }
  bool AskOverwrite(const std::string& text) override { return Ask("overwrite: " + text); }
  void SetPhase(const std::string& text) override { log.push_back("phase: " + text); }
  void SetProgress(const std::string& text) override { log.push_back("progress: " + text); }
  // The progress bar's texts, apart from the log, in which they would be noise.
  void ShowRunProgress(const RunProgress& progress) override {
    bar.push_back(RunProgressText(progress));
  }
  void ProcessEvents() override { ++events_processed; }
  void FocusControl(FocusTarget target) override {
    log.push_back(target == FocusTarget::kOutName ? "focus: edt_out" : "focus: edt_out_path");
  }
  void Beep() override { log.push_back("beep"); }

  int events_processed = 0;
  std::vector<std::string> bar;

 private:
  bool Ask(const std::string& line) {
    log.push_back(line);
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace montrelle::testing
