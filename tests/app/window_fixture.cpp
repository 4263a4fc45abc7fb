#include "app/window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

namespace montrelle::testing {

void WindowTest::Drop(const std::vector<std::string>& items) const {
  QList<QUrl> urls;
  for (const std::string& item : items) {
    const QString text = QString::fromStdString(item);
    urls << (item.find("://") != std::string::npos ? QUrl(text) : QUrl::fromLocalFile(text));
  }
  QMimeData data;
  data.setUrls(urls);
  // Qt delivers a drop only to the widget that accepted the drag's entry.
  const QPoint place(300, 100);
  QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&windows->main, &enter);
  QDropEvent drop(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&windows->main, &drop);
}

}  // namespace montrelle::testing
