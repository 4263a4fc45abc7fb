// The image list behind the grid: its buttons, the list file, the files dropped on
// the window, and the entry the selection shows in the preview. The grid is shown
// afresh from the list after every change.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "imagelist/list_file.h"
#include "imagelist/list_operations.h"
#include "imaging/exif_orientation.h"
#include "imaging/preview_rules.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {

void TfrmMTmain::ShowList() {
  StG_list->ShowList(list_);
  // A picture that cannot be shown must not end the change that came before it.
  Guarded([this] { StG_listClick(); });
}

void TfrmMTmain::Button5Click() {
  const bool report = ClearAll(list_, CB_ask->isChecked(), ui_);
  ShowList();
  if (report) ui_.ShowMessage("終了しました");
}

void TfrmMTmain::Button6Click() {
  DeleteCurrent(list_, StG_list->CursorRow(), CB_ask->isChecked(), ui_);
  ShowList();
}

void TfrmMTmain::Button7Click() {
  const int row = MoveUp(list_, StG_list->CursorRow());
  ShowList();
  StG_list->SetCursorRow(row);
}

void TfrmMTmain::Button8Click() {
  const int row = MoveDown(list_, StG_list->CursorRow());
  ShowList();
  StG_list->SetCursorRow(row);
}

int TfrmMTmain::SelectedEntry() const {
  const ListGrid::RowRange rows = StG_list->SelectedRows();
  return IsValidSelection(rows.top, rows.bottom, list_.count()) ? rows.top : 0;
}

void TfrmMTmain::StG_listClick() {
  // Creation shows the list before the preview window exists.
  if (!preview_) return;
  const int n = SelectedEntry();
  const QString folder =
      n == 0 ? QString() : QString::fromStdString(FolderPart(list_.paths().at(n - 1)));
  edt_f_path->setText(folder);
  edt_f_path->setToolTip(folder);
  if (n == 0) {
    preview_->ShowNoEntry();
  } else {
    preview_->ShowEntry(n, CB_preview->isChecked());
  }
}

bool TfrmMTmain::MayDropList() {
  return batch_.macro_mode || OfferToSaveList();
}

bool TfrmMTmain::OfferToSaveList() {
  const bool unsaved = list_.paths() != saved_list_.paths() ||
                       list_.comments() != saved_list_.comments() ||
                       list_.orientations() != saved_list_.orientations();
  if (list_.count() == 0 || !unsaved) return true;
  switch (ui_.AskYesNoCancel("画像ファイルリストは保存されていません。保存しますか？")) {
    case YesNoCancel::kYes:
      return SaveList(true);
    case YesNoCancel::kNo:
      return true;
    case YesNoCancel::kCancel:
      break;
  }
  return false;
}

void TfrmMTmain::save_listClick() {
  SaveList();
}

// The dialog's overwrite question would look at the name as chosen; the file is
// written under the name with ".txt", so the question is asked here about that one.
bool TfrmMTmain::SaveList(bool ask_name) {
  if (!HasEntriesToSave(list_, ui_)) return false;
  // A name is asked for in batch mode too when none has been set yet.
  const bool ask = ask_name || !batch_.macro_mode || save_dlg_file_name_.empty();
  std::string file = save_dlg_file_name_;
  if (ask) {
    const auto chosen = dialogs_.ChooseListFileToSave(this, save_dlg_file_name_);
    if (!chosen) return false;
    file = ListFileName(*chosen);
    // The dialog starts at the file written last time.
    save_dlg_file_name_ = file;
    if (LookUpEntry(file) && !ui_.ConfirmYesNo(file + " は既に存在します。上書きしますか？")) {
      return false;
    }
  }
  SaveListFile(list_, file, ui_);
  saved_list_ = list_;
  if (ask) ui_.ShowMessage("終了しました");
  return true;
}

// The list is emptied before the file is read, so a file that cannot be read
// leaves it empty; the grid shows whatever the list holds.
void TfrmMTmain::Button4Click() {
  if (!MayDropList()) return;
  const auto chosen = dialogs_.ChooseListFileToOpen(this);
  if (!chosen) return;
  // The loaded list is seen from its first entry, however long the last one was.
  StG_list->scrollToTop();
  try {
    LoadListFile(list_, *chosen, [this](const std::string& picture) {
      return StartingOrientation(picture, CB_exif->isChecked());
    });
  } catch (...) {
    ShowList();
    throw;
  }
  saved_list_ = list_;
  ShowList();
}

// While a make run lets events through, nothing may change the list it works on.
void TfrmMTmain::dragEnterEvent(QDragEnterEvent* event) {
  if (!run_in_progress_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMTmain::dropEvent(QDropEvent* event) {
  if (run_in_progress_) {
    event->ignore();
    return;
  }
  const QList<QUrl> urls = event->mimeData()->urls();
  Guarded([&] { AddDroppedFiles(urls); });
  event->acceptProposedAction();
}

// The dropped file's path as the bytes the file system knows it by. A name that is
// not UTF-8 (possible on Linux) would not survive a detour through QString, so the
// path is taken from the URL's own percent-encoded bytes.
static std::string DroppedPath(const QUrl& url) {
  if (!url.host().isEmpty()) return url.toLocalFile().toStdString();
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// A drop with a name the list cannot take adds none of its files.
void TfrmMTmain::AddDroppedFiles(const QList<QUrl>& urls) {
  std::vector<std::string> paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile() && AcceptsDroppedPath(DroppedPath(url)))
      paths.push_back(DroppedPath(url));
  }
  for (const std::string& path : paths) RequireOneLinePath(path);
  for (const std::string& path : paths) {
    list_.AddFile(path, StartingOrientation(path, CB_exif->isChecked()));
  }
  ShowList();
}

}  // namespace montrelle
