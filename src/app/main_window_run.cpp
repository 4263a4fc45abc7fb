// The make button, and batch mode on the main window's side: entered with the
// batch button, left when the batch window closes.
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "batch/batch_window.h"
#include "gallery/generate_gallery.h"

namespace montrelle {

namespace {

// While it lives: the run flag is set and the controls are disabled; afterwards
// each control gets back the state it had (in batch mode the batch button stays
// disabled), however the run ended.
class RunLock {
 public:
  RunLock(bool& running, std::initializer_list<QWidget*> controls) : running_(running) {
    running_ = true;
    for (QWidget* control : controls) {
      saved_.emplace_back(control, control->isEnabled());
      control->setEnabled(false);
    }
  }
  ~RunLock() {
    for (auto& [control, enabled] : saved_) control->setEnabled(enabled);
    running_ = false;
  }
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

 private:
  bool& running_;
  std::vector<std::pair<QWidget*, bool>> saved_;
};

}  // namespace

void TfrmKXmain::btn_startClick() {
  // The run lets window events through as it goes: until it ends nothing may change
  // the list or the settings, or start another run or a reset.
  RunLock lock(run_in_progress_, {btn_start, btn_macro, Button10, save_list, Button4, Button5,
                                  Button6, Button7, Button8, StG_list});
  // A copy: what is typed into the preview window meanwhile cannot change an entry
  // under the run's feet.
  const ImageFileList list = list_;
  GenerateGallery(ReadLiveSettings(), list, ui_, batch_, files_.navigation_images_folder);
}

void TfrmKXmain::btn_macroClick() {
  batch_.macro_mode = true;
  btn_macro->setEnabled(false);
  btn_close->setEnabled(false);
  btn_start->hide();
  macro_->show();
}

void TfrmKXmain::MacroWindowClosed() {
  batch_.macro_mode = false;
  btn_macro->setEnabled(true);
  btn_close->setEnabled(true);
  btn_start->show();
}

}  // namespace montrelle
