#include "app/list_grid.h"

#include <QHeaderView>
#include <algorithm>

#include "platform/codepage.h"

namespace montrelle {

namespace {

constexpr int kColumns = 4;
constexpr int kRowHeight = 20;
// The four columns together fill the grid beside its scroll bar.
constexpr int kColumnsWidth = 573;
constexpr int kNumberWidth = 50;
// Room a cell leaves around its text.
constexpr int kCellPadding = 10;

// Wide enough for `widest` whole in the grid's font, and at least `width`.
int ColumnWidth(const QFontMetrics& metrics, const char* widest, int width) {
  return std::max(width, metrics.horizontalAdvance(QString::fromUtf8(widest)) + kCellPadding);
}

}  // namespace

ListGrid::ListGrid(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(kColumns);
  // Row 0 of the list is the header: shown by the horizontal header, so that it
  // stays in view while the rows scroll, and hidden as a row. Its cells stay, as
  // the fixed row the grid has always had.
  setRowCount(1);
  setRowHidden(0, true);
  horizontalHeader()->setFixedHeight(kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  // The size of a 10 GB file and a date with its time show whole; the file name
  // takes the rest.
  const int size_width = ColumnWidth(fontMetrics(), "9999999 KB", 45);
  const int date_width = ColumnWidth(fontMetrics(), "0000/00/00 00:00", 100);
  setColumnWidth(0, kNumberWidth);
  setColumnWidth(1, kColumnsWidth - kNumberWidth - size_width - date_width);
  setColumnWidth(2, size_width);
  setColumnWidth(3, date_width);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, &ListGrid::OnItemChanged);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ListGrid::OnSelectionChanged);
}

void ListGrid::ShowList(const ImageFileList& list) {
  showing_ = true;
  setRowCount(list.row_count());
  const QBrush fixed_face = palette().brush(QPalette::Button);
  const QBrush fixed_text = palette().brush(QPalette::ButtonText);
  for (int r = 0; r < list.row_count(); ++r) {
    for (int c = 0; c < kColumns; ++c) {
      QTableWidgetItem* cell = item(r, c);
      if (!cell) {
        cell = new QTableWidgetItem;
        if (r == 0 || c == 0) {
          cell->setFlags(Qt::NoItemFlags);
          cell->setBackground(fixed_face);
          cell->setForeground(fixed_text);
        }
        setItem(r, c, cell);
      }
      cell->setText(QString::fromStdString(ShownText(list.row(r)[c])));
    }
  }
  for (int c = 0; c < kColumns; ++c) {
    setHorizontalHeaderItem(c, new QTableWidgetItem(item(0, c)->text()));
  }
  // A shorter list would otherwise keep the scroll place of the longer one, its
  // entries above the rows in view.
  if (list.count() < entries_) scrollToTop();
  // An empty list shows no highlighted cell; the first entries then bring back the
  // selection of the cursor's cell.
  if (list.count() == 0) {
    clearSelection();
  } else if (entries_ == 0 && currentIndex().isValid()) {
    selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
  }
  entries_ = list.count();
  showing_ = false;
}

int ListGrid::CursorRow() const {
  return std::max(currentRow(), 0);
}

void ListGrid::SetCursorRow(int row) {
  // An empty list shows no highlighted cell: the cursor moves, nothing is selected.
  setCurrentCell(row, std::max(currentColumn(), 1),
                 entries_ == 0 ? QItemSelectionModel::Clear : QItemSelectionModel::ClearAndSelect);
}

ListGrid::RowRange ListGrid::SelectedRows() const {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (ranges.isEmpty()) return {};
  RowRange rows{ranges.front().topRow(), ranges.front().bottomRow()};
  for (const QTableWidgetSelectionRange& range : ranges) {
    rows.top = std::min(rows.top, range.topRow());
    rows.bottom = std::max(rows.bottom, range.bottomRow());
  }
  return rows;
}

void ListGrid::OnSelectionChanged() {
  if (showing_) return;
  moved_since_press_ = true;
  emit selectionMoved();
}

void ListGrid::mousePressEvent(QMouseEvent* event) {
  moved_since_press_ = false;
  QTableWidget::mousePressEvent(event);
}

// A click that leaves the selection as it was counts as well.
void ListGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  if (!moved_since_press_) emit selectionMoved();
}

void ListGrid::OnItemChanged(QTableWidgetItem* item) {
  if (!showing_ && item->row() >= 1 && item->column() >= 1) {
    emit shownTextEdited(item->row(), item->column(), item->text());
  }
}

}  // namespace montrelle
