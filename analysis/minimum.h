// The proven minimum: the fewest singles that still guarantee a grade over a
// set of targets (every target within one match of a chosen single for
// grade 2, within two for grade 3), found as an exact covering problem by an
// integer programming solver, and whether a given purchase reaches it.
#ifndef ZELVOMINI_ANALYSIS_MINIMUM_H_
#define ZELVOMINI_ANALYSIS_MINIMUM_H_

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// The minima over all 243 singles are the ternary covering codes of length
// 5, known and proven: K_3(5,1) = 27 and K_3(5,2) = 8.  No solver proves the
// second in reasonable time, so the full space is answered from them.
inline constexpr int kFullSpaceMinimumGrade2 = 27;
inline constexpr int kFullSpaceMinimumGrade3 = 8;

struct MinimumRequest {
  std::vector<int> targets;     // duplicates are counted once
  int grade = 2;                // 2 or 3
  bool within_targets = false;  // choose among the targets only, not all 243
  double time_limit = 10;       // seconds
  std::vector<int> reference;   // a purchase to judge, e.g. the engine's result
  // Polled while the solver runs; true ends the run as kFailed with
  // `stopped` set (the command line's Ctrl+C).
  std::function<bool()> stop_requested;
};

enum class MinimumStatus {
  kProven,        // best is the minimum
  kLimitReached,  // the time ran out: best found, lower_bound below it
  kNotBuiltIn,    // this build has no solver
  kFailed,        // the solver gave no answer (error says why)
};

// How the reference compares with the minimum.
enum class ReferenceVerdict {
  kNone,         // no reference given
  kNotCovering,  // it leaves targets outside the grade
  kOptimal,      // it guarantees the grade with the minimum number of singles
  kNotOptimal,   // fewer singles would do
  kUnknown,      // the time ran out between the bounds, or it uses singles
                 // outside the candidates and beats their minimum
};

struct MinimumResult {
  MinimumStatus status = MinimumStatus::kFailed;
  int targets = 0;           // different targets
  int candidates = 0;        // singles the choice is made from
  int best = 0;              // size of the best choice found
  int lower_bound = 0;       // no choice is smaller (equals best when proven)
  std::vector<int> singles;  // that choice, ascending
  bool known_value = false;  // answered from the covering-code minima
  double seconds = 0;        // solver wall time
  std::string error;
  bool stopped = false;  // stop_requested ended the run (status kFailed)

  int reference_size = 0;     // different singles of the reference
  int reference_missed = 0;   // targets it leaves outside the grade
  int reference_outside = 0;  // its singles that are not candidates
  ReferenceVerdict reference = ReferenceVerdict::kNone;
};

bool MinimumSolverBuiltIn();

// Numbers must be 0 to 242 (std::out_of_range) and the grade 2 or 3
// (std::invalid_argument).  No targets need no singles: proven 0.
MinimumResult FindMinimum(const MinimumRequest& request);

// True when every target lies within grade - 1 matches of a chosen single;
// `missed` receives how many do not.
bool GuaranteesGrade(const std::vector<int>& chosen, const std::vector<int>& targets, int grade,
                     int* missed = nullptr);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_MINIMUM_H_
