// Everything the core asks of the user or shows to them. The windows implement it
// with Qt, the headless command with standard error, tests with a scripted fake;
// no core routine opens a dialog of its own.
#pragma once

#include <string>

#include "platform/run_progress.h"
#include "platform/run_stop.h"

namespace montrelle {

enum class YesNoCancel { kYes, kNo, kCancel };

// The fields a run points the user at when it stops for a missing value.
enum class FocusTarget { kOutName, kOutPath };

class UiServices {
 public:
  virtual ~UiServices() = default;

  // A message box with one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // Confirmation box "確認" with OK / キャンセル; true for OK.
  virtual bool ConfirmOkCancel(const std::string& text) = 0;
  // Confirmation box "確認" with はい(&Y) / いいえ(&N); true for はい.
  virtual bool ConfirmYesNo(const std::string& text) = 0;
  // Confirmation box "確認" with はい(&Y) / いいえ(&N) / キャンセル.
  virtual YesNoCancel AskYesNoCancel(const std::string& text) = 0;
  // The overwrite question of the make run: information box with はい / いいえ.
  virtual bool AskOverwrite(const std::string& text) = 0;
  // The two status panels: the phase (first) and the progress (second).
  virtual void SetPhase(const std::string& text) = 0;
  virtual void SetProgress(const std::string& text) = 0;
  // The progress bar of the whole run; idle when `progress.total` is 0.
  virtual void ShowRunProgress(const RunProgress& progress) = 0;
  // Lets pending window events through so the window repaints.
  virtual void ProcessEvents() = 0;
  // Gives the control that holds `target` the keyboard focus.
  virtual void FocusControl(FocusTarget target) = 0;
  // The platform's default beep.
  virtual void Beep() = 0;
  // A file of the gallery's previous run that the make run removed, as it is no
  // longer made. Only the headless command names them.
  virtual void ShowRemovedFile(const std::string& /*path*/) {}

  // Set by the user while a run works; the run looks at it between pictures.
  StopRequest stop;
  // Kept by the run as it goes, and shown through ShowRunProgress.
  RunProgress run_progress;
};

}  // namespace montrelle
