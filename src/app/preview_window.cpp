#include "app/preview_window.h"

#include <QCloseEvent>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>

#include "app/control_factory.h"
#include "app/error_guard.h"
#include "imagelist/picture_kind.h"
#include "imaging/preview_picture.h"
#include "imaging/preview_rules.h"
#include "platform/file_error.h"

namespace montrelle {

namespace {

constexpr int kWidth = 180;
constexpr int kHeight = 449;

}  // namespace

TfrmMTimg::TfrmMTimg(const QWidget& main_window, PreviewTarget& target, DialogServices& dialogs)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      main_window_(main_window),
      target_(target),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmMTimg"));
  setWindowTitle(QStringLiteral("画像プレビュー"));
  setFont(WindowFont());
  // Closing the main window alone ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kWidth, kHeight);

  Panel2 = AddControl<QFrame>(this, "Panel2", {6, 8, 160, 120});
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(2);
  // The picture area is the panel's inner part, inside its 2-pixel border.
  Img_preview = AddControl<QLabel>(Panel2, "Img_preview", {2, 2, kPreviewWidth, kPreviewHeight});
  Img_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  GroupBox1 = AddControl<QGroupBox>(this, "GroupBox1", {6, 138, 160, 129}, "画像方向の設定");
  CB_rl = AddControl<MouseUpCheckBox>(GroupBox1, "CB_rl", {8, 16, 73, 17}, "左右反転");
  CB_ud = AddControl<MouseUpCheckBox>(GroupBox1, "CB_ud", {80, 16, 69, 17}, "上下反転");
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
  connect(CB_show_com, &QCheckBox::toggled, this, &TfrmMTimg::CB_show_comClick);
  connect(RdG_rotation, &RadioGroup::itemChosen, this,
          [this] { Guarded([this] { RdG_rotationClick(); }); });
  for (MouseUpCheckBox* box : {CB_rl, CB_ud}) {
    connect(box, &MouseUpCheckBox::mouseReleased, this,
            [this] { Guarded([this] { CB_rlMouseUp(); }); });
  }
  connect(Re_comment, &QPlainTextEdit::textChanged, this,
          [this] { Guarded([this] { Re_commentChange(); }); });
  ShowNoEntry();
}

void TfrmMTimg::Guarded(const std::function<void()>& handler) {
  RunGuarded(dialogs_, this, handler);
}

void TfrmMTimg::ShowEntry(int n, bool draw_picture) {
  const ImageEntry entry = target_.EditedList().Entry(n);
  shown_ = n;
  EnableEntryControls();
  Img_preview->clear();
  {
    // Showing a comment is no edit of it.
    const QSignalBlocker quiet(Re_comment);
    Re_comment->setPlainText(QString::fromStdString(entry.comment));
  }
  CB_rl->setChecked(OrientationFlagOn(entry.orientation, 1));
  CB_ud->setChecked(OrientationFlagOn(entry.orientation, 2));
  const int item = RotationItem(entry.orientation);
  if (item != RdG_rotation->itemIndex()) {
    RdG_rotation->setItemIndex(item);
    // Writes the orientation in its normal form; the nested refresh finds the
    // rotation unchanged, so it goes no deeper.
    RdG_rotationClick();
  }
  if (!draw_picture) return;
  // The orientation as the write-back left it.
  DrawPicture(entry.path, target_.EditedList().orientations().at(n - 1));
}

void TfrmMTimg::ShowNoEntry() {
  shown_ = 0;
  EnableEntryControls();
  Img_preview->clear();
  CB_rl->setChecked(false);
  CB_ud->setChecked(false);
  RdG_rotation->setItemIndex(0);
  const QSignalBlocker quiet(Re_comment);
  Re_comment->clear();
}

void TfrmMTimg::EnableEntryControls() {
  for (QWidget* control : std::initializer_list<QWidget*>{CB_rl, CB_ud, RdG_rotation}) {
    control->setEnabled(shown_ != 0);
  }
  CB_show_comClick();
}

void TfrmMTimg::DrawPicture(const std::string& path, const std::string& orientation) {
  const int item = RdG_rotation->itemIndex();
  const bool quarter_turn = item == 1 || item == 2;
  try {
    // A path of both kinds is drawn as a bitmap, then as a JPEG.
    const PictureKinds kinds = KindsOf(path);
    if (kinds.bitmap) ShowPicture(PreviewBitmap(path, orientation, quarter_turn));
    if (kinds.jpeg) ShowPicture(PreviewJpeg(path, orientation, quarter_turn));
    if (kinds.library) {
      ShowPicture(PreviewLibraryPicture(path, *kinds.library, orientation, quarter_turn));
    }
  } catch (const AppError& error) {
    throw NamingFile(error, path);
  }
}

void TfrmMTimg::ShowPicture(const RgbImage& picture) {
  const QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 3,
                     QImage::Format_RGB888);
  Img_preview->setPixmap(QPixmap::fromImage(image));
  // The label is as large as the picture, centred across the area at its top.
  const QPoint area = Panel2->contentsRect().topLeft();
  Img_preview->setGeometry(area.x() + PreviewLeft(picture.width), area.y(), picture.width,
                           picture.height);
  emit pictureShown();
}

void TfrmMTimg::RdG_rotationClick() {
  if (shown_ == 0) return;
  target_.EditedList().SetOrientation(
      shown_, OrientationText(CB_rl->isChecked(), CB_ud->isChecked(), RdG_rotation->itemIndex()));
  target_.StG_listClick();
}

void TfrmMTimg::CB_rlMouseUp() {
  RdG_rotationClick();
}

void TfrmMTimg::Re_commentChange() {
  if (shown_ == 0) return;
  std::vector<std::string> lines;
  for (const QString& line : Re_comment->toPlainText().split(u'\n')) {
    lines.push_back(line.toStdString());
  }
  target_.EditedList().SetComment(shown_, JoinCommentLines(lines));
}

void TfrmMTimg::CB_show_comClick() {
  Re_comment->setEnabled(CB_show_com->isChecked() && shown_ != 0);
}

void TfrmMTimg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  move(PreviewPlace(main_window_.screen()->geometry().size(), main_window_.frameGeometry().size()));
}

// Some window managers draw a close button anyway: the user's close request is
// refused. The program's own (at its end) is not, or the program could not end.
void TfrmMTimg::closeEvent(QCloseEvent* event) {
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
