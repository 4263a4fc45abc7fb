// montrelle-make: makes a gallery without a window, with the same run as the make
// button, or with --batch one gallery (or list file) per folder, with the same run
// as the batch window. Settings come from the settings file as the window would hold them after
// start-up, then the options replace single fields. Exit status: 0 when the run
// ends with "終了しました", 1 when it stops with a message or an error, 2 for a
// command line it cannot understand, 130 when SIGINT or SIGTERM stopped it.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/run_batch.h"
#include "cli/command_line.h"
#include "cli/console_ui.h"
#include "cli/help_text.h"
#include "gallery/batch_state.h"
#include "gallery/generate_gallery.h"
#include "imagelist/image_list.h"
#include "imagelist/list_file.h"
#include "imagelist/list_operations.h"
#include "imaging/exif_orientation.h"
#include "imaging/jpeg_decoder_choice.h"
#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/program_files.h"
#include "platform/run_stop.h"
#include "settings/apply_options.h"
#include "settings/settings_file.h"

namespace montrelle {
namespace {

// Paths from the command line are made absolute, so that the relative URLs from
// the output folder to the pictures come out right whatever the current folder.
std::string AbsolutePath(const std::string& path) {
  return path.empty() ? path : NormalPath(std::filesystem::absolute(path));
}

// The settings file is only read: a file without any section gives the defaults
// the window would write into it, and only the default file may be missing.
LiveSettings CommandSettings(const CommandOptions& options, const ProgramFiles& files) {
  const std::string file = options.settings_file.value_or(files.settings_path);
  if (options.settings_file && !LookUpEntry(file)) throw FileOpenError(file);
  TMT_Options loaded = DefaultOptions();
  ReadSettingsFile(file, loaded);
  LiveSettings live = FormDefaults();
  ApplyOptions(loaded, live);
  if (options.out) live.out_path = AbsolutePath(*options.out);
  if (options.name) live.out_name = *options.name;
  if (options.title) live.title = *options.title;
  if (options.layout) live.layout = options.layout;
  if (options.no_exif) live.exif = false;
  if (options.keep_metadata) live.keepmeta = true;
  return live;
}

ImageFileList CommandImages(const CommandOptions& options, bool use_exif, UiServices& ui) {
  ImageFileList list;
  if (options.list_file) {
    LoadListFile(list, *options.list_file, [use_exif](const std::string& picture) {
      return StartingOrientation(picture, use_exif);
    });
  }
  for (const std::string& image : options.images) {
    const std::string path = AbsolutePath(image);
    if (AcceptsDroppedPath(path)) {
      list.AddFile(path, StartingOrientation(path, use_exif));
    } else {
      ui.ShowMessage(ShownText(image) + ": 画像ファイルではないので飛ばします");
    }
  }
  return list;
}

// Without windows there is nothing to hide, show or fill.
class NoBatchWindows : public BatchWindows {
 public:
  void HideBatchWindow() override {}
  void ShowBatchWindow() override {}
  void ShowFolder(const std::string&, const std::string&) override {}
  bool MayFillList() override { return true; }
};

int RunBatchCommand(const CommandOptions& options, const LiveSettings& settings, UiServices& ui,
                    const std::string& navigation_images_folder) {
  // The window's batch stops without a word here; a command has to say why.
  if (settings.out_name.empty()) {
    ui.ShowMessage("出力ファイル名を指定してください");
    ui.FocusControl(FocusTarget::kOutName);
    return 1;
  }
  const BatchRequest request{AbsolutePath(*options.batch), AbsolutePath(*options.out),
                             options.lists_only};
  ImageFileList list;
  BatchState batch;
  batch.macro_mode = true;
  NoBatchWindows windows;
  switch (RunBatch(request, settings, list, ui, batch, windows, navigation_images_folder)) {
    case BatchEnd::kFinished:
      return 0;
    case BatchEnd::kNothingFound:
    case BatchEnd::kNotStarted:
    case BatchEnd::kStopped:
      break;
  }
  return 1;
}

// The status of a command that stopped on a signal, as shells report Ctrl-C.
constexpr int kStoppedStatus = 130;

StopRequest* g_stop = nullptr;

void RequestStop(int) {
  g_stop->Request();
}

// SIGINT and SIGTERM ask the run to stop between pictures, so that it leaves only
// whole files; a second one ends the command at once. They are taken also when the
// command was started with them blocked.
void StopOnSignals(StopRequest& stop) {
  g_stop = &stop;
  struct sigaction action = {};
  action.sa_handler = RequestStop;
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGINT, SIGTERM}) {
    sigaction(signal, &action, nullptr);
    sigaddset(&signals, signal);
  }
  sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

int Run(const CommandOptions& options) {
  ConsoleUi ui(stderr, !options.quiet && isatty(STDERR_FILENO), !options.keep_existing,
               !options.quiet);
  StopOnSignals(ui.stop);
  try {
    // The choice is made here, before the first picture, so that it is told once.
    if (ProcessJpegDecoder().self_check_differed) {
      ui.ShowMessage(
          "JPEG の高速デコードを使わずに標準の方法で読みます: "
          "ライブラリの自己検査が一致しませんでした");
    }
    const ProgramFiles files = LocateProgramFiles(ProgramFolder());
    const LiveSettings settings = CommandSettings(options, files);
    if (options.batch) {
      return RunBatchCommand(options, settings, ui, files.navigation_images_folder);
    }
    const ImageFileList list = CommandImages(options, settings.exif, ui);
    BatchState batch;
    return GenerateGallery(settings, list, ui, batch, files.navigation_images_folder) ? 0 : 1;
  } catch (const RunStopped& stopped) {
    ui.ShowMessage(stopped.what());
    return kStoppedStatus;
  } catch (const std::exception& error) {
    ui.ShowMessage(ErrorBoxText(error.what()));
    return 1;
  }
}

}  // namespace
}  // namespace montrelle

int main(int argc, char** argv) {
  using namespace montrelle;
  CommandOptions options;
  try {
    options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::fprintf(stderr, "montrelle-make: %s\n詳しくは montrelle-make --help を見てください。\n",
                 error.what());
    return 2;
  }
  if (options.help) {
    std::fputs(HelpText(HelpLanguageOfLocale()).c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("montrelle-make %s\n", MONTRELLE_VERSION);
    return 0;
  }
  return Run(options);
}
