// The fast guarantee search: a deterministic greedy cover of the targets by
// targets, first packing singles whose whole reach is untouched, then taking
// the single that reaches the most unreached singles.
#ifndef ZELVOMINI_ENGINES_FAST_ENGINE_H_
#define ZELVOMINI_ENGINES_FAST_ENGINE_H_

#include <array>
#include <span>
#include <vector>

#include "core/single_number.h"
#include "reduction/run_log.h"

namespace zelvo {

class clsTMsEngine1 {
 public:
  void Initialize(RunLogList* list) { msg_.Initialize(list); }

  // Covers the first lngSCount targets of lngSingle at grade 2 or 3 and
  // returns when done or stopped.  Every number must be 0 to 242; a bad one
  // throws std::out_of_range (the driver reports it).
  void EngineStart(int lngSCount, std::span<const int> lngSingle, int lngSearchGrade);
  // Honoured at the yields and after every pick; a stopped run has no result.
  void EngineStop() { stop_ = true; }

  int SingleCount() const { return static_cast<int>(result_.size()); }
  std::vector<int> SingleData() const { return result_; }

 private:
  static constexpr int kNone = -1;

  int Score(int single) const;
  int ChooseSingle();
  int PackingScan();
  void RebuildCandidates();
  int NextCandidate();
  void AddSingle(int single);
  static int YieldInterval(int remaining);

  clsTMsg msg_;
  clsTNumber number_;
  std::vector<int> remaining_;
  std::array<int, kSingles> reach_count_{};
  std::array<bool, kSingles> tested_{};
  std::vector<int> candidates_;
  int candidate_length_ = 0;
  int candidate_cursor_ = 0;
  int best_score_ = 0;
  bool phase1_ = true;
  int full_size_ = kReach2Size;
  int grade_ = 2;
  std::vector<int> result_;
  bool stop_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_FAST_ENGINE_H_
