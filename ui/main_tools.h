// MainTools, the windows the main window opens beside its own and the pages
// it opens in the browser: the user's vote rates, the own probabilities (and
// their live figures on the multi page), the team-name windows and the
// maker's team-name download, printing, the purchase analysis, the archive
// download and the backtest, the match-day window, the model's evaluation, the
// composition analyses of condition rows, the manual and the sale schedule.
// Owns: the open composition-analysis windows and the maker's download.
// Must not touch: the file and the history (an edit it makes becomes an
// undo step through the shell), the search (it only borrows the reduction to
// count a composition analysis), and changes no panel model itself: it reads the
// round, the singles and the conditions, and hands what a window returns to
// the room that keeps it (rates to the round panel, own probabilities to the
// multi page, singles to the singles page).
#ifndef ZELVOMINI_UI_MAIN_TOOLS_H_
#define ZELVOMINI_UI_MAIN_TOOLS_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/chances.h"
#include "core/pendralcove_download.h"
#include "output/statistics_panels.h"
#include "ui/main_room.h"
#include "ui/multi_page.h"
#include "ui/open_document.h"
#include "ui/round_panel.h"
#include "ui/search_run.h"
#include "ui/singles_page.h"

namespace zelvo {

class MainTools : public MainRoom {
 public:
  // Whether this user may write into a folder.
  using FolderCheck = std::function<bool(const std::string& dir)>;

  MainTools(MainShell& shell, RoundPanel& round, MultiPage& multi, SinglesPage& singles,
            SearchRun& run, const OpenDocument& document, const FolderCheck& folder_writable);
  MainTools(const MainTools&) = delete;
  MainTools& operator=(const MainTools&) = delete;

  // The Tool menu's windows, the home page's team-name and vote buttons,
  // printing, the manual and the sale schedule.
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // The current singles against the own probabilities, as `chances` reports
  // them (the payout estimate from the vote status in force); empty without
  // own probabilities.
  ChancesReport OwnChances() const;
  std::string OwnChancesText() const;

  // A count panel's row analysed in a window of its own (kind 1 本命,
  // 2 人気, 3 勝敗).
  void OpenKouseiBunseki(int kind, int row, int group);
  void CloseKouseiWindows();
  // The user closed one.
  void KouseiWindowClosed(frmKouseiBunseki* window);
  const std::vector<std::unique_ptr<frmKouseiBunseki>>& KouseiWindows() const {
    return kousei_windows_;
  }

 private:
  void EnterUserVoteRates();
  void EnterOwnProbabilities();
  void UserTeamNames();
  void MakerTeamNames();
  void PrintCommand();
  void PurchaseAnalysis();
  void ArchiveDownload();
  void Backtest();
  // The match-day window, which the open document joins when it holds
  // singles.
  void ShowMatchDay();
  void ModelEvaluation();
  void OpenManual();
  void OpenSaleSchedule();
  // The multi and singles pages follow new rates or probabilities.
  void RefreshFigurePages();

  MainShell& shell_;
  RoundPanel& round_;
  MultiPage& multi_;
  SinglesPage& singles_;
  SearchRun& run_;
  const OpenDocument& document_;
  const FolderCheck& folder_writable_;
  clsPendralcoveDownload maker_;
  std::vector<std::unique_ptr<frmKouseiBunseki>> kousei_windows_;
  // The last own-chances line and what it was worked out from.
  struct ChancesLine {
    uint64_t revision = 0;
    OwnProbabilities own;
    VoteStatusRecord vote;
    std::string text;
  };
  mutable ChancesLine chances_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MAIN_TOOLS_H_
