// The image list grid: a view of ImageFileList. Row 0 and column 0 are fixed grey
// cells (the header and the entry numbers) that take no cursor and no edits; the
// other cells can be edited in place, which changes only the shown text.
#pragma once

#include <QTableWidget>

#include "imagelist/image_list.h"

namespace montrelle {

class ListGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit ListGrid(QWidget* parent);

  // Shows every row of the list (the grid takes the list's row count); a name that
  // is not valid text shows its bad bytes as "\xNN" (ShownText).
  void ShowList(const ImageFileList& list);
  // The cursor row, 0 when there is none.
  int CursorRow() const;
  // Moves the cursor to `row`, keeping its column.
  void SetCursorRow(int row);

 signals:
  // The user changed the text of a cell (row and column >= 1).
  void shownTextEdited(int row, int column, const QString& text);

 private:
  void OnItemChanged(QTableWidgetItem* item);

  bool showing_ = false;
};

}  // namespace montrelle
