#include "app/batch_window.h"

#include <QCloseEvent>
#include <QScreen>

#include "app/control_factory.h"

namespace montrelle {

TfrmMTMacro::TfrmMTMacro(DialogServices& dialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmMTMacro"));
  setWindowTitle(QStringLiteral("Montrelle(マクロ処理)"));
  setFont(WindowFont());
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(499, 93);

  AddLabel(this, "Label1", 8, 12, "検索フォルダ：");
  edt_in_path = AddControl<DoubleClickEdit>(this, "edt_in_path", {84, 8, 352, 20});
  btn_bg_image = AddControl<QPushButton>(this, "btn_bg_image", {436, 8, 55, 20}, "参照(&I)");
  AddLabel(this, "Label11", 8, 40, "出力フォルダ：");
  edt_out_path = AddControl<DoubleClickEdit>(this, "edt_out_path", {84, 36, 352, 20});
  Button3 = AddControl<QPushButton>(this, "Button3", {436, 36, 55, 20}, "参照(&I)");
  CB_make_list =
      AddControl<QCheckBox>(this, "CB_make_list", {8, 66, 190, 17}, "リストファイルのみ作成する");
  Button1 = AddControl<QPushButton>(this, "Button1", {336, 63, 75, 23}, "実行(&S)");
  Button2 = AddControl<QPushButton>(this, "Button2", {416, 63, 75, 23}, "閉じる(&C)");

  SetTabChain({edt_in_path, btn_bg_image, edt_out_path, Button3, CB_make_list, Button1, Button2});
  connect(Button1, &QPushButton::clicked, this, &TfrmMTMacro::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmMTMacro::Button2Click);
  connect(edt_in_path, &DoubleClickEdit::doubleClicked, this, &TfrmMTMacro::edt_in_pathDblClick);
  connect(btn_bg_image, &QPushButton::clicked, this, &TfrmMTMacro::edt_in_pathDblClick);
  connect(edt_out_path, &DoubleClickEdit::doubleClicked, this, &TfrmMTMacro::edt_out_pathDblClick);
  connect(Button3, &QPushButton::clicked, this, &TfrmMTMacro::edt_out_pathDblClick);
}

void TfrmMTMacro::Button1Click() {
  emit runRequested({edt_in_path->text().toStdString(), edt_out_path->text().toStdString(),
                     CB_make_list->isChecked()});
}

void TfrmMTMacro::edt_in_pathDblClick() {
  ChooseFolder(edt_in_path);
}

void TfrmMTMacro::edt_out_pathDblClick() {
  ChooseFolder(edt_out_path);
}

// Both fields ask with the same caption.
void TfrmMTMacro::ChooseFolder(QLineEdit* edit) {
  if (auto chosen = dialogs_.ChooseFolder(this, "出力パスを指定してください")) {
    edit->setText(QString::fromStdString(*chosen));
  }
}

// Centred on the screen the first time; afterwards where the user left it.
void TfrmMTMacro::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_ || event->spontaneous()) return;
  placed_ = true;
  move(screen()->geometry().center() - rect().center());
}

void TfrmMTMacro::Button2Click() {
  close();
}

void TfrmMTMacro::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace montrelle
