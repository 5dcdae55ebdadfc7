#include "core/round_document.h"

#include "support/error_report.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTMain";
constexpr int kMaxRound = 9999;

int DownloadMode(bool refresh) { return refresh ? kSourceRefresh : kSourceFile | kSourceDownload; }

}  // namespace

clsTMain::clsTMain() : schedule_service_(std::make_unique<clsSchedule>()) {
  round_entry_.on_change = [this] { RefreshRound(true, true); };
  group_list_.on_select = [this] { RefreshRound(true, true); };
}

void clsTMain::Initialize() {
  try {
    round_entry_.SetKind(NumberEntry::Kind::kInteger);
    round_entry_.SetRange(Money::FromInt(0), Money::FromInt(kMaxRound));
    round_entry_.SetText("0");
    group_list_.Clear();
    group_list_.AddItem("Ａ組");
    group_list_.AddItem("Ｂ組");
    group_list_.SetListIndex(0);
    group_list_.visible = true;
    schedule_service_->Initialize();
    vote_service_.Initialize();
    result_service_.Initialize();
    ready_ = true;
  } catch (const std::exception& e) {
    ReportException(kClass, "Initialize", e);
  }
}

int clsTMain::Kaisaikai() const { return round_entry_.IntValue(); }

std::string clsTMain::Kumi() const {
  switch (group_list_.ListIndex()) {
    case 0:
      return "A";
    case 1:
      return "B";
    default:
      return "";
  }
}

void clsTMain::SetKaisaikai(int round) {
  try {
    round_entry_.SetText(std::to_string(round));
  } catch (const std::exception& e) {
    ReportException(kClass, "SetKaisaikai", e);
  }
}

void clsTMain::SetKumi(const std::string& group) {
  try {
    if (group == "A") group_list_.SetListIndex(0);
    if (group == "B") group_list_.SetListIndex(1);
  } catch (const std::exception& e) {
    ReportException(kClass, "SetKumi", e);
  }
}

void clsTMain::RefreshRound(bool reload_vote, bool clear_vote) {
  if (!ready_) return;
  try {
    int round = Kaisaikai();
    std::string group = Kumi();
    clsSchedule& schedule = *schedule_service_;
    schedule_ = schedule.GetSchedule(round, group, kSourceFile, false) ? schedule.Record()
                                                                       : ScheduleRecord();
    no_game_ = schedule.NoGame();
    if (reload_vote) {
      if (vote_service_.GetVote(round, group, kSourceFile, false)) {
        vote_ = vote_service_.Record();
      } else if (clear_vote) {
        vote_ = VoteStatusRecord();
      }
    }
    result_ = result_service_.GetResult(round, group, kSourceFile, false) ? result_service_.Record()
                                                                          : ResultRecord();
    if (KaisaikaiChange) KaisaikaiChange(round, group);
  } catch (const std::exception& e) {
    ReportException(kClass, "RefreshRound", e);
  }
}

void clsTMain::GetSchedule(bool ask, bool refresh) {
  try {
    if (no_game_) return;
    clsSchedule& service = *schedule_service_;
    service.SetUnknownTeams(UnknownTeams);
    if (service.GetSchedule(Kaisaikai(), Kumi(), DownloadMode(refresh), ask)) {
      schedule_ = service.Record();
      RefreshRound(false, false);
    } else {
      service.FalseDialog(Kaisaikai());
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "GetSchedule", e);
  }
}

void clsTMain::GetVote(bool ask, bool refresh) {
  try {
    if (no_game_) return;
    if (vote_service_.GetVote(Kaisaikai(), Kumi(), DownloadMode(refresh), ask)) {
      vote_ = vote_service_.Record();
      RefreshRound(true, false);
    } else {
      vote_service_.FalseDialog(Kaisaikai());
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "GetVote", e);
  }
}

void clsTMain::GetResult(bool ask, bool refresh) {
  try {
    if (no_game_) return;
    if (result_service_.GetResult(Kaisaikai(), Kumi(), DownloadMode(refresh), ask)) {
      result_ = result_service_.Record();
      RefreshRound(false, false);
    } else {
      result_service_.FalseDialog(Kaisaikai());
    }
  } catch (const std::exception& e) {
    ReportException(kClass, "GetResult", e);
  }
}

bool clsTMain::GetOldVoteFile(int round, DateTime sale_end) {
  try {
    if (!vote_service_.GetOldVoteFile(round, sale_end)) return false;
    vote_ = vote_service_.Record();
    RefreshRound(false, false);
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "GetOldVoteFile", e);
    return false;
  }
}

bool clsTMain::CheckScheduleFile() const {
  return schedule_service_->CheckScheduleFile(Kaisaikai(), Kumi());
}

bool clsTMain::CheckVoteFile() const { return vote_service_.CheckVoteFile(Kaisaikai(), Kumi()); }

bool clsTMain::CheckResultFile() const {
  return result_service_.CheckResultFile(Kaisaikai(), Kumi());
}

void clsTMain::ScheduleInitialize() {
  try {
    schedule_service_ = std::make_unique<clsSchedule>();
    if (ready_) schedule_service_->Initialize();
  } catch (const std::exception& e) {
    ReportException(kClass, "ScheduleInitialize", e);
  }
}

}  // namespace zelvo
