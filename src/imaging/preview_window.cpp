#include "imaging/preview_window.h"

#include <QCloseEvent>
#include <QScreen>

#include "app/control_factory.h"

namespace montrelle {

namespace {

constexpr int kWidth = 180;
constexpr int kHeight = 449;

}  // namespace

TfrmKXimg::TfrmKXimg(const QWidget& main_window)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_window_(main_window) {
  setObjectName(QStringLiteral("frmKXimg"));
  setWindowTitle(QStringLiteral("画像プレビュー"));
  setFont(WindowFont());
  // Closing the main window alone ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kWidth, kHeight);

  Panel2 = AddControl<QFrame>(this, "Panel2", {6, 8, 160, 120});
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(2);
  // The picture area is the panel's inner 156 x 116.
  Img_preview = AddControl<QLabel>(Panel2, "Img_preview", {2, 2, 156, 116});
  Img_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  GroupBox1 = AddControl<QGroupBox>(this, "GroupBox1", {6, 138, 160, 129}, "画像方向の設定");
  CB_rl = AddControl<QCheckBox>(GroupBox1, "CB_rl", {8, 16, 73, 17}, "左右反転");
  CB_ud = AddControl<QCheckBox>(GroupBox1, "CB_ud", {80, 16, 69, 17}, "上下反転");
  RdG_rotation = AddControl<RadioGroup>(
      GroupBox1, "RdG_rotation", {8, 40, 145, 81}, "画像の回転",
      QStringList{"回転しない", "90°(反時計回り)", "90°(時計回り)", "180°"}, 0);

  GpB_comment = AddControl<QGroupBox>(this, "GpB_comment", {6, 276, 160, 137}, "コメント");
  Re_comment = AddControl<QPlainTextEdit>(GpB_comment, "Re_comment", {6, 16, 149, 89});
  Re_comment->setLineWrapMode(QPlainTextEdit::NoWrap);
  Re_comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Re_comment->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  CB_show_com =
      AddControl<QCheckBox>(GpB_comment, "CB_show_com", {8, 112, 121, 17}, "コメントを出力する");

  SetTabChain({Re_comment, CB_show_com, CB_ud, CB_rl, RdG_rotation});
  connect(CB_show_com, &QCheckBox::toggled, this, &TfrmKXimg::CB_show_comClick);
  CB_show_comClick();
}

void TfrmKXimg::CB_show_comClick() {
  Re_comment->setEnabled(CB_show_com->isChecked());
}

void TfrmKXimg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  move(PreviewPlace(main_window_.screen()->geometry().size(), main_window_.frameGeometry().size()));
}

// Some window managers draw a close button anyway: the user's close request is
// refused. The program's own (at its end) is not, or the program could not end.
void TfrmKXimg::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) {
    event->ignore();
  } else {
    event->accept();
  }
}

QPoint PreviewPlace(QSize screen, QSize main_outer) {
  // Integer division truncates toward zero, also for a screen narrower than the window.
  return {(screen.width() - main_outer.width()) / 2 - kWidth,
          (screen.height() - main_outer.height()) / 2};
}

}  // namespace montrelle
