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

// The dropped file's path as the bytes the file system knows it by. A name that is
// not UTF-8 (possible on Linux) would not survive a detour through QString, so the
// path is taken from the URL's own percent-encoded bytes.
static std::string DroppedPath(const QUrl& url) {
  if (!url.host().isEmpty()) return url.toLocalFile().toStdString();
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

void TfrmKXmain::AddDroppedFiles(const QList<QUrl>& urls) {
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) continue;
    const std::string path = DroppedPath(url);
    if (AcceptsDroppedPath(path)) list_.AddFile(path);
  }
  ShowList();
}

}  // namespace montrelle
