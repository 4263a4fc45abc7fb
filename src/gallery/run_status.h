// The two status panels during a make run. Every change lets pending window
// events through, so the window repaints while the run works.
#pragma once

#include <string>

#include "platform/ui_services.h"

namespace montrelle {

// The phase panel, e.g. "HTMLファイル作成".
void ShowPhase(UiServices& ui, const std::string& phase);

// The progress panel as "«item»/«count»", item counted from 0.
void ShowProgress(UiServices& ui, long long item, int count);

// Both panels emptied, as at the end of a run.
void ClearStatus(UiServices& ui);

// The progress bar (run_progress.h), kept in `ui.run_progress`.
// A run of `total` pictures starts: a make run outside a batch, or a batch.
void StartRunCount(UiServices& ui, long long total);
// A gallery of `pictures` with `steps` image steps starts; outside a batch it is
// the whole run.
void StartGalleryCount(UiServices& ui, bool in_batch, int pictures, int steps);
// In a batch, the folder in work: "«folder» «n»/«m»".
void ShowBatchFolder(UiServices& ui, const std::string& folder, size_t n, size_t m);
// An image step starts.
void StartStepCount(UiServices& ui, const std::string& step);
// Picture `item` (from 0) of the `count` of the step is done.
void CountPicture(UiServices& ui, int item, int count);
// The gallery of `pictures` has ended.
void EndGalleryCount(UiServices& ui, int pictures);
// The run has ended, however: the bar is idle again.
void EndRunCount(UiServices& ui);
// The bar's text: the batch folder, the step (unless the phase is shown beside it)
// and "«done»/«total»" whole pictures, those there are, two spaces apart; empty
// when no run is counted.
std::string RunProgressText(const RunProgress& progress, bool with_step = true);

}  // namespace montrelle
