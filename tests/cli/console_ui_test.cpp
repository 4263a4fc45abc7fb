// The console's messages and status line, byte for byte as they reach the stream.
#include "cli/console_ui.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace montrelle {
namespace {

// What `run` writes through a console UI.
std::string Written(bool show_progress, const std::function<void(ConsoleUi&)>& run) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  {
    ConsoleUi ui(out, show_progress, true);
    run(ui);
  }
  std::fclose(out);
  std::string written(buffer, size);
  std::free(buffer);
  return written;
}

// The line is drawn when it changes, however often events are let through; a
// message takes its place, and the line comes back after the message.
TEST(ConsoleUi, StatusLineIsDrawnOnlyWhenItChanges) {
  const auto run = [](ConsoleUi& ui) {
    ui.ProcessEvents();
    ui.SetPhase("縮小画像作成");
    ui.ProcessEvents();
    ui.ProcessEvents();
    ui.SetProgress("1/2");
    ui.ProcessEvents();
    ui.ProcessEvents();
    ui.ShowMessage("終了しました");
    ui.ProcessEvents();
    ui.ProcessEvents();
    ui.SetProgress("");
    ui.ProcessEvents();
    ui.SetPhase("");
    ui.ProcessEvents();
    ui.ProcessEvents();
  };
  const std::string clear = "\r\033[K";
  const struct {
    bool show_progress;
    std::string written;
  } cases[] = {
      {true, "縮小画像作成" + clear + "縮小画像作成 1/2" + clear + "終了しました\n" +
                 "縮小画像作成 1/2" + clear + "縮小画像作成" + clear},
      {false, "終了しました\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(c.show_progress, run), c.written) << c.show_progress;
  }
}

}  // namespace
}  // namespace montrelle
