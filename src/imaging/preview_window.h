// The preview window: a small tool window beside the main window with the picture
// of the selected entry, its orientation controls and its comment, and the global
// option "コメントを出力する" (CB_show_com).
//
// It has no title-bar buttons and refuses the user's close requests: it is shown
// and hidden only through the main window's "画像プレビュー" box. Each time it becomes
// visible it places itself so that its right edge meets the left edge of the main
// window centred on the screen.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include "app/radio_group.h"

namespace montrelle {

class TfrmKXimg : public QWidget {
  Q_OBJECT
 public:
  // `main_window` is the window this one is placed beside.
  explicit TfrmKXimg(const QWidget& main_window);

  QCheckBox* show_comment_box() const { return CB_show_com; }

  // The comment editor is enabled exactly when CB_show_com is ticked; also run
  // whenever the program changes the box.
  void CB_show_comClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const QWidget& main_window_;
  QFrame* Panel2;
  QLabel* Img_preview;
  QGroupBox* GroupBox1;
  QCheckBox* CB_rl;
  QCheckBox* CB_ud;
  RadioGroup* RdG_rotation;
  QGroupBox* GpB_comment;
  QPlainTextEdit* Re_comment;
  QCheckBox* CB_show_com;
};

// Where the preview window goes: left of a main window of `main_outer` size centred
// on a screen of `screen` size (180 is the preview window's width).
QPoint PreviewPlace(QSize screen, QSize main_outer);

}  // namespace montrelle
