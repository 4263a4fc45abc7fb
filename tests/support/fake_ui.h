// A scripted UiServices: records every call as one line of text and answers the
// questions from a queue (an empty queue answers "yes" / OK).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui_services.h"

namespace montrelle::testing {

class FakeUi : public UiServices {
 public:
  std::vector<std::string> log;
  std::deque<bool> answers;

  void ShowMessage(const std::string& text) override { log.push_back("message: " + text); }
  bool ConfirmOkCancel(const std::string& text) override { return Ask("okcancel: " + text); }
  bool ConfirmYesNo(const std::string& text) override { return Ask("yesno: " + text); }
  bool AskOverwrite(const std::string& text) override { return Ask("overwrite: " + text); }
  void SetPhase(const std::string& text) override { log.push_back("phase: " + text); }
  void SetProgress(const std::string& text) override { log.push_back("progress: " + text); }
  void ProcessEvents() override { ++events_processed; }
  void FocusControl(FocusTarget target) override {
    log.push_back(target == FocusTarget::kOutName ? "focus: edt_out" : "focus: edt_out_path");
  }
  void Beep() override { log.push_back("beep"); }

  int events_processed = 0;

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
