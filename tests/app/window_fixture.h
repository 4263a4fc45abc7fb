// The three windows built as the program builds them, in a temporary program
// folder, with a scripted UiServices and scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program_windows.h"
#include "app/scripted_dialogs.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

// QString in test messages as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace montrelle::testing {

// The control of kind T named `name` inside `window`; throws when there is none.
template <class T = QWidget>
T* Child(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name));
  if (!control) throw std::runtime_error(std::string("no control ") + name);
  return control;
}

// FakeUi that also runs `on_events` whenever the core lets window events through,
// and `on_message` whenever a message is shown.
class WindowUi : public FakeUi {
 public:
  std::function<void()> on_events, on_message;
  void ProcessEvents() override {
    FakeUi::ProcessEvents();
    if (on_events) on_events();
  }
  void ShowMessage(const std::string& text) override {
    FakeUi::ShowMessage(text);
    if (on_message) on_message();
  }
  // The window's bar as the program's services show it.
  void ShowRunProgress(const RunProgress& progress) override {
    FakeUi::ShowRunProgress(progress);
    if (window) window->ShowRunProgress(progress);
  }
  TfrmMTmain* window = nullptr;
};

class WindowTest : public ::testing::Test {
 public:
  // Creation (FormCreate runs), without showing anything.
  void Create() {
    windows = std::make_unique<ProgramWindows>(ui, dialogs, files);
    ui.window = &windows->main;
  }
  // Creation and the main window's show handler, as at start-up.
  void Start() {
    Create();
    windows->main.FormShow();
  }

  // Drops these paths (or URLs, when they hold "://") on the main window.
  void Drop(const std::vector<std::string>& items) const;
  // Every cell of the list grid shows the list's text for it, row for row.
  void ExpectGridShowsList() const;

  // A left click on the main window's control `name`.
  void Click(const char* name) const;
  bool Enabled(const char* name) const { return Main(name)->isEnabled(); }
  // Shown as far as its own window goes (the windows themselves stay hidden).
  static bool Shown(const QWidget* control) { return control->isVisibleTo(control->window()); }

  template <class T = QWidget>
  T* Main(const char* name) const {
    return Child<T>(windows->main, name);
  }
  template <class T = QWidget>
  T* Preview(const char* name) const {
    return Child<T>(windows->preview, name);
  }
  template <class T = QWidget>
  T* Macro(const char* name) const {
    return Child<T>(windows->macro, name);
  }

  TempDir dir;
  ProgramFiles files{dir / "Montrelle.ini", dir / "images"};
  WindowUi ui;
  ScriptedDialogs dialogs;
  std::unique_ptr<ProgramWindows> windows;
};

}  // namespace montrelle::testing
