#include "app/qt_translation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTranslator>
#include <string>
#include <vector>

namespace montrelle {
namespace {

using Texts = std::vector<std::string>;

// Every label text, then every button's text (its tooltip when it has none).
Texts DialogTexts(const QDialog& dialog) {
  Texts texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().trimmed().isEmpty()) texts.push_back(label->text().toStdString());
  }
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    const QString text = button->text().isEmpty() ? button->toolTip() : button->text();
    texts.push_back(text.toStdString());
  }
  return texts;
}

// The folder and colour dialogs that the output folder's and the colour panels'
// pickers open are Qt's own, so they are Japanese only through Qt's translation.
TEST(InstallQtTranslation, StandardDialogsSpeakJapanese) {
  QTranslator* translator = InstallQtTranslation(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr) << "qtbase_ja.qm not found";

  QFileDialog folders(nullptr, QStringLiteral("出力先を指定してください"));
  folders.setFileMode(QFileDialog::Directory);
  folders.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  EXPECT_EQ(DialogTexts(folders), (Texts{"アドレス:", "ディレクトリ:", "ファイルの種類:", "戻る",
                                         "進む", "親ディレクトリ", "新しいフォルダの作成",
                                         "一覧表示", "詳細表示", "選択(&C)", "キャンセル"}));
  QColorDialog colors;
  EXPECT_EQ(DialogTexts(colors),
            (Texts{"基本カラー(&B)", "カスタムカラー(&C)", "色相(&E):", "彩度(&S):", "明度(&V):",
                   "赤(&R):", "緑(&G):", "青(&U):", "アルファチャネル(&L):", "&HTML:",
                   "スクリーンの色を取得(&P)", "カスタムカラーに追加(&A)", "OK", "キャンセル"}));

  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace
}  // namespace montrelle
