#include "engines/trial_engine.h"

#include <array>
#include <stdexcept>
#include <string>

#include "core/single_number.h"
#include "support/platform.h"

namespace zelvo {

void clsTMsEngine2::EngineStart(int count, std::span<const int> singles, int grade,
                                const EngineSettings& settings, const MultiTable& multi) {
  if (count < 0 || static_cast<size_t>(count) > singles.size()) {
    throw std::out_of_range("EngineStart");
  }
  grade = grade == 2 ? 2 : 3;
  targets_.assign(singles.begin(), singles.begin() + count);
  result_.clear();
  time_limit_ = settings.EndTime;
  // Nothing to guard: no selection to look for (and no candidate to draw).
  if (targets_.empty()) return;
  search_.SetCandidates(targets_);

  if (grade == 2) {
    if (settings.ExGrade2) Widen(2, multi);
  } else if (settings.ExGrade3) {
    Widen(3, multi);
  } else if (settings.ExGrade2) {
    Widen(2, multi);
  }

  if (search_.stop) return;
  if (!search_.BuildCache(targets_, grade, msg_) || search_.stop) return;

  for (int d = settings.BeginCount; d >= 1; --d) {
    Attempt(d);
    if (!search_.stop && d <= settings.EndCount) {
      msg_.Sp();
      msg_.Msg("指定口数に達したので検索を終了します", true, true);
      search_.stop = true;
    }
    while (search_.pause) {
      platform().Sleep(TrialSearch::kPauseStepMs);
      platform().Yield();
      if (search_.stop) break;
    }
    platform().Yield();
    if (search_.stop) return;
  }
}

void clsTMsEngine2::Widen(int grade, const MultiTable& multi) {
  std::array<int, kSingles> reach_count{};
  for (int t : targets_) {
    if (grade == 2) {
      for (int s : Reach2(t)) ++reach_count[s];
    } else {
      for (int s : Reach3(t)) ++reach_count[s];
    }
  }
  pattern_.SetValue(multi);
  int multi_count = 0;
  std::vector<int> multi_singles;
  pattern_.GetMulti(multi_count, multi_singles);
  std::vector<int> kept;
  for (int i = 0; i < multi_count; ++i) {
    if (reach_count[multi_singles[i]] > 0) kept.push_back(multi_singles[i]);
  }
  if (!kept.empty()) search_.SetCandidates(std::move(kept));
}

void clsTMsEngine2::Attempt(int d) {
  search_.ClearSelection(d);
  if (static_cast<int>(result_.size()) == d + 1) {
    for (int k = 0; k < d; ++k) search_.AddCandidate(search_.PositionOf(result_[k]));
  } else {
    search_.AddRandomCandidates(d);
  }
  search_.CountUnreached();
  msg_.Msg(std::to_string(d) + "を検索中...", false, true);
  msg_.Max(search_.CandidateCount());
  msg_.Value(0);
  const double deadline = TrialSearch::Deadline(time_limit_);
  const bool time_up = search_.Search<false>(d, time_limit_, deadline, msg_);
  msg_.Value(0);
  if (!search_.stop) {
    msg_.Msg("確定", true, false);
    result_ = search_.SelectionSingles();
  } else {
    msg_.Msg("中断", true, false);
  }
  if (time_up) {
    msg_.Sp();
    msg_.Msg("指定時間になったので検索を終了します", true, true);
    search_.stop = true;
  }
}

}  // namespace zelvo
