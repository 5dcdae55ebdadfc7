// What the main window's controller asks of the window system beyond the
// platform seam: its modal dialogs and modeless windows.  The Qt view
// implements it; tests script it.
#ifndef ZELVOMINI_UI_WINDOW_HOST_H_
#define ZELVOMINI_UI_WINDOW_HOST_H_

#include <string>

#include "files/document_record.h"
#include "output/statistics_panels.h"
#include "reduction/item_dialog.h"
#include "ui/analysis_window.h"
#include "ui/archive_windows.h"
#include "ui/batch_window.h"
#include "ui/model_window.h"
#include "ui/odds_window.h"
#include "ui/own_probs_window.h"
#include "ui/print_window.h"
#include "ui/team_name_dialog.h"
#include "ui/team_names_dialog.h"

namespace zelvo {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // The item dialog of a count-grid row, modal; true when closed with OK.
  virtual bool RunItemDialog(frmJouken& dialog) = 0;
  // A composition-analysis window, modeless: shown until the controller
  // closes it (CloseKouseiBunseki) or the user does (the view then tells the
  // controller).  The controller owns the window's state.
  virtual void ShowKouseiBunseki(frmKouseiBunseki& window) = 0;
  virtual void CloseKouseiBunseki(frmKouseiBunseki& window) = 0;
  // The purchase analysis over the current document, modal.
  virtual void ShowAnalysis(frmAnalysis& analysis) = 0;
  // The user's vote rates, modal; true when closed with OK.
  virtual bool RunOdds(frmOdds& odds) = 0;
  // The user's own probabilities, modal; true when closed with OK.  A host
  // without the window (a test's) declines.
  virtual bool RunOwnProbs(frmOwnProbs&) { return false; }
  // The print window, modal.
  virtual void RunPrint(frmPrint& print) = 0;
  // The team-name dialog, modal; true when a team was added.
  virtual bool RunTeamName(frmTeamName& dialog) = 0;
  // The dialog of every unknown club of a schedule page, modal; true when
  // they were added.
  virtual bool RunTeamNames(frmTeamNames& dialog) = 0;
  // The batch window, modeless, driving the main window through `target`.
  virtual void ShowBatch(BatchTarget& target) = 0;
  virtual void ShowAbout() = 0;
  // The archive download and the backtest, modal; a host without them
  // (a test's) shows nothing.
  virtual void RunArchive(frmArchive&) {}
  virtual void RunBacktest(frmBacktest&) {}
  // The match-day window, modeless; `doc` (null for none) is the open
  // document, saved as `path` (empty for a new one), to join its purchase.
  virtual void ShowMatchDay(const DocumentRecord*, const std::string&) {}
  // The goal model's evaluation, modal.
  virtual void RunModelEvaluation(frmModelEvaluation&) {}
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_WINDOW_HOST_H_
