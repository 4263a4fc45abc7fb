#include "cli/console_ui.h"

#include "gallery/run_status.h"

namespace montrelle {

ConsoleUi::ConsoleUi(std::FILE* out, bool show_progress, bool overwrite, bool name_removed)
    : out_(out),
      show_progress_(show_progress),
      overwrite_(overwrite),
      name_removed_(name_removed) {}

void ConsoleUi::ClearStatusLine() {
  if (shown_.empty()) return;
  std::fputs("\r\033[K", out_);
  shown_.clear();
}

void ConsoleUi::ShowMessage(const std::string& text) {
  ClearStatusLine();
  std::fprintf(out_, "%s\n", text.c_str());
  std::fflush(out_);
}

void ConsoleUi::ProcessEvents() {
  if (!show_progress_) return;
  std::string line = progress_.empty() ? phase_ : phase_ + " " + progress_;
  if (!line.empty() && !run_.empty()) line += "  (" + run_ + ")";
  // The run lets events through again and again while it waits for pictures: a
  // line already shown stays as it is.
  if (line == shown_) return;
  ClearStatusLine();
  if (line.empty()) return;
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
  shown_ = line;
}

void ConsoleUi::ShowRunProgress(const RunProgress& progress) {
  run_ = RunProgressText(progress, false);
}

void ConsoleUi::ShowRemovedFile(const std::string& path) {
  if (name_removed_) ShowMessage("削除しました: " + path);
}

void ConsoleUi::FocusControl(FocusTarget target) {
  ShowMessage(target == FocusTarget::kOutName ? "(--name で指定します)" : "(--out で指定します)");
}

}  // namespace montrelle
