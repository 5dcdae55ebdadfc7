// SearchRun, the search of the main window: starting, pausing and resuming,
// stopping, the run log with the engines' progress, and the last search's
// figures (its singles count, frame and hits) that a document keeps.
// Owns: the search sequence with its run log and count and detail panels,
// the run and stop buttons' captions and states, the pause, the log line
// selected, and the last search's figures.
// Must not touch: the conditions (it reads the engine chosen and searches
// the document the window builds), the round and the file; the singles it
// finds go in through the singles page.
#ifndef ZELVOMINI_UI_SEARCH_RUN_H_
#define ZELVOMINI_UI_SEARCH_RUN_H_

#include <array>
#include <string>

#include "engines/search_sequence.h"
#include "reduction/run_log.h"
#include "support/grid.h"
#include "ui/main_room.h"
#include "ui/multi_page.h"
#include "ui/singles_page.h"

namespace zelvo {

class SearchRun : public MainRoom {
 public:
  SearchRun(MainShell& shell, const MultiPage& multi, SinglesPage& singles);
  SearchRun(const SearchRun&) = delete;
  SearchRun& operator=(const SearchRun&) = delete;

  void Bind();
  // The run and stop buttons.
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // The run button: starts a search, or pauses and resumes the engines that
  // can.
  void StartOrPause();
  // Searches the document as the window holds it; its singles replace the
  // document's.
  void RunSearch();
  void StopSearch() { search_.Stop(); }
  bool Running() const { return search_.Running(); }
  bool Paused() const { return paused_; }

  // The last search's figures and log into a document, and back from one.
  void FillDocument(DocumentRecord& doc) const;
  void RestoreFigures(const DocumentRecord& doc);
  // The count panel over the singles' frame and the marks searched.
  void ShowFrame(const FrameTable& frame, const MultiFlags& targets);
  void SetPercent(bool percent) { search_.Reduction().SinglePercent(percent); }
  // The run message list's selected line (-1 none).
  int LogSelection() const { return log_selection_; }
  void ClearLogSelection() { log_selection_ = -1; }

  RunLogList& Log() { return log_; }
  Grid& CountGrid() { return count_grid_; }
  Grid& MeisaiGrid() { return meisai_grid_; }
  SearchSequence& Search() { return search_; }

 private:
  void FinishRun();

  MainShell& shell_;
  const MultiPage& multi_;
  SinglesPage& singles_;
  RunLogList log_;
  SearchSequence search_{&log_};
  Grid count_grid_, meisai_grid_;
  FrameTable ms_frame_{};
  int ms_count_ = 0;
  std::array<int, 6> ms_tousen_{};
  bool paused_ = false;
  std::string run_caption_ = "検索開始";
  bool run_enabled_ = true;
  bool stop_enabled_ = false;
  int log_selection_ = -1;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_SEARCH_RUN_H_
