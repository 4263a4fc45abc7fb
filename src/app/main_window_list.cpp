// The image list behind the grid: its four buttons and the files dropped on the
// window. The grid is shown afresh from the list after every change.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "app/main_window.h"
#include "imagelist/list_operations.h"

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
