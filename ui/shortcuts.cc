#include "ui/shortcuts.h"

namespace zelvo {

const char* ShortcutOf(Cmd cmd) {
  switch (cmd) {
    case Cmd::kFileNew:
      return "Ctrl+N";
    case Cmd::kFileOpen:
      return "Ctrl+O";
    case Cmd::kFileSave:
      return "Ctrl+S";
    case Cmd::kFileSaveAs:
      return "Ctrl+Shift+S";
    case Cmd::kPrint:
      return "Ctrl+P";
    case Cmd::kExit:
      return "Ctrl+Q";
    case Cmd::kUndo:
      return "Ctrl+Z";
    case Cmd::kRedo:
      return "Ctrl+Y";
    case Cmd::kPageHome:
      return "Ctrl+1";
    case Cmd::kPageMulti:
      return "Ctrl+2";
    case Cmd::kPageSingle:
      return "Ctrl+3";
    case Cmd::kPageCheck:
      return "Ctrl+4";
    // 検索開始 / 一時停止 / 検索再開: the run button, which has no menu entry.
    case Cmd::kRun:
      return "F5";
    // 検索終了, as a debugger stops: Shift and the run key.
    case Cmd::kStop:
      return "Shift+F5";
    // The paging arrows of the singles and the check page, one page shown at
    // a time.
    case Cmd::kPreviousPage:
    case Cmd::kResultPreviousPage:
      return "PgUp";
    case Cmd::kNextPage:
    case Cmd::kResultNextPage:
      return "PgDown";
    default:
      return nullptr;
  }
}

const char* ShortcutOf(BatchCmd cmd) {
  switch (cmd) {
    case BatchCmd::kAdd:
      return "Ins";
    case BatchCmd::kDelete:
      return "Del";
    case BatchCmd::kBegin:
      return "F5";
    case BatchCmd::kRetry:
      return "Ctrl+F5";
    case BatchCmd::kCancel:
      return "Shift+F5";
    default:
      return nullptr;
  }
}

}  // namespace zelvo
