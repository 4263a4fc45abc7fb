// The batch window: the search folder, the batch output folder, "リストファイルの
// み作成する" and the run and close buttons. It is opened non-modal by the main
// window's batch button, centred on the screen; closing it (its close button or the
// title bar) is always allowed, hides it and reports `closed`, so the main window
// leaves batch mode. The run button hands what the window holds to the main window
// (`runRequested`), which runs the batch on its list and settings.
#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QWidget>

#include "app/clickable_widgets.h"
#include "app/dialog_services.h"
#include "batch/run_batch.h"

namespace montrelle {

class TfrmMTMacro : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmMTMacro(DialogServices& dialogs);

  // The handlers, named after their controls.
  void Button1Click();
  void Button2Click();
  void edt_in_pathDblClick();
  void edt_out_pathDblClick();

 signals:
  void runRequested(const BatchRequest& request);
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ChooseFolder(QLineEdit* edit);

  DialogServices& dialogs_;
  bool placed_ = false;
  DoubleClickEdit* edt_in_path;
  QPushButton* btn_bg_image;
  DoubleClickEdit* edt_out_path;
  QPushButton* Button3;
  QCheckBox* CB_make_list;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace montrelle
