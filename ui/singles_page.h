// SinglesPage, the singles of the main window's document and the page that
// lists them: the list (clsTSingle) with its edit lock and paging, selecting,
// adding and deleting singles, the sorts, removing duplicates, and the
// clipboard forms out and in.
// Owns: the singles, their count, their outcome frame, the marks they were
// searched over (the target flags) and the sort order.
// Must not touch: the round (it reads the vote status and schedule it shows
// and sorts by), the conditions (it reads the own probabilities), the run
// and the file.  The check page grades what it sorts by hits and shows the
// new order; a page change goes through the shell.
#ifndef ZELVOMINI_UI_SINGLES_PAGE_H_
#define ZELVOMINI_UI_SINGLES_PAGE_H_

#include <vector>

#include "core/multi_editor.h"
#include "support/check_box.h"
#include "ui/check_page.h"
#include "ui/main_room.h"
#include "ui/multi_page.h"
#include "ui/round_panel.h"
#include "ui/single_list.h"

namespace zelvo {

class SinglesPage : public MainRoom {
 public:
  SinglesPage(MainShell& shell, const RoundPanel& round, const MultiPage& multi, CheckPage& check);
  SinglesPage(const SinglesPage&) = delete;
  SinglesPage& operator=(const SinglesPage&) = delete;

  // The list's events keep the singles in step with the user's edits.
  void Bind();
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // The singles replaced (the first `count` of `singles`), their frame
  // counted afresh.  The list shows them when the page is next refreshed.
  void SetSingles(int count, std::vector<int> singles);
  // The marks the singles came from, whose outcomes the frame counts.
  void SetTargets(const MultiFlags& targets) { targets_ = targets; }
  // The list redrawn over the round's vote and schedule, on its first page.
  void Refresh();
  void SetPercent(bool percent) { single_.SinglePercent(percent); }

  int Count() const { return single_count_; }
  const std::vector<int>& Singles() const { return singles_; }
  // Moves on with every change of the singles: what has not moved on has not
  // changed, which the change check after every action reads instead of
  // comparing a million singles.
  uint64_t Revision() const { return revision_; }
  const FrameTable& Frame() const { return frame_; }
  const MultiFlags& Targets() const { return targets_; }
  clsTSingle& SingleList() { return single_; }
  CheckBox& EditLockBox() { return edit_lock_; }

 private:
  void Sort(Cmd cmd);
  void RemoveDuplicates();
  void CopyToClipboard(int form);
  void ImportFromClipboard();

  MainShell& shell_;
  const RoundPanel& round_;
  const MultiPage& multi_;
  CheckPage& check_;
  clsTSingle single_;
  CheckBox edit_lock_;
  int single_count_ = 0;
  std::vector<int> singles_;
  uint64_t revision_ = 1;
  MultiFlags targets_{};
  FrameTable frame_{};
  bool sort_ascending_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_SINGLES_PAGE_H_
