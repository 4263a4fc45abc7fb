#include "gallery/run_status.h"

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

}  // namespace montrelle
