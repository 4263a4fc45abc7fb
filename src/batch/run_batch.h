// The batch run: one gallery, or one list file, for every folder directly under a
// search folder, made with the settings of the moment the run starts.
//
// After the question "マクロ処理を開始します" (OK / キャンセル) the batch window is
// hidden and the folders directly under the search folder are taken in name order,
// hidden ones (a leading ".") left out; when there is none (or no search folder)
// the batch window comes back with "処理するフォルダがありません: «folder»". For each
// folder F the entries of search/F are taken, hidden ones included, when their
// name contains "jpg", "JPG", "jpeg", "JPEG", "bmp" or "BMP" (case-sensitive, no
// dot: a folder jpg_old counts, A.Jpg does not). A folder without such entries is
// passed over and leaves the list and the output fields as they were. Otherwise
// the list is emptied and filled with those entries as dropped files are, the
// output folder becomes out/F and the output name F.html, and then either the list
// file out/F_list.txt is written (out made first when missing) or the make run
// makes the gallery, in batch mode (no questions, no end message, one QRV list for
// the whole batch in out).
// At the end the batch window comes back, a beep sounds and "終了しました" is shown.
//
// Without an output name nothing happens; without a search folder
// "検索フォルダを指定してください", without an output folder "出力フォルダを指定して
// ください" is shown and nothing happens (the galleries would otherwise land in the
// root folder). Then the windows may offer the user's list for saving, and a list
// the user keeps stops the batch before its question. When a folder's run stops, with a
// message or an error, the batch stops there: the batch window comes back, and an
// error is thrown on to the caller, which shows it. A stop asked for through
// `ui.stop` ends the batch the same way, with RunStopped, in a folder's run or
// before the next folder.
#pragma once

#include <string>

#include "gallery/batch_state.h"
#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// What the batch window holds when its run button is pressed.
struct BatchRequest {
  std::string search_folder;  // edt_in_path
  std::string out_folder;     // edt_out_path: the batch root
  bool lists_only = false;    // CB_make_list
};

// What the batch run does to the windows.
class BatchWindows {
 public:
  virtual ~BatchWindows() = default;
  virtual void HideBatchWindow() = 0;
  virtual void ShowBatchWindow() = 0;
  // A folder's turn: the list now holds its pictures; its output folder and name go
  // into the main window's fields.
  virtual void ShowFolder(const std::string& out_path, const std::string& out_name) = 0;
  // Whether the batch may fill the list: false when the user keeps an unsaved list.
  virtual bool MayFillList() = 0;
};

enum class BatchEnd {
  kNotStarted,    // a field empty, the list kept, or cancelled
  kNothingFound,  // nothing under the search folder
  kStopped,       // a folder's make run stopped with a message
  kFinished,      // "終了しました"
};

// `settings` are the main window's at the start; `list` is the main window's list,
// which keeps the last folder's pictures. `batch.macro_mode` is set by the caller.
BatchEnd RunBatch(const BatchRequest& request, LiveSettings settings, ImageFileList& list,
                  UiServices& ui, BatchState& batch, BatchWindows& windows,
                  const std::string& navigation_images_folder);

}  // namespace montrelle
