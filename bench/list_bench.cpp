// Times the list of a large gallery: every list operation of the main window on
// ten thousand entries (drop, save and load through the buttons, delete, move,
// clear), each with the grid shown afresh and painted, and the list file of that
// size saved and loaded by the core. Prints the milliseconds of each; the tests
// check what the operations do.
//
//   montrelle_list_bench [--entries N]
//
// Runs on Qt's offscreen platform unless the environment names another. Exit
// status 0 when every operation left the list as expected.
#include <unistd.h>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/program_windows.h"
#include "bench/quiet_ui.h"
#include "imagelist/list_file.h"

namespace montrelle::bench {
namespace {

// Answers every list file picker with `list_file`; the other pickers are cancelled.
// The errors are the preview's, which cannot show the stand-in picture files.
class ListFileDialogs : public DialogServices {
 public:
  std::string list_file;

  void ShowError(QWidget*, const std::string&) override {}
  std::optional<std::string> ChooseFolder(QWidget*, const std::string&) override { return {}; }
  std::optional<ColorValue> ChooseColor(QWidget*, ColorValue) override { return {}; }
  std::optional<std::string> ChoosePicture(QWidget*, const std::string&) override { return {}; }
  std::optional<std::string> ChooseListFileToSave(QWidget*, const std::string&) override {
    return list_file;
  }
  std::optional<std::string> ChooseListFileToOpen(QWidget*) override { return list_file; }
};

// Runs `operation` and lets the windows repaint; prints and returns the milliseconds.
double Timed(const std::string& name, const std::function<void()>& operation) {
  const auto start = std::chrono::steady_clock::now();
  operation();
  QApplication::processEvents();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%-44s %9.1f ms\n", name.c_str(), took.count());
  return took.count();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The main window's operations on `entries` pictures; false when one left the
// list with another count than it should.
bool TimeWindow(const std::filesystem::path& dir, int entries) {
  QuietUi ui;
  ListFileDialogs dialogs;
  dialogs.list_file = dir / "big.txt";
  ProgramWindows windows(ui, dialogs, {dir / "Montrelle.ini", dir / "images"});
  windows.ShowMainWindow();
  TfrmMTmain& main = windows.main;
  auto* grid = main.findChild<QTableWidget*>(QStringLiteral("StG_list"));

  QList<QUrl> urls;
  for (int i = 0; i < entries; ++i) {
    const std::string path = dir / ('p' + std::to_string(i) + ".jpg");
    WriteFile(path, std::string(static_cast<size_t>(i % 7) * 1000, 'x'));
    urls << QUrl::fromLocalFile(QString::fromStdString(path));
  }
  const auto drop = [&] {
    QMimeData data;
    data.setUrls(urls);
    const QPoint place(300, 100);
    QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    QDropEvent event(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &event);
  };
  const auto at = [&](int row, void (TfrmMTmain::*handler)()) {
    return [&main, grid, row, handler] {
      grid->setCurrentCell(row, 1);
      (main.*handler)();
    };
  };
  const struct {
    std::string name;
    std::function<void()> operation;
    int count_after;
  } operations[] = {
      {"drop", drop, entries},
      {"save (list button)", [&] { main.save_listClick(); }, entries},
      {"clear before loading", at(1, &TfrmMTmain::Button5Click), 0},
      {"load (list button)", [&] { main.Button4Click(); }, entries},
      {"delete the first", at(1, &TfrmMTmain::Button6Click), entries - 1},
      {"delete in the middle", at(entries / 2, &TfrmMTmain::Button6Click), entries - 2},
      {"move the last up", at(entries - 2, &TfrmMTmain::Button7Click), entries - 2},
      {"move the first down", at(1, &TfrmMTmain::Button8Click), entries - 2},
      {"clear", at(1, &TfrmMTmain::Button5Click), 0},
  };
  std::printf("main window, %d entries:\n", entries);
  bool right = true;
  for (const auto& o : operations) {
    Timed("  " + o.name, o.operation);
    if (main.image_list().count() != o.count_after) {
      std::fprintf(stderr, "%s: %d entries, not %d\n", o.name.c_str(), main.image_list().count(),
                   o.count_after);
      right = false;
    }
  }
  return right;
}

// The core's list file of `entries` pictures saved and loaded.
bool TimeListFile(const std::filesystem::path& dir, int entries) {
  ImageFileList list;
  for (int i = 0; i < entries; ++i) {
    list.Append(dir / ("写真" + std::to_string(i) + ".jpg"),
                i % 3 ? "" : "春の庭 " + std::to_string(i), i % 2 ? "0\t0\t0" : "1\t0\t2");
  }
  QuietUi ui;
  const std::string path = dir / "list.txt";
  ImageFileList loaded;
  std::printf("list file, %d entries:\n", entries);
  Timed("  save " + std::to_string(entries) + " entries", [&] { SaveListFile(list, path, ui); });
  Timed("  load " + std::to_string(entries) + " entries", [&] { LoadListFile(loaded, path); });
  return loaded.count() == entries;
}

[[noreturn]] void Usage() {
  std::fprintf(stderr, "usage: montrelle_list_bench [--entries N]\n");
  std::exit(2);
}

}  // namespace
}  // namespace montrelle::bench

int main(int argc, char** argv) {
  using namespace montrelle::bench;
  int entries = 10000;
  if (argc == 3 && argv[1] == std::string("--entries")) {
    entries = std::atoi(argv[2]);
  } else if (argc != 1) {
    Usage();
  }
  if (entries < 4) Usage();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("montrelle_list_bench." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const bool right = TimeWindow(dir, entries) && TimeListFile(dir, entries);
  std::filesystem::remove_all(dir);
  return right ? 0 : 1;
}
