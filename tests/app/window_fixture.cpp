#include "app/window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableWidget>
#include <QtTest/QTest>

#include "platform/codepage.h"

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

void WindowTest::Click(const char* name) const {
  QTest::mouseClick(Main(name), Qt::LeftButton);
}

void WindowTest::ExpectGridShowsList() const {
  const ImageFileList& list = windows->main.image_list();
  const auto* grid = Main<QTableWidget>("StG_list");
  ASSERT_EQ(grid->rowCount(), list.row_count());
  for (int r = 0; r < list.row_count(); ++r) {
    for (int c = 0; c < 4; ++c) {
      ASSERT_EQ(grid->item(r, c)->text().toStdString(), ShownText(list.row(r)[c])) << r << "," << c;
    }
  }
}

}  // namespace montrelle::testing
