#include "batch/batch_window.h"

#include <QCloseEvent>

#include "app/control_factory.h"

namespace montrelle {

TfrmKXMacro::TfrmKXMacro()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmKXMacro"));
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
  connect(Button2, &QPushButton::clicked, this, &TfrmKXMacro::Button2Click);
}

void TfrmKXMacro::Button2Click() {
  close();
}

void TfrmKXMacro::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace montrelle
