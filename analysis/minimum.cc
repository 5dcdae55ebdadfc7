#include "analysis/minimum.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include "analysis/cover_solver.h"
#include "analysis/single_sets.h"

namespace zelvo {
namespace {

// A candidate's reach among the targets, by target index.
using TargetMask = std::bitset<kSingles>;

bool IsSubset(const TargetMask& a, const TargetMask& b) { return (a & ~b).none(); }

struct ReducedProblem {
  std::vector<int> columns;  // candidate singles kept as columns
  CoverProblem problem;
};

// Leaves out what cannot change the minimum, which also spares the solver
// most of the symmetry of the space: candidates that reach no target, a
// candidate whose targets another candidate reaches too (the other can
// always take its place), and a target whose every candidate also reaches
// another target (covering that one covers it).
ReducedProblem Reduce(const std::vector<int>& candidates, const std::vector<int>& targets,
                      int grade) {
  const int radius = grade - 1;
  const int n = static_cast<int>(candidates.size());
  std::vector<TargetMask> reach(n);
  for (int c = 0; c < n; ++c) {
    for (size_t t = 0; t < targets.size(); ++t) {
      if (SingleDistance(candidates[c], targets[t]) <= radius) reach[c].set(t);
    }
  }
  std::vector<int> kept;
  for (int c = 0; c < n; ++c) {
    if (reach[c].none()) continue;
    bool dominated = false;
    for (int d = 0; d < n && !dominated; ++d) {
      if (d == c || !IsSubset(reach[c], reach[d])) continue;
      // Of equal candidates the first stays.
      dominated = reach[c] != reach[d] || d < c;
    }
    if (!dominated) kept.push_back(c);
  }
  std::vector<std::vector<int>> rows(targets.size());
  for (size_t k = 0; k < kept.size(); ++k) {
    for (size_t t = 0; t < targets.size(); ++t) {
      if (reach[kept[k]][t]) rows[t].push_back(static_cast<int>(k));
    }
  }
  std::vector<SingleMask> row_sets(targets.size());
  for (size_t t = 0; t < targets.size(); ++t) {
    for (int k : rows[t]) row_sets[t].set(k);
  }
  ReducedProblem out;
  for (int c : kept) out.columns.push_back(candidates[c]);
  out.problem.columns = static_cast<int>(kept.size());
  for (size_t t = 0; t < targets.size(); ++t) {
    bool implied = false;
    for (size_t u = 0; u < targets.size() && !implied; ++u) {
      if (u == t || !IsSubset(row_sets[u], row_sets[t])) continue;
      implied = row_sets[u] != row_sets[t] || u < t;
    }
    if (!implied) out.problem.rows.push_back(rows[t]);
  }
  return out;
}

// A first cover for the solver to improve on: repeatedly the column that
// covers most of the rows still open.
std::vector<int> GreedyCover(const CoverProblem& p) {
  std::vector<std::vector<int>> column_rows(p.columns);
  for (size_t r = 0; r < p.rows.size(); ++r) {
    for (int c : p.rows[r]) column_rows[c].push_back(static_cast<int>(r));
  }
  std::vector<bool> open(p.rows.size(), true);
  size_t left = p.rows.size();
  std::vector<int> chosen;
  while (left > 0) {
    int best = -1, best_gain = 0;
    for (int c = 0; c < p.columns; ++c) {
      int gain = 0;
      for (int r : column_rows[c]) gain += open[r];
      if (gain > best_gain) best = c, best_gain = gain;
    }
    if (best < 0) break;  // a row no column covers; cannot happen after Reduce
    chosen.push_back(best);
    for (int r : column_rows[best]) {
      if (open[r]) open[r] = false, --left;
    }
  }
  return chosen;
}

// A covering reference moved onto the kept columns: each of its singles
// replaced by a kept candidate that reaches the same targets or more, so the
// result covers too.  Empty when one of its singles is no candidate.
std::vector<int> ReferenceStart(const std::vector<int>& reference, const ReducedProblem& reduced,
                                const std::vector<int>& targets, const SingleMask& candidates,
                                int grade) {
  const int radius = grade - 1;
  SingleMask chosen;
  for (int s : reference) {
    if (!candidates[s]) return {};
    TargetMask mine;
    for (size_t t = 0; t < targets.size(); ++t)
      mine.set(t, SingleDistance(s, targets[t]) <= radius);
    if (mine.none()) continue;
    for (size_t k = 0; k < reduced.columns.size(); ++k) {
      TargetMask theirs;
      for (size_t t = 0; t < targets.size(); ++t) {
        theirs.set(t, SingleDistance(reduced.columns[k], targets[t]) <= radius);
      }
      if (IsSubset(mine, theirs)) {
        chosen.set(k);
        break;
      }
    }
  }
  return SinglesOf(chosen);
}

void JudgeReference(const MinimumRequest& request, const std::vector<int>& targets,
                    const SingleMask& candidates, MinimumResult& r) {
  if (request.reference.empty()) return;
  const std::vector<int> ref = SinglesOf(MaskOf(request.reference));
  r.reference_size = static_cast<int>(ref.size());
  for (int s : ref) r.reference_outside += !candidates[s];
  if (!GuaranteesGrade(ref, targets, request.grade, &r.reference_missed)) {
    r.reference = ReferenceVerdict::kNotCovering;
  } else if (r.reference_size > r.best) {
    r.reference = ReferenceVerdict::kNotOptimal;
  } else if (r.reference_size == r.lower_bound) {
    r.reference = ReferenceVerdict::kOptimal;
  } else {
    r.reference = ReferenceVerdict::kUnknown;
  }
}

}  // namespace

bool MinimumSolverBuiltIn() { return CoverSolverBuiltIn(); }

bool GuaranteesGrade(const std::vector<int>& chosen, const std::vector<int>& targets, int grade,
                     int* missed) {
  const std::vector<int> reached = chosen.empty() ? std::vector<int>{} : ExpandOf(chosen, grade);
  const std::vector<int> outside = DifferenceOf(targets, reached);
  if (missed) *missed = static_cast<int>(outside.size());
  return outside.empty();
}

namespace {

// Codes of the known sizes, so that the full space's minimum comes with a
// choice to buy.  Grade 2: the ternary Hamming code of length 4 (matches 1
// to 4 with o1 + o2 + o3 and o2 + 2 o3 + o4 both 0 mod 3), each with every
// outcome of match 5.  Grade 3: a code of eight found by local search.
constexpr int kFullSpaceCodeGrade2[] = {0,   13,  26,  34,  38,  48,  59,  69,  73,
                                        81,  94,  107, 115, 119, 129, 140, 150, 154,
                                        162, 175, 188, 196, 200, 210, 221, 231, 235};
constexpr int kFullSpaceCodeGrade3[] = {6, 16, 47, 139, 147, 182, 198, 215};
static_assert(std::size(kFullSpaceCodeGrade2) == kFullSpaceMinimumGrade2);
static_assert(std::size(kFullSpaceCodeGrade3) == kFullSpaceMinimumGrade3);

}  // namespace

MinimumResult FindMinimum(const MinimumRequest& request) {
  if (request.grade != 2 && request.grade != 3) {
    throw std::invalid_argument("grade must be 2 or 3");
  }
  MinimumResult r;
  const SingleMask target_mask = MaskOf(request.targets);
  const std::vector<int> targets = SinglesOf(target_mask);
  const SingleMask candidates = request.within_targets ? target_mask : SingleMask().set();
  r.targets = static_cast<int>(targets.size());
  r.candidates = static_cast<int>(candidates.count());
  MaskOf(request.reference);  // the same check on the reference's numbers

  if (targets.empty()) {
    r.status = MinimumStatus::kProven;
  } else if (r.targets == kSingles) {
    r.status = MinimumStatus::kProven;
    r.known_value = true;
    r.best = r.lower_bound = request.grade == 2 ? kFullSpaceMinimumGrade2 : kFullSpaceMinimumGrade3;
    if (request.grade == 2) {
      r.singles.assign(std::begin(kFullSpaceCodeGrade2), std::end(kFullSpaceCodeGrade2));
    } else {
      r.singles.assign(std::begin(kFullSpaceCodeGrade3), std::end(kFullSpaceCodeGrade3));
    }
  } else if (!CoverSolverBuiltIn()) {
    r.status = MinimumStatus::kNotBuiltIn;
    r.error = "the proven minimum is not built in (ZELVO_WITH_CBC off)";
    return r;
  } else {
    ReducedProblem reduced = Reduce(SinglesOf(candidates), targets, request.grade);
    std::vector<int> start = GreedyCover(reduced.problem);
    // A reference that already guarantees the grade may be the better start.
    const std::vector<int> ref_singles = SinglesOf(MaskOf(request.reference));
    if (!ref_singles.empty() && GuaranteesGrade(ref_singles, targets, request.grade)) {
      std::vector<int> ref =
          ReferenceStart(ref_singles, reduced, targets, candidates, request.grade);
      if (!ref.empty() && ref.size() < start.size()) start = std::move(ref);
    }
    reduced.problem.start = start;
    reduced.problem.time_limit = request.time_limit;
    reduced.problem.stop_requested = request.stop_requested;
    const auto begin = std::chrono::steady_clock::now();
    CoverSolution solution = SolveCover(reduced.problem);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (!solution.solved) {
      r.status = MinimumStatus::kFailed;
      r.error = solution.error;
      r.stopped = solution.stopped;
      return r;
    }
    for (int k : solution.chosen) r.singles.push_back(reduced.columns[k]);
    if (!GuaranteesGrade(r.singles, targets, request.grade)) {
      r.status = MinimumStatus::kFailed;
      r.error = "the solver's answer does not cover every target";
      r.singles.clear();
      return r;
    }
    r.best = static_cast<int>(r.singles.size());
    // The objective counts whole singles, so a fractional bound rounds up.
    // Before its search gets going the solver may report no useful bound;
    // one single at least is always needed.
    const double bound = std::max(1.0, std::ceil(solution.bound - 1e-6));
    r.lower_bound = std::min(r.best, static_cast<int>(std::min(bound, 1e6)));
    if (solution.proven) r.lower_bound = r.best;
    r.status = r.lower_bound == r.best ? MinimumStatus::kProven : MinimumStatus::kLimitReached;
  }
  JudgeReference(request, targets, candidates, r);
  return r;
}

}  // namespace zelvo
