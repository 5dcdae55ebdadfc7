// The engine driver: compresses the reduced singles with the chosen engine,
// optionally extracts a random subset, and counts how the final singles
// cover the reduced ones.
#ifndef ZELVOMINI_ENGINES_MS_ENGINE_H_
#define ZELVOMINI_ENGINES_MS_ENGINE_H_

#include <array>
#include <memory>
#include <vector>

#include "core/multi_table.h"
#include "engines/count_engine.h"
#include "engines/engine_settings.h"
#include "reduction/single_value.h"
#include "engines/fast_engine.h"
#include "engines/trial_engine.h"
#include "reduction/run_log.h"

namespace zelvo {

class clsTMsEngine {
 public:
  // Binds the run log; the engines of every run write to the same list.
  void Initialize(RunLogList* list);

  // True while Compress runs.
  bool Run() const { return run_; }

  // Replaces count and singles (the reduced singles; the first `count`
  // entries are used) by the final singles, and fills MsTousen with the
  // coverage counts of the final singles over the reduced ones (all zero
  // when there is nothing to count).  A run-time error shows the
  // "MsEngine Err" box and returns with what had been reached.
  void Compress(int& count, std::vector<int>& singles, const EngineSettings& settings,
                const MultiTable& multi, std::array<int, 6>& MsTousen);

  // The figures the value-ordered extraction ranks by (not owned; may be
  // null, which leaves that extraction to the random draw).
  void SetValue(const clsTValue* value) { value_ = value; }

  // Pause or resume the trial or count-optimisation engine while it runs;
  // no effect on the fast engine or between runs.
  void EnginePause(bool blnValue);
  // Asks the running engine to stop; no effect while none runs.
  void EngineStop();

  // The kind of engine now running (0 none, 1 fast, 2 trial, 3 count).
  int RunningKind() const { return running_kind_; }

 private:
  void Extract(int& count, std::vector<int>& singles, int extract_count);
  // The best `extract_count` by expected value (order 1) or own probability
  // (order 2), ties by single number, in ascending single order.
  void ExtractBest(int& count, std::vector<int>& singles, int extract_count, int order);

  RunLogList* list_ = nullptr;
  const clsTValue* value_ = nullptr;
  clsTMsg msg_;
  std::unique_ptr<clsTMsEngine1> engine1_;
  std::unique_ptr<clsTMsEngine2> engine2_;
  std::unique_ptr<clsTMsEngine3> engine3_;
  int running_kind_ = 0;
  bool run_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_MS_ENGINE_H_
