// The preview window: a small tool window beside the main window with the picture
// of the selected entry, its orientation controls and its comment, and the global
// option "コメントを出力する" (CB_show_com).
//
// The main window shows it the entry at the top of its grid selection after every
// change of the list or the selection, or no entry: then no picture, and the
// orientation and comment controls are disabled. A mouse release over either flip
// box, a rotation change and every change of the comment write straight into the
// entry shown; toggling a box with the keyboard writes nothing until one of those
// happens.
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
#include <functional>
#include <string>
#include <vector>

#include "app/clickable_widgets.h"
#include "app/dialog_services.h"
#include "app/radio_group.h"
#include "imagelist/image_list.h"
#include "imaging/rgb_image.h"

namespace montrelle {

// The main window's side of the preview.
class PreviewTarget {
 public:
  virtual ~PreviewTarget() = default;
  virtual ImageFileList& EditedList() = 0;
  // Shows the selected entry afresh: the path field, then this window.
  virtual void StG_listClick() = 0;
};

class TfrmMTimg : public QWidget {
  Q_OBJECT
 public:
  // `main_window` is the window this one is placed beside; `dialogs` shows the
  // errors of its handlers.
  TfrmMTimg(const QWidget& main_window, PreviewTarget& target, DialogServices& dialogs);

  QCheckBox* show_comment_box() const { return CB_show_com; }

  // Shows entry `n`: comment, flip boxes, rotation (a changed rotation runs
  // RdG_rotationClick at once, which shows the entry once more from inside this
  // call) and, with `draw_picture`, its picture. Errors end it where they occur:
  // what is shown already stays, the picture area stays empty; a picture's error
  // names its file.
  void ShowEntry(int n, bool draw_picture);
  // No entry: no picture, no comment, the orientation controls cleared, and the
  // controls of an entry disabled.
  void ShowNoEntry();
  // The groups a make or batch run disables with the main window's controls.
  std::vector<QWidget*> RunLockedControls() const { return {GroupBox1, GpB_comment}; }

  // The handlers, named after their controls.
  void RdG_rotationClick();
  void CB_rlMouseUp();
  void Re_commentChange();
  // The comment editor is enabled exactly when CB_show_com is ticked and an entry
  // is shown; also run whenever the program changes the box.
  void CB_show_comClick();

 signals:
  // A picture has been put into the picture area.
  void pictureShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Guarded(const std::function<void()>& handler);
  void DrawPicture(const std::string& path, const std::string& orientation);
  void ShowPicture(const RgbImage& picture);
  void EnableEntryControls();

  const QWidget& main_window_;
  PreviewTarget& target_;
  DialogServices& dialogs_;
  // The entry shown, whose edits the controls write; 0 for none.
  int shown_ = 0;
  QFrame* Panel2;
  QLabel* Img_preview;
  QGroupBox* GroupBox1;
  MouseUpCheckBox* CB_rl;
  MouseUpCheckBox* CB_ud;
  RadioGroup* RdG_rotation;
  QGroupBox* GpB_comment;
  QPlainTextEdit* Re_comment;
  QCheckBox* CB_show_com;
};

// Where the preview window goes: left of a main window of `main_outer` size centred
// on a screen of `screen` size (180 is the preview window's width).
QPoint PreviewPlace(QSize screen, QSize main_outer);

}  // namespace montrelle
