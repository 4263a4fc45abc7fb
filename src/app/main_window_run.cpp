// Batch mode on the main window's side: entered with the batch button, left when
// the batch window closes.
#include "app/main_window.h"
#include "batch/batch_window.h"

namespace montrelle {

void TfrmKXmain::btn_macroClick() {
  macro_mode_ = true;
  btn_macro->setEnabled(false);
  btn_close->setEnabled(false);
  btn_start->hide();
  macro_->show();
}

void TfrmKXmain::MacroWindowClosed() {
  macro_mode_ = false;
  btn_macro->setEnabled(true);
  btn_close->setEnabled(true);
  btn_start->show();
}

}  // namespace montrelle
