// The image list behind the grid: its buttons, the list file, the files dropped on
// the window, and the entry the selection shows in the preview. The grid is shown
// afresh from the list after every change.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "app/main_window.h"
#include "imagelist/list_file.h"
#include "imagelist/list_operations.h"
#include "imaging/preview_rules.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {

void TfrmKXmain::ShowList() {
  StG_list->ShowList(list_);
}

void TfrmKXmain::Button5Click() {
  ClearAll(list_, CB_ask->isChecked(), ui_);
  ShowList();
}

void TfrmKXmain::Button6Click() {
  DeleteCurrent(list_, StG_list->CursorRow(), CB_ask->isChecked(), ui_);
  ShowList();
}

void TfrmKXmain::Button7Click() {
  const int row = MoveUp(list_, StG_list->CursorRow());
  ShowList();
  StG_list->SetCursorRow(row);
}

void TfrmKXmain::Button8Click() {
  const int row = MoveDown(list_, StG_list->CursorRow());
  ShowList();
  StG_list->SetCursorRow(row);
}

int TfrmKXmain::SelectedEntry() const {
  const ListGrid::RowRange rows = StG_list->SelectedRows();
  return IsValidSelection(rows.top, rows.bottom, list_.count()) ? rows.top : 0;
}

void TfrmKXmain::StG_listClick() {
  const int n = SelectedEntry();
  if (n == 0) return;
  const QString folder = QString::fromStdString(FolderPart(list_.paths().at(n - 1)));
  edt_f_path->setText(folder);
  edt_f_path->setToolTip(folder);
  preview_->ShowEntry(n, CB_preview->isChecked());
}

// The dialog's overwrite question would look at the name as chosen; the file is
// written under the name with ".txt", so the question is asked here about that one.
void TfrmKXmain::save_listClick() {
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
void TfrmKXmain::Button4Click() {
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
void TfrmKXmain::dragEnterEvent(QDragEnterEvent* event) {
  if (!run_in_progress_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmKXmain::dropEvent(QDropEvent* event) {
  if (run_in_progress_) {
    event->ignore();
    return;
  }
  const QList<QUrl> urls = event->mimeData()->urls();
  Guarded([&] { AddDroppedFiles(urls); });
  event->acceptProposedAction();
}

void TfrmKXmain::AddDroppedFiles(const QList<QUrl>& urls) {
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const std::string path = url.toLocalFile().toStdString();
    if (AcceptsDroppedPath(path)) list_.AddFile(path);
  }
  ShowList();
}

}  // namespace montrelle
