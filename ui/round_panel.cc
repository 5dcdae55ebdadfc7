#include "ui/round_panel.h"

#include <algorithm>
#include <vector>

#include "core/toto_rules.h"
#include "support/error_report.h"
#include "support/platform.h"

namespace zelvo {
namespace {

// "2024年05月10日(金) 13:00:00": the time only when it is not midnight.
std::string SaleDateText(const DateTime& d) {
  if (d.IsZero()) return "";
  std::string text = d.Format("yyyy年mm月dd日") + "(" + d.WeekdayJa() + ") ";
  if (d.TimePart().seconds() != 0) text += d.Format("hh:nn:ss");
  return text;
}

// "2日 3時間0分", "1時間5分".
std::string RemainingText(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  std::string text = days >= 1 ? std::to_string(days) + "日 " : "";
  return text + std::to_string(rest / 3600) + "時間" + std::to_string(rest % 3600 / 60) + "分";
}

}  // namespace

RoundPanel::RoundPanel(MainShell& shell) : shell_(shell) {
  download_confirm_.caption = "ダウンロード時に確認";
}

void RoundPanel::Bind() {
  round_.Initialize();
  round_.KaisaikaiChange = [this](int k, const std::string& g) { OnKaisaikaiChange(k, g); };
  round_.UnknownTeams = [this](const std::vector<std::string>& names) {
    frmTeamNames dialog;
    dialog.Load(names);
    return shell_.Host() && shell_.Host()->RunTeamNames(dialog);
  };
}

void RoundPanel::Unbind() {
  round_.KaisaikaiChange = nullptr;
  round_.UnknownTeams = nullptr;
}

bool RoundPanel::State(Cmd cmd, ActionState& s) const {
  const int kind = DownloadKindOf(cmd);
  if (kind < 0) return false;
  s.enabled = download_enabled_[kind];
  return true;
}

bool RoundPanel::Execute(Cmd cmd) {
  const int kind = DownloadKindOf(cmd);
  if (kind < 0) return false;
  OfficialDownload(kind);
  return true;
}

void RoundPanel::OfficialDownload(int kind) {
  if (shell_.CheckBusy()) return;
  if (round_.Kaisaikai() == 0) {
    platform().MessageBox("開催回を設定して下さい", kAppTitle, MsgIcon::kInformation);
    return;
  }
  const bool ask = download_confirm_.Checked();
  // A cached file is never replaced on its own, so a wrong one would spoil
  // the round for good: fetching again over it is the user's explicit choice.
  static const char* const kKinds[] = {"開催情報", "投票状況", "くじ結果"};
  const bool cached = kind == 0   ? round_.CheckScheduleFile()
                      : kind == 1 ? round_.CheckVoteFile()
                                  : round_.CheckResultFile();
  bool refresh = false;
  if (cached && !round_.NoGame()) {
    const std::string name = kKinds[std::clamp(kind, 0, 2)];
    refresh =
        platform().MessageBox("キャッシュ済みの" + name + "を再ダウンロードしますか？", " " + name,
                              MsgIcon::kQuestion, MsgButtons::kYesNo) == MsgAnswer::kYes;
  }
  // The user has just said yes to this download: no second question.
  const bool ask_download = ask && !refresh;
  switch (kind) {
    case 0:
      round_.GetSchedule(ask_download, refresh);
      break;
    case 1:
      round_.GetVote(ask_download, refresh);
      break;
    default:
      round_.GetResult(ask_download, refresh);
      break;
  }
}

bool RoundPanel::ScheduleWanted() const {
  return round_.Kaisaikai() > 0 && !round_.CheckScheduleFile();
}

void RoundPanel::SetVote(const VoteStatusRecord& vote) {
  vote_ = vote;
  round_.SetVote(vote);
  ShowVoteStatus();
}

bool RoundPanel::UserVoteRates() const { return vote_.Kaisaikai > 0 && vote_.as_of.IsZero(); }

int RoundPanel::MaxGrade() const { return totoRules().GetMaxGrade(kaisaikai_); }

void RoundPanel::OnKaisaikaiChange(int kaisaikai, const std::string& kumi) {
  kaisaikai_ = kaisaikai;
  kumi_ = kumi;
  schedule_ = round_.Schedule();
  vote_ = round_.Vote();
  result_record_ = round_.Result();
  round_label_ = " 第 " + (kaisaikai > 0 ? std::to_string(kaisaikai) : std::string(" ")) + " 回 ";
  if (!kumi.empty()) round_label_ += " [ " + kumi + "組 ] ";
  ShowVoteStatus();
  if (on_round_changed) on_round_changed();
  ShowSaleStatus();
  UpdateDownloadButtons();
  shell_.Changed();
}

void RoundPanel::ShowVoteStatus() {
  status_text_ = round_label_;
  if (vote_.Kaisaikai > 0) {
    status_text_ += "　使用投票率：";
    if (vote_.as_of.IsZero()) {
      status_text_ += "ユーザー定義";
    } else if (vote_.as_of == vote_.sale_end) {
      status_text_ += vote_.as_of.Format("yyyy/mm/dd (最終)");
    } else {
      status_text_ += vote_.as_of.Format("yyyy/mm/dd hh:nn");
    }
  }
}

void RoundPanel::ShowSaleStatus() {
  SaleStatusView view;
  if (schedule_.Kaisaikai >= 1) {
    view.visible = true;
    view.sale_start = SaleDateText(schedule_.sale_start);
    view.sale_end = SaleDateText(schedule_.sale_end);
    view.result = SaleDateText(schedule_.result_announcement);
    const DateTime now = platform().Now();
    if (now > schedule_.sale_end) {
      view.status = "販売終了";
    } else if (now < schedule_.sale_start) {
      view.status =
          "販売開始まで あと " + RemainingText(schedule_.sale_start.seconds() - now.seconds());
    } else {
      view.status =
          "販売締切まで あと " + RemainingText(schedule_.sale_end.seconds() - now.seconds());
    }
  }
  sale_status_ = view;
}

void RoundPanel::UpdateDownloadButtons() {
  // A cached kind stays fetchable: the download asks before it replaces the
  // file.
  download_enabled_ = {true, true, true};
}

}  // namespace zelvo
