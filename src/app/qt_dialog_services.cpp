#include "app/qt_dialog_services.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QImageReader>
#include <QStringList>

#include "app/clickable_widgets.h"
#include "app/message_boxes.h"

namespace montrelle {

namespace {

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

// Every picture type this system can read, as one filter, then "all files".
QString PictureFilter() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  return QStringLiteral("画像ファイル (%1);;すべてのファイル (*)").arg(patterns.join(u' '));
}

const QString kListFileFilter = QStringLiteral("テキストファイル(*.txt)");

}  // namespace

void QtDialogServices::ShowError(QWidget* parent, const std::string& text) {
  RunMessageBox(parent, BoxKind::kError, text);
}

std::optional<std::string> QtDialogServices::ChooseFolder(QWidget* parent,
                                                          const std::string& prompt) {
  return Chosen(QFileDialog::getExistingDirectory(parent, QString::fromStdString(prompt), QString(),
                                                  QFileDialog::ShowDirsOnly));
}

std::optional<ColorValue> QtDialogServices::ChooseColor(QWidget* parent, ColorValue initial) {
  QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return ToColorValue(chosen);
}

std::optional<std::string> QtDialogServices::ChoosePicture(QWidget* parent,
                                                           const std::string& initial_file) {
  return Chosen(QFileDialog::getOpenFileName(
      parent, QString(), QString::fromStdString(initial_file), PictureFilter()));
}

std::optional<std::string> QtDialogServices::ChooseListFileToSave(QWidget* parent,
                                                                  const std::string& file_name) {
  return Chosen(QFileDialog::getSaveFileName(parent, QString(), QString::fromStdString(file_name),
                                             kListFileFilter, nullptr,
                                             QFileDialog::DontConfirmOverwrite));
}

std::optional<std::string> QtDialogServices::ChooseListFileToOpen(QWidget* parent) {
  return Chosen(QFileDialog::getOpenFileName(parent, QString(), QString(), kListFileFilter));
}

}  // namespace montrelle
