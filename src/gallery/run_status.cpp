#include "gallery/run_status.h"

#include <algorithm>

namespace montrelle {

void ShowPhase(UiServices& ui, const std::string& phase) {
  ui.SetPhase(phase);
  ui.ProcessEvents();
}

void ShowProgress(UiServices& ui, long long item, int count) {
  ui.SetProgress(std::to_string(item) + "/" + std::to_string(count));
  ui.ProcessEvents();
}

void ClearStatus(UiServices& ui) {
  ui.SetPhase("");
  ui.SetProgress("");
  ui.ProcessEvents();
}

void StartRunCount(UiServices& ui, long long total) {
  ui.run_progress = RunProgress();
  ui.run_progress.total = total;
  ui.ShowRunProgress(ui.run_progress);
}

void StartGalleryCount(UiServices& ui, bool in_batch, int pictures, int steps) {
  if (!in_batch) StartRunCount(ui, pictures);
  ui.run_progress.steps = steps;
  ui.run_progress.step_index = -1;
}

void ShowBatchFolder(UiServices& ui, const std::string& folder, size_t n, size_t m) {
  ui.run_progress.batch = folder + " " + std::to_string(n) + "/" + std::to_string(m);
  ui.ShowRunProgress(ui.run_progress);
}

void StartStepCount(UiServices& ui, const std::string& step) {
  ++ui.run_progress.step_index;
  ui.run_progress.step = step;
  ui.ShowRunProgress(ui.run_progress);
}

void CountPicture(UiServices& ui, int item, int count) {
  RunProgress& progress = ui.run_progress;
  const double shares = static_cast<double>(progress.step_index) * count + item + 1;
  progress.done = static_cast<double>(progress.counted) + shares / std::max(progress.steps, 1);
  ui.ShowRunProgress(progress);
}

void EndGalleryCount(UiServices& ui, int pictures) {
  RunProgress& progress = ui.run_progress;
  progress.counted += pictures;
  progress.done = static_cast<double>(progress.counted);
  progress.step.clear();
  ui.ShowRunProgress(progress);
}

std::string RunProgressText(const RunProgress& progress, bool with_step) {
  if (progress.total == 0) return "";
  std::string text;
  for (const std::string& part : {progress.batch, with_step ? progress.step : ""}) {
    if (!part.empty()) text += part + "  ";
  }
  return text + std::to_string(static_cast<long long>(progress.done)) + "/" +
         std::to_string(progress.total);
}

void EndRunCount(UiServices& ui) {
  ui.run_progress = RunProgress();
  ui.ShowRunProgress(ui.run_progress);
}

}  // namespace montrelle
