// The rooms of the main window and what they may ask of the window that
// composes them.  frmMain (ui/main_window.h) owns one of each room, wires
// their events to each other and routes every command to the room that
// answers for it; a room knows only the shell and the rooms it was given at
// its construction, never frmMain itself.  A new part of the window is a new
// room: it answers for its commands through MainRoom and asks for the rest
// through MainShell.
#ifndef ZELVOMINI_UI_MAIN_ROOM_H_
#define ZELVOMINI_UI_MAIN_ROOM_H_

#include "files/document_record.h"
#include "ui/main_menu.h"
#include "ui/window_host.h"

namespace zelvo {

// The class every room reports its faults under: to the user the rooms are
// one window.
inline constexpr const char* kMainWindowClass = "frmMain";

// What the window gives every room.
class MainShell {
 public:
  virtual ~MainShell() = default;

  // No search is running.
  virtual bool IsIdle() const = 0;
  // The busy warning during a run; true as well, silently, while an
  // operation holds the window.
  virtual bool CheckBusy() const = 0;
  // Set while a command reads or writes a file or puts singles in place:
  // other commands are kept out, and the panels' changes are no edit of the
  // user's.
  virtual bool OperationFlag() const = 0;
  virtual void SetOperationFlag(bool on) = 0;

  virtual int CurrentPage() const = 0;
  // Shows a page refreshed from the window's state (0 home, 1 multi,
  // 2 singles, 3 check).
  virtual void ShowPage(int page) = 0;

  // The window's document as a file stores it, from every room.
  virtual DocumentRecord BuildDocument() const = 0;
  // The same without the singles (their count and frame kept), for the change
  // check when the singles have not changed.
  virtual DocumentRecord BuildDocumentWithoutSingles() const = 0;
  // Every room back to the empty document.
  virtual void NewDocument() = 0;
  // A document (`whole`) or a conditions file just read, put into the rooms;
  // the multi page shows it.  `vote_from_file`: the document's own vote
  // status replaces the round's.
  virtual void ApplyLoadedDocument(DocumentRecord& doc, bool whole, bool vote_from_file) = 0;
  // An undo or redo step's work put back into the rooms and the page shown.
  virtual void ApplyWork(DocumentRecord doc) = 0;
  // A document made elsewhere (a round as the backtest replayed it) opened as
  // a new, unsaved and unchanged document, after the question about the open
  // one; false when the user kept that one or a run is busy.
  virtual bool OpenAsNewDocument(DocumentRecord doc) = 0;
  // The user's edits since the last step become one undo step.
  virtual void CommitEdits() = 0;

  // The screen must show a change.
  virtual void Changed() const = 0;
  // The dialogs and windows beside the main one (none in some tests).
  virtual WindowHost* Host() const = 0;
};

// A room's commands.  The window fills in a command's caption and the rule
// that keeps file and sort entries closed during a run; the room then sets
// what is its own.
class MainRoom {
 public:
  virtual ~MainRoom() = default;
  // False for a command of another room.
  virtual bool State(Cmd cmd, ActionState& state) const = 0;
  // Carries the command out; false for a command of another room.
  virtual bool Execute(Cmd cmd) = 0;
};

// The operation flag for the length of a scope, put back as it was on the
// way out (also when the operation throws).
class OperationScope {
 public:
  explicit OperationScope(MainShell& shell) : shell_(shell), before_(shell.OperationFlag()) {
    shell_.SetOperationFlag(true);
  }
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;
  ~OperationScope() { shell_.SetOperationFlag(before_); }

 private:
  MainShell& shell_;
  bool before_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MAIN_ROOM_H_
