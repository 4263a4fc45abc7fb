#include "app/message_boxes.h"

#include <QPushButton>

namespace montrelle {

namespace {

struct BoxLook {
  QMessageBox::Icon icon;
  const char* title;
  const char* accept;
  const char* reject;  // nullptr: one button only
  const char* middle = nullptr;
};

BoxLook LookOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::kMessage:
      return {QMessageBox::NoIcon, "Montrelle", "OK", nullptr};
    case BoxKind::kError:
      return {QMessageBox::Critical, "Montrelle", "OK", nullptr};
    case BoxKind::kOkCancel:
      return {QMessageBox::Question, "確認", "OK", "キャンセル"};
    case BoxKind::kYesNo:
      return {QMessageBox::Question, "確認", "はい(&Y)", "いいえ(&N)"};
    case BoxKind::kOverwrite:
      return {QMessageBox::Information, "情報", "はい(&Y)", "いいえ(&N)"};
    case BoxKind::kYesNoCancel:
      return {QMessageBox::Question, "確認", "はい(&Y)", "キャンセル", "いいえ(&N)"};
  }
  return {QMessageBox::NoIcon, "Montrelle", "OK", nullptr};
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, BoxKind kind,
                                            const std::string& text) {
  BoxLook look = LookOf(kind);
  auto box =
      std::make_unique<QMessageBox>(look.icon, QString::fromUtf8(look.title),
                                    QString::fromStdString(text), QMessageBox::NoButton, parent);
  QPushButton* accept = box->addButton(QString::fromUtf8(look.accept), QMessageBox::AcceptRole);
  box->setDefaultButton(accept);
  if (look.middle) box->addButton(QString::fromUtf8(look.middle), QMessageBox::NoRole);
  if (look.reject) {
    box->setEscapeButton(box->addButton(QString::fromUtf8(look.reject), QMessageBox::RejectRole));
  } else {
    box->setEscapeButton(accept);
  }
  return box;
}

bool RunMessageBox(QWidget* parent, BoxKind kind, const std::string& text) {
  auto box = MakeMessageBox(parent, kind, text);
  box->exec();
  return box->clickedButton() == box->defaultButton();
}

YesNoCancel RunYesNoCancelBox(QWidget* parent, const std::string& text) {
  auto box = MakeMessageBox(parent, BoxKind::kYesNoCancel, text);
  box->exec();
  if (box->clickedButton() == box->defaultButton()) return YesNoCancel::kYes;
  if (box->buttonRole(box->clickedButton()) == QMessageBox::NoRole) return YesNoCancel::kNo;
  return YesNoCancel::kCancel;
}

}  // namespace montrelle
