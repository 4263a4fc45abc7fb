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
#include "imaging/preview_rules.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {

void TfrmMTmain::ShowList() {
  StG_list->ShowList(list_);
}

void TfrmMTmain::Button5Click() {
  ClearAll(list_, CB_ask->isChecked(), ui_);
  ShowList();
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
  const int n = SelectedEntry();
  if (n == 0) return;
  const QString folder = QString::fromStdString(FolderPart(list_.paths().at(n - 1)));
  edt_f_path->setText(folder);
  edt_f_path->setToolTip(folder);
  preview_->ShowEntry(n, CB_preview->isChecked());
}

// The dialog's overwrite question would look at the name as chosen; the file is
// written under the name with ".txt", so the question is asked here about that one.
void TfrmMTmain::save_listClick() {
  if (!HasEntriesToSave(list_, ui_)) return;
  // In batch mode the list goes under the name set for it, without a word; a name
  // is asked for only when none has been set yet.
  const bool ask = !batch_.macro_mode || save_dlg_file_name_.empty();
  std::string file = save_dlg_file_name_;
  if (ask) {
    const auto chosen = dialogs_.ChooseListFileToSave(this, save_dlg_file_name_);
    if (!chosen) return;
    file = ListFileName(*chosen);
    // The dialog starts at the file written last time.
    save_dlg_file_name_ = file;
    if (LookUpEntry(file) && !ui_.ConfirmYesNo(file + " は既に存在します。上書きしますか？")) {
      return;
    }
  }
  SaveListFile(list_, file, ui_);
  if (ask) ui_.ShowMessage("終了しました");
}

// The list is emptied before the file is read, so a file that cannot be read
// leaves it empty; the grid shows whatever the list holds.
void TfrmMTmain::Button4Click() {
  const auto chosen = dialogs_.ChooseListFileToOpen(this);
  if (!chosen) return;
  try {
    LoadListFile(list_, *chosen);
  } catch (...) {
    ShowList();
    throw;
  }
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
  for (const std::string& path : paths) list_.AddFile(path);
  ShowList();
}

}  // namespace montrelle
