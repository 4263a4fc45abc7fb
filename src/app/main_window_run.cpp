// The make button, and batch mode on the main window's side: entered with the
// batch button, left when the batch window closes; the batch run itself, started
// from the batch window, on this window's list and output fields.
#include <QKeyEvent>
#include <utility>
#include <vector>

#include "app/batch_window.h"
#include "app/main_window.h"
#include "batch/run_batch.h"
#include "gallery/generate_gallery.h"
#include "gallery/picture_check.h"
#include "gallery/run_status.h"
#include "platform/app_error.h"

namespace montrelle {

namespace {

// While it lives: the run flag is set, the controls are disabled and the stop
// button stands in place of the make button; afterwards each control gets back the
// state it had (in batch mode the batch button stays disabled and the make button
// hidden), however the run ended.
class RunLock {
 public:
  RunLock(bool& running, const std::vector<QWidget*>& controls, QWidget* start, QWidget* stop)
      : running_(running), start_(start), stop_(stop), start_shown_(!start->isHidden()) {
    running_ = true;
    for (QWidget* control : controls) {
      saved_.emplace_back(control, control->isEnabled());
      control->setEnabled(false);
    }
    start_->hide();
    stop_->show();
  }
  ~RunLock() {
    stop_->hide();
    start_->setVisible(start_shown_);
    for (auto& [control, enabled] : saved_) control->setEnabled(enabled);
    running_ = false;
  }
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

 private:
  bool& running_;
  QWidget* start_;
  QWidget* stop_;
  bool start_shown_;
  std::vector<std::pair<QWidget*, bool>> saved_;
};

}  // namespace

// A run lets window events through as it goes: until it ends nothing may change the
// list or the settings, or start another run or a reset.
std::vector<QWidget*> TfrmMTmain::RunLockedControls() const {
  std::vector<QWidget*> controls = {btn_start, btn_macro, Button10, save_list, Button4,
                                    Button5,   Button6,   Button7,  Button8,   StG_list};
  for (QWidget* control : preview_->RunLockedControls()) controls.push_back(control);
  return controls;
}

void TfrmMTmain::RunStoppable(const std::function<void()>& run) {
  RunLock lock(run_in_progress_, RunLockedControls(), btn_start, btn_stop);
  ui_.stop.Clear();
  try {
    run();
  } catch (const RunStopped&) {
    ClearStatus(ui_);
    EndRunCount(ui_);
    ui_.ShowMessage("中止しました");
  }
  EndRunCount(ui_);
}

void TfrmMTmain::btn_startClick() {
  RunStoppable([this] {
    try {
      GenerateGallery(ReadLiveSettings(), list_, ui_, batch_, files_.navigation_images_folder);
    } catch (const ListedPictureError& error) {
      // The error first; then the picture to mend or remove goes to the cursor, which
      // shows it in the preview window (with the preview's own error when it cannot).
      dialogs_.ShowError(this, ErrorBoxText(error.what()));
      StG_list->SetCursorRow(error.entry());
    }
  });
}

void TfrmMTmain::btn_stopClick() {
  ui_.stop.Request();
}

void TfrmMTmain::keyPressEvent(QKeyEvent* event) {
  if (run_in_progress_ && event->key() == Qt::Key_Escape) {
    btn_stopClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfrmMTmain::btn_macroClick() {
  batch_.macro_mode = true;
  btn_macro->setEnabled(false);
  btn_close->setEnabled(false);
  btn_start->hide();
  macro_->show();
}

void TfrmMTmain::MacroWindowClosed() {
  batch_.macro_mode = false;
  btn_macro->setEnabled(true);
  btn_close->setEnabled(true);
  btn_start->show();
}

// The batch borrows the list and the output fields to show each folder's run; the
// user's work comes back however the batch ends, so that nothing of it is lost and
// no folder of the batch goes into the settings file.
void TfrmMTmain::MacroRunRequested(const BatchRequest& request) {
  const ImageFileList list = list_;
  const ImageFileList saved_list = saved_list_;
  const std::string list_file_name = save_dlg_file_name_;
  const QString out_path = edt_out_path->text();
  const QString out_name = edt_out->text();
  const QString title = edt_title->text();
  const auto give_back = [&] {
    list_ = list;
    saved_list_ = saved_list;
    save_dlg_file_name_ = list_file_name;
    edt_out_path->setText(out_path);
    edt_out->setText(out_name);
    edt_title->setText(title);
    ShowList();
  };
  try {
    RunStoppable([&] {
      RunBatch(request, ReadLiveSettings(), list_, ui_, batch_, *this,
               files_.navigation_images_folder);
    });
  } catch (...) {
    give_back();
    throw;
  }
  give_back();
}

// Hiding is no close: batch mode goes on while the batch runs.
void TfrmMTmain::HideBatchWindow() {
  macro_->hide();
}

void TfrmMTmain::ShowBatchWindow() {
  macro_->show();
}

// The list now holds a folder's pictures, found again there at any time: nothing
// to offer for saving.
void TfrmMTmain::ShowFolder(const std::string& out_path, const std::string& out_name) {
  edt_out_path->setText(QString::fromStdString(out_path));
  edt_out->setText(QString::fromStdString(out_name));
  saved_list_ = list_;
  ShowList();
}

void TfrmMTmain::ShowRunProgress(const RunProgress& progress) {
  run_bar_->setVisible(progress.total > 0);
  const double part = progress.total > 0 ? progress.done / static_cast<double>(progress.total) : 0;
  run_bar_->setValue(static_cast<int>(run_bar_->maximum() * part));
  run_bar_->setFormat(QString::fromStdString(RunProgressText(progress)));
}

bool TfrmMTmain::MayFillList() {
  return OfferToSaveList();
}

}  // namespace montrelle
