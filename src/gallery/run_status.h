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

}  // namespace montrelle
