// The ticket-count optimisation: a fixed number of singles that leaves as
// few targets as possible out of grade-2 reach, with no guarantee; the best
// selection seen within the time allowed is the result.
#ifndef ZELVOMINI_ENGINES_COUNT_ENGINE_H_
#define ZELVOMINI_ENGINES_COUNT_ENGINE_H_

#include <span>
#include <vector>

#include "engines/engine_settings.h"
#include "engines/trial_search.h"
#include "reduction/run_log.h"

namespace zelvo {

class clsTMsEngine3 {
 public:
  void Initialize(RunLogList* list) { msg_.Initialize(list); }

  // Searches SeBeginCount singles among the first `count` targets for up to
  // SeEndTime seconds (0: until every target is reached or a stop).
  void EngineStart(int count, std::span<const int> singles, const EngineSettings& settings);
  void EnginePause(bool blnValue) { search_.pause = blnValue; }
  void EngineStop() { search_.stop = true; }

  int SingleCount() const { return static_cast<int>(result_.size()); }
  std::vector<int> SingleData() const { return result_; }

  int64_t TrialCount() const { return search_.TrialCount(); }

 private:
  void Attempt(int d);

  clsTMsg msg_;
  TrialSearch search_;
  std::vector<int> targets_;
  std::vector<int> result_;
  int time_limit_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_COUNT_ENGINE_H_
