// RoundPanel, the round the main window works on: the round box and group
// list (clsTMain) with the schedule, vote status and result they load, the
// home page's downloads, its sale status panel, and the round and vote-status
// line of the status bar.
// Owns: the round's records as the box last reported them, the round label,
// the status text, the sale status, the download buttons and their
// ダウンロード時に確認 box.
// Must not touch: the marks, conditions, singles and file of the document;
// what follows a new round elsewhere (the grade controls, the redraw) is the
// window's, through `on_round_changed`.
#ifndef ZELVOMINI_UI_ROUND_PANEL_H_
#define ZELVOMINI_UI_ROUND_PANEL_H_

#include <array>
#include <functional>
#include <string>

#include "core/round_document.h"
#include "support/check_box.h"
#include "ui/main_room.h"

namespace zelvo {

// The round information panel of the home page.
struct SaleStatusView {
  bool visible = false;
  std::string sale_start, sale_end, result;
  std::string status;
};

class RoundPanel : public MainRoom {
 public:
  explicit RoundPanel(MainShell& shell);
  RoundPanel(const RoundPanel&) = delete;
  RoundPanel& operator=(const RoundPanel&) = delete;
  ~RoundPanel() override { Unbind(); }

  // The box's events; the unknown clubs of a downloaded schedule are asked
  // for in the host's dialog.
  void Bind();
  // The box's events point into the window: they go before it does.
  void Unbind();

  // The downloads of the home page.
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // Enter in the round box on a round whose schedule is not cached yet: the
  // schedule is to be fetched.
  bool ScheduleWanted() const;
  // A vote status of the window's own (read from a document, or typed by the
  // user) in place of the round's; the status bar follows.
  void SetVote(const VoteStatusRecord& vote);
  // The vote rates in force were typed by the user.
  bool UserVoteRates() const;
  // The last prize grade this round pays (1 to 3); grade-2 and grade-3 payout
  // controls (and sort entries) are shown as far as it goes.
  int MaxGrade() const;
  bool GradeVisible(int grade) const { return MaxGrade() >= grade; }

  // The round the box holds now, taken as if the box had reported it (the
  // box reports no change to the value it starts with).
  void TakeRoundFromBox() { OnKaisaikaiChange(round_.Kaisaikai(), round_.Kumi()); }
  void ShowVoteStatus();
  void ShowSaleStatus();

  clsTMain& Round() { return round_; }
  const clsTMain& Round() const { return round_; }
  int Kaisaikai() const { return kaisaikai_; }
  const std::string& Kumi() const { return kumi_; }
  const ScheduleRecord& Schedule() const { return schedule_; }
  const VoteStatusRecord& Vote() const { return vote_; }
  const ResultRecord& Result() const { return result_record_; }
  const std::string& RoundLabel() const { return round_label_; }
  const std::string& StatusText() const { return status_text_; }
  const SaleStatusView& SaleStatus() const { return sale_status_; }
  CheckBox& DownloadConfirm() { return download_confirm_; }
  const CheckBox& DownloadConfirm() const { return download_confirm_; }

  // Raised after the box reported a round, before the screen is redrawn.
  std::function<void()> on_round_changed;

 private:
  void OnKaisaikaiChange(int kaisaikai, const std::string& kumi);
  // kind 0 schedule, 1 vote status, 2 result.
  void OfficialDownload(int kind);
  void UpdateDownloadButtons();

  MainShell& shell_;
  clsTMain round_;
  CheckBox download_confirm_;
  int kaisaikai_ = 0;
  std::string kumi_;
  ScheduleRecord schedule_;
  VoteStatusRecord vote_;
  ResultRecord result_record_;
  std::string round_label_;
  std::string status_text_;
  SaleStatusView sale_status_;
  std::array<bool, 3> download_enabled_{true, true, true};
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ROUND_PANEL_H_
