// libFuzzer target for the settings file reader: the bytes are loaded as
// Montrelle.ini from a scratch file, as the main window does at start-up, then
// put into the control values, written as the window writes them at close, and
// read back.
//
// Loading ends in the settings or in "'%s' は整数ではありません" or
// "'%s' は色を表す16進数ではありません"; a file without any section is replaced by
// the default file and gives the default settings.
// What the window would write at close must load again without error and, written
// once more, give the same bytes (unless a value is enclosed in quotation marks,
// which the reader drops by its rule, or the CP932 bytes pass for UTF-8).
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/app_error.h"
#include "platform/text_file.h"
#include "settings/apply_options.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

namespace {

using namespace montrelle;
using fuzz::Require;

bool Quoted(const std::string& value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.back() == value.front();
}

bool AnyQuoted(const LiveSettings& live) {
  for (const std::string* text :
       {&live.frame_width, &live.frame_count, &live.table_width, &live.table_count,
        &live.table_bwidth, &live.pulldown_width, &live.small_width, &live.bg_image, &live.out_path,
        &live.out_name, &live.title}) {
    if (Quoted(*text)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static const fuzz::ScratchFile file("Montrelle.ini");
  const std::string input(reinterpret_cast<const char*>(data), size);
  file.Write(input);

  TMT_Options options;
  try {
    LoadSettings(file.path(), options);
  } catch (const AppError& e) {
    const std::string text = e.what();
    Require(text.ends_with("' は整数ではありません") ||
                text.ends_with("' は色を表す16進数ではありません"),
            "only a bad number or colour");
    return 0;
  }
  TMT_Options defaults = DefaultOptions();
  TMT_Options again;
  Require(ReadSettingsFile(file.path(), again), "the loaded file reads again");
  Require(again == options, "loading twice gives the same settings");
  if (input.find('[') == std::string::npos) Require(options == defaults, "no section: defaults");

  LiveSettings live;
  try {
    ApplyOptions(options, live);
  } catch (const AppError& e) {
    Require(std::string(e.what()).ends_with("' は整数ではありません"), "only a bad colour");
    return 0;
  }
  const std::string closed = file.Sibling("closed.ini");
  try {
    WriteSettingsFile(closed, kWriteLive, live);
  } catch (const AppError& e) {
    Require(fuzz::StartsWith(e.what(), "ファイル " + closed + " に書けない文字があります"),
            "only unwritable values are refused");
    return 0;
  }
  const std::string written = ReadFileBytes(closed);
  TMT_Options reloaded;
  Require(ReadSettingsFile(closed, reloaded), "the written file has sections");
  LiveSettings live_again;
  ApplyOptions(reloaded, live_again);
  if (AnyQuoted(live) || !fuzz::ReadsBackAsCp932(written)) return 0;
  WriteSettingsFile(closed, kWriteLive, live_again);
  Require(ReadFileBytes(closed) == written, "what the window writes reads back the same");
  return 0;
}
