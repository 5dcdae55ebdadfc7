// The keys of the main window's commands, in the portable text of a key
// sequence ("Ctrl+Shift+S").  The menus show them beside their entries.
#ifndef ZELVOMINI_UI_SHORTCUTS_H_
#define ZELVOMINI_UI_SHORTCUTS_H_

#include "ui/batch_window.h"
#include "ui/main_menu.h"

namespace zelvo {

// nullptr for a command without a key.
const char* ShortcutOf(Cmd cmd);
// The batch window's: its run keys are the main window's.
const char* ShortcutOf(BatchCmd cmd);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_SHORTCUTS_H_
