#include "app/message_boxes.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <stdexcept>

#include "app/error_guard.h"
#include "app/qt_ui_services.h"
#include "app/scripted_dialogs.h"
#include "app/window_fixture.h"
#include "platform/app_error.h"

namespace montrelle {
namespace {

TEST(MessageBoxes, TitlesIconsAndButtons) {
  const struct {
    BoxKind kind;
    const char* title;
    QMessageBox::Icon icon;
    std::vector<QString> buttons;  // the first is the default, the last answers Escape
  } boxes[] = {
      {BoxKind::kMessage, "Montrelle", QMessageBox::NoIcon, {"OK"}},
      {BoxKind::kError, "Montrelle", QMessageBox::Critical, {"OK"}},
      {BoxKind::kOkCancel, "確認", QMessageBox::Question, {"OK", "キャンセル"}},
      {BoxKind::kYesNo, "確認", QMessageBox::Question, {"はい(&Y)", "いいえ(&N)"}},
      {BoxKind::kOverwrite, "情報", QMessageBox::Information, {"はい(&Y)", "いいえ(&N)"}},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.title);
    auto box = MakeMessageBox(nullptr, b.kind, "本文");
    EXPECT_EQ(box->windowTitle(), b.title);
    EXPECT_EQ(box->icon(), b.icon);
    EXPECT_EQ(box->text(), "本文");
    std::vector<QString> texts;
    for (QAbstractButton* button : box->buttons()) texts.push_back(button->text());
    EXPECT_EQ(texts, b.buttons);
    EXPECT_EQ(box->defaultButton()->text(), b.buttons.front());
    EXPECT_EQ(box->escapeButton()->text(), b.buttons.back());
  }
}

TEST(ErrorGuard, ShowsTheErrorTextAndGoesOn) {
  const struct {
    std::function<void()> handler;
    std::vector<std::string> log;
  } cases[] = {
      {[] {}, {}},
      {[] { throw AppError("ファイル a.jpg は開けません"); },
       {"error: ファイル a.jpg は開けません."}},
      {[] { throw AppError("JPEG エラー #42"); }, {"error: JPEG エラー #42."}},
      {[] { throw std::runtime_error("I/O エラー (5)"); }, {"error: I/O エラー (5)"}},
  };
  for (const auto& c : cases) {
    testing::ScriptedDialogs dialogs;
    RunGuarded(dialogs, nullptr, c.handler);
    EXPECT_EQ(dialogs.log, c.log);
  }
}

class QtUiServicesTest : public testing::WindowTest {};

TEST_F(QtUiServicesTest, StatusPanelsAndFocusOfTheMainWindow) {
  Start();
  QtUiServices services;
  services.Attach(windows->main);
  services.SetPhase("画像ページ作成中");
  services.SetProgress("3/10");
  EXPECT_EQ(windows->main.status_panel(0)->text(), "画像ページ作成中");
  EXPECT_EQ(windows->main.status_panel(1)->text(), "3/10");
  services.FocusControl(FocusTarget::kOutPath);
  EXPECT_EQ(windows->main.focusWidget(), Main("edt_out_path"));
  services.FocusControl(FocusTarget::kOutName);
  EXPECT_EQ(windows->main.focusWidget(), Main("edt_out"));
}

}  // namespace
}  // namespace montrelle
