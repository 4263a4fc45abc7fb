// Creation, showing and closing of the main window, and the error guard of its
// handlers.
#include "app/main_window.h"

#include <QCloseEvent>

#include "app/batch_window.h"
#include "app/error_guard.h"
#include "app/preview_window.h"
#include "settings/settings_file.h"

namespace montrelle {

TfrmMTmain::TfrmMTmain(UiServices& ui, DialogServices& dialogs, ProgramFiles files)
    : ui_(ui), dialogs_(dialogs), files_(std::move(files)) {
  BuildLayout();
  WireEvents();
  FormCreate();
}

void TfrmMTmain::AttachWindows(TfrmMTimg& preview, TfrmMTMacro& macro) {
  preview_ = &preview;
  macro_ = &macro;
  On(macro_, &TfrmMTMacro::closed, &TfrmMTmain::MacroWindowClosed);
  connect(macro_, &TfrmMTMacro::runRequested, this,
          [this](const BatchRequest& request) { Guarded([&] { MacroRunRequested(request); }); });
  // The grid's selection reaches the preview from now on.
  On(StG_list, &ListGrid::selectionMoved, &TfrmMTmain::StG_listClick);
}

void TfrmMTmain::FormCreate() {
  // A reset in batch mode closes the batch window, so that leaving batch mode also
  // brings the main window's buttons back.
  if (macro_ && macro_->isVisible()) macro_->close();
  batch_.macro_mode = false;
  CmB_type->setCurrentIndex(0);
  // The rest of the creation takes place also when loading stops at a bad value.
  Guarded([this] { LoadSettings(files_.settings_path, options_); });
  list_ = ImageFileList();
  saved_list_ = list_;
  ShowList();
  StG_list->SetCursorRow(1);
}

void TfrmMTmain::FormShow() {
  Guarded([this] { ApplySettings(options_); });
  // The preview window follows its box also when applying stopped part-way.
  CB_previewClick();
  preview_->CB_show_comClick();
}

void TfrmMTmain::Guarded(const std::function<void()>& handler) {
  RunGuarded(dialogs_, this, handler);
}

void TfrmMTmain::btn_closeClick() {
  close();
}

void TfrmMTmain::closeEvent(QCloseEvent* event) {
  bool may_close = false;
  Guarded([&] { may_close = FormCloseQuery(); });
  if (may_close) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace montrelle
