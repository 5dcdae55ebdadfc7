// The trial guarantee search: ever smaller selections that keep every target
// within reach, each found by a randomised local search over a reach cache.
#ifndef ZELVOMINI_ENGINES_TRIAL_ENGINE_H_
#define ZELVOMINI_ENGINES_TRIAL_ENGINE_H_

#include <span>
#include <vector>

#include "core/multi_pattern.h"
#include "core/multi_table.h"
#include "engines/engine_settings.h"
#include "engines/trial_search.h"
#include "reduction/run_log.h"

namespace zelvo {

class clsTMsEngine2 {
 public:
  void Initialize(RunLogList* list) { msg_.Initialize(list); }

  // Covers the first `count` targets at grade 2 or 3, starting at
  // BeginCount singles and going down one at a time until EndCount, the
  // time limit (EndTime seconds per ticket count) or a stop.  `multi` is the
  // current multi's selection table, the source of the widened candidates.
  void EngineStart(int count, std::span<const int> singles, int grade,
                   const EngineSettings& settings, const MultiTable& multi);
  void EnginePause(bool blnValue) { search_.pause = blnValue; }
  void EngineStop() { search_.stop = true; }

  // The smallest covering selection confirmed (empty when none was).
  int SingleCount() const { return static_cast<int>(result_.size()); }
  std::vector<int> SingleData() const { return result_; }

  // The candidates the search may buy (after widening).
  const std::vector<int>& Candidates() const { return search_.Candidates(); }
  int64_t TrialCount() const { return search_.TrialCount(); }

 private:
  void Widen(int grade, const MultiTable& multi);
  void Attempt(int d);

  clsTMsg msg_;
  clsTMultiPattern pattern_;
  TrialSearch search_;
  std::vector<int> targets_;
  std::vector<int> result_;
  int time_limit_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_TRIAL_ENGINE_H_
