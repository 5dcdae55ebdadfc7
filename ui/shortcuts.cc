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
    default:
      return nullptr;
  }
}

}  // namespace zelvo
