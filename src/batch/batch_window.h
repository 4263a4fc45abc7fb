// The batch window: the search folder, the batch output folder, "リストファイルの
// み作成する" and the run and close buttons. It is opened non-modal by the main
// window's batch button; closing it (its close button or the title bar) is always
// allowed, hides it and reports `closed`, so the main window leaves batch mode.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "app/clickable_widgets.h"

namespace montrelle {

class TfrmKXMacro : public QWidget {
  Q_OBJECT
 public:
  TfrmKXMacro();

  void Button2Click();

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  DoubleClickEdit* edt_in_path;
  QPushButton* btn_bg_image;
  DoubleClickEdit* edt_out_path;
  QPushButton* Button3;
  QCheckBox* CB_make_list;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace montrelle
