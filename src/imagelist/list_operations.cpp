#include "imagelist/list_operations.h"

#include "imagelist/picture_kind.h"
#include "platform/file_system.h"

namespace montrelle {

bool AcceptsDroppedPath(const std::string& path) {
  return KindsOf(path).any() && FileExists(path);
}

bool ClearAll(ImageFileList& list, bool dontask, UiServices& ui) {
  if (list.count() == 0) return false;
  if (!dontask && !ui.ConfirmOkCancel("リストを全て削除していいですか？")) return false;
  list.Clear();
  return !dontask;
}

void DeleteCurrent(ImageFileList& list, int cursor_row, bool dontask, UiServices& ui) {
  if (list.count() == 0 || cursor_row < 1 || cursor_row > list.count()) return;
  if (!dontask && !ui.ConfirmOkCancel("指定したリストを削除していいですか？")) return;
  list.Remove(cursor_row);
}

int MoveUp(ImageFileList& list, int cursor_row) {
  if (list.count() == 0 || cursor_row > list.count() || cursor_row < 2) return cursor_row;
  list.Swap(cursor_row - 1);
  return cursor_row - 1;
}

int MoveDown(ImageFileList& list, int cursor_row) {
  if (list.count() == 0 || cursor_row < 1 || cursor_row > list.count() - 1) return cursor_row;
  list.Swap(cursor_row);
  return cursor_row + 1;
}

}  // namespace montrelle
