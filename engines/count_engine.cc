#include "engines/count_engine.h"

#include <stdexcept>
#include <string>

namespace zelvo {

void clsTMsEngine3::EngineStart(int count, std::span<const int> singles,
                                const EngineSettings& settings) {
  if (count < 0 || static_cast<size_t>(count) > singles.size()) {
    throw std::out_of_range("EngineStart");
  }
  targets_.assign(singles.begin(), singles.begin() + count);
  result_.clear();
  time_limit_ = settings.SeEndTime;
  if (targets_.empty()) return;
  search_.SetCandidates(targets_);
  if (search_.stop) return;
  if (!search_.BuildCache(targets_, 2, msg_) || search_.stop) return;
  // A count below one has no selection to improve.
  if (settings.SeBeginCount >= 1) Attempt(settings.SeBeginCount);
}

void clsTMsEngine3::Attempt(int d) {
  search_.SetBest(search_.CandidateCount());
  search_.ClearSelection(d);
  search_.AddRandomCandidates(d);
  search_.CountUnreached();
  msg_.Msg(std::to_string(d) + "口を最適化中...", false, true);
  msg_.Max(100);
  msg_.Value(0);
  const double deadline = TrialSearch::Deadline(time_limit_);
  const bool time_up = search_.Search<true>(d, time_limit_, deadline, msg_);
  msg_.Value(0);
  msg_.Msg("確定", true, false);
  result_ = search_.RecordedSingles();
  if (result_.empty()) result_ = search_.SelectionSingles();
  if (time_up) {
    msg_.Sp();
    msg_.Msg("指定時間になったので検索を終了します", true, true);
    search_.stop = true;
  }
}

}  // namespace zelvo
