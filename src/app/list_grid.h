// The image list grid: a view of ImageFileList. Row 0 and column 0 are fixed grey
// cells (the header and the entry numbers) that take no cursor and no edits; the
// other cells can be edited in place, which changes only the shown text. Row 0 is
// shown as the grid's header, which stays in view while the rows scroll.
//
// `selectionMoved` reports what the user or the program does to the selection (a
// click, also on the cell already selected; the keyboard; SetCursorRow), but not
// what showing the list again does to it.
#pragma once

#include <QTableWidget>

#include "imagelist/image_list.h"

namespace montrelle {

class ListGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit ListGrid(QWidget* parent);

  // Shows every row of the list (the grid takes the list's row count); a name that
  // is not valid text shows its bad bytes as "\xNN" (ShownText). A list with fewer
  // entries than shown before is shown from its first row; an empty one with no
  // cell selected, until entries come and select the cursor's cell again.
  void ShowList(const ImageFileList& list);
  // The cursor row, 0 when there is none.
  int CursorRow() const;
  // Moves the cursor to `row`, keeping its column; selects its cell unless the list
  // shown is empty.
  void SetCursorRow(int row);

  // The first and last row of the selection; both 0 when nothing is selected.
  struct RowRange {
    int top = 0;
    int bottom = 0;
  };
  RowRange SelectedRows() const;

 signals:
  // The user changed the text of a cell (row and column >= 1).
  void shownTextEdited(int row, int column, const QString& text);
  void selectionMoved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnItemChanged(QTableWidgetItem* item);
  void OnSelectionChanged();

  bool showing_ = false;
  int entries_ = 0;
  // The selection moved since the last mouse press.
  bool moved_since_press_ = false;
};

}  // namespace montrelle
