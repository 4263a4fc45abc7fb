// The list buttons' operations, with their confirmations. `dontask` is the state
// of "リスト削除時に確認メッセージを表示しない" at the moment of the click.
#pragma once

#include <string>

#include "imagelist/image_list.h"
#include "platform/ui_services.h"

namespace montrelle {

// Whether a dropped path is taken: it names an existing file of a kind the program
// reads (picture_kind.h).
bool AcceptsDroppedPath(const std::string& path);

// Removes all entries after the confirmation. True when "終了しました" is due (the
// list was emptied and dontask is off): the caller shows it once the emptied list
// is on screen.
bool ClearAll(ImageFileList& list, bool dontask, UiServices& ui);

// Removes the entry at the cursor row after the confirmation; nothing when the row
// is outside the list.
void DeleteCurrent(ImageFileList& list, int cursor_row, bool dontask, UiServices& ui);

// Move the entry at the cursor row; return the new cursor row, or the old one when
// nothing moved.
int MoveUp(ImageFileList& list, int cursor_row);
int MoveDown(ImageFileList& list, int cursor_row);

}  // namespace montrelle
