// The randomised local search shared by the trial guarantee engine and the
// ticket-count optimisation: a reach cache (for every candidate the targets
// within its reach), a fixed-size selection of candidates and the cover
// count of every target, improved by single-position replacements that are
// kept when they leave no more targets unreached, with periodic shake-ups.
#ifndef ZELVOMINI_ENGINES_TRIAL_SEARCH_H_
#define ZELVOMINI_ENGINES_TRIAL_SEARCH_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "core/single_number.h"
#include "reduction/run_log.h"
#include "support/platform.h"
#include "support/random.h"

// The trial counts bits of 256-bit target sets; baseline x86-64 has no
// popcount instruction and the library call would dominate a trial, so the
// search loop is built twice and the instruction used where the processor
// has it.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(__POPCNT__)
#define ZELVO_POPCNT_DISPATCH 1
#else
#define ZELVO_POPCNT_DISPATCH 0
#endif
#if defined(__GNUC__)
#define ZELVO_ALWAYS_INLINE __attribute__((always_inline))
#else
#define ZELVO_ALWAYS_INLINE
#endif

namespace zelvo {

class TrialSearch {
 public:
  // Trials of one block; window events are processed between blocks only.
  static constexpr int kBlockTrials = 1001;
  static constexpr int kPauseStepMs = 500;

  void SetCandidates(std::vector<int> candidates) { candidates_ = std::move(candidates); }
  const std::vector<int>& Candidates() const { return candidates_; }
  int CandidateCount() const { return static_cast<int>(candidates_.size()); }

  // Builds the reach cache of the candidates over `targets` at grade 2 or 3,
  // yielding as it goes.  A run-time error shows the "Cache Initialize Err"
  // box; false then, and when stopped.
  bool BuildCache(std::span<const int> targets, int grade, clsTMsg& msg);

  // Starts a selection of d entries with cleared cover counts.
  void ClearSelection(int d);
  // Appends candidate `index` to the selection (CountUnreached must follow
  // before a search).
  void AddCandidate(int index);
  // Appends d random candidates (independent draws).
  void AddRandomCandidates(int d);
  // Index of a candidate single (the last one, if it occurs twice).
  int PositionOf(int single) const { return position_[single]; }
  // Recounts the targets no selection entry reaches.
  int CountUnreached();
  int Unreached() const { return unreached_; }
  // The selection as single numbers.
  std::vector<int> SelectionSingles() const;
  // The best selection of a best-tracking search, as single numbers (empty
  // while none was recorded).
  std::vector<int> RecordedSingles() const;
  void SetBest(int best) { best_ = best; }

  // Whole seconds of the deadline of an attempt starting now.
  static double Deadline(int time_limit);
  static double ClockSeconds() { return platform().TickCount() / 1000.0; }

  // The search loop of one attempt with `d` entries; returns "time up" (the
  // time limit is above 0 and the clock has reached the deadline, tested
  // when the loop ends; false when the loop did not run).  With kTrackBest
  // the shake shows the progress of the attempt and every accepted replacement
  // that beats the best count so far records the selection.
  template <bool kTrackBest>
  bool Search(int d, int time_limit, double deadline, clsTMsg& msg);

  // Trials made since the object was created (measurements).
  int64_t TrialCount() const { return trials_; }

  bool pause = false;
  bool stop = false;

 private:
  // Replaces selection(i) by candidate s when that leaves no more targets
  // unreached; equal moves are taken so the search can drift across plateaus.
  // The count of the replacement comes from the bit sets of the unreached and
  // the once-reached targets: removing the old entry leaves unreached the
  // once-reached targets of its reach, the new entry then reaches those of
  // them and of the unreached within its own reach.  Only an accepted
  // replacement walks the cache lists to move the cover counts.
  ZELVO_ALWAYS_INLINE bool TryReplace(int i, int s, int& unreached) {
    const TargetMask& a = masks_[selection_[i]];
    const TargetMask& b = masks_[s];
    int lost = 0, gained = 0;
    for (int w = 0; w < kMaskWords; ++w) {
      lost += std::popcount(a.w[w] & once_.w[w] & ~b.w[w]);
      gained += std::popcount(b.w[w] & zero_.w[w]);
    }
    if (lost > gained) return false;
    Remove(selection_[i]);
    Add(s);
    selection_[i] = s;
    unreached += lost - gained;
    return true;
  }

  ZELVO_ALWAYS_INLINE void Force(int p, int s, int& unreached) {
    unreached += Remove(selection_[p]);
    unreached -= Add(s);
    selection_[p] = s;
  }

  // Lowers the cover counts of a candidate's targets; returns how many
  // became unreached.  The bit sets follow the counts without branches: a
  // count falling to 0 moves its target from "once" to "zero", one falling
  // to 1 puts it into "once".
  ZELVO_ALWAYS_INLINE int Remove(int index) {
    const uint16_t* begin = cache_.data() + cache_start_[index];
    const uint16_t* end = begin + cache_last_[index] + 1;
    int32_t* cover = cover_.data();
    int became_zero = 0;
    for (const uint16_t* x = begin; x != end; ++x) {
      const int32_t c = --cover[*x];
      const uint64_t bit = uint64_t{1} << (*x & 63);
      zero_.w[*x >> 6] ^= bit & (uint64_t{0} - (c == 0));
      once_.w[*x >> 6] ^= bit & (uint64_t{0} - (c <= 1));
      became_zero += c == 0;
    }
    return became_zero;
  }
  // Raises them; returns how many became reached.
  ZELVO_ALWAYS_INLINE int Add(int index) {
    const uint16_t* begin = cache_.data() + cache_start_[index];
    const uint16_t* end = begin + cache_last_[index] + 1;
    int32_t* cover = cover_.data();
    int became_one = 0;
    for (const uint16_t* x = begin; x != end; ++x) {
      const int32_t c = ++cover[*x];
      const uint64_t bit = uint64_t{1} << (*x & 63);
      zero_.w[*x >> 6] ^= bit & (uint64_t{0} - (c == 1));
      once_.w[*x >> 6] ^= bit & (uint64_t{0} - (c <= 2));
      became_one += c == 1;
    }
    return became_one;
  }

  template <bool kTrackBest>
  bool SearchLoop(int d, int time_limit, double deadline, clsTMsg& msg);
#if ZELVO_POPCNT_DISPATCH
  template <bool kTrackBest>
  __attribute__((target("popcnt"))) bool SearchWithPopcnt(int d, int time_limit, double deadline,
                                                          clsTMsg& msg) {
    return SearchLoop<kTrackBest>(d, time_limit, deadline, msg);
  }
#endif

  // Waits out a pause, then lets window events in; true when stopped.
  bool YieldAtBlockEnd();

  std::vector<int> candidates_;
  std::array<int, kSingles> position_{};
  std::array<bool, kSingles> is_target_{};
  std::vector<uint16_t> cache_;
  std::vector<int32_t> cache_start_;
  std::vector<int32_t> cache_last_;
  std::vector<int32_t> selection_;  // candidate indexes
  std::array<int32_t, kSingles> cover_{};
  // The targets of every candidate's cache list, and the targets reached by
  // no entry (zero_) and by exactly one (once_), as bit sets over singles.
  static constexpr int kMaskWords = 4;
  struct TargetMask {
    uint64_t w[kMaskWords] = {};
  };
  std::vector<TargetMask> masks_;
  TargetMask zero_;
  TargetMask once_;
  int unreached_ = 0;
  int best_ = 0;
  std::vector<int32_t> recorded_;  // candidate indexes of the best selection
  int indicator_ = 0;
  int64_t trials_ = 0;
};

template <bool kTrackBest>
ZELVO_ALWAYS_INLINE inline bool TrialSearch::SearchLoop(int d, int time_limit, double deadline,
                                                        clsTMsg& msg) {
  if (unreached_ == 0 || d < 1) return false;
  const int block_limit = std::max(d, 50);
  const int shake_size = std::max(d / 20, 1);
  const int m = CandidateCount();
  int unreached = unreached_;
  int i = 0;
  int blocks = 0;
  indicator_ = 0;
  for (;;) {
    for (int step = 0; step < kBlockTrials; ++step) {
      const int s = RandomIndex(m);
      const bool accepted = TryReplace(i, s, unreached);
      if constexpr (kTrackBest) {
        if (accepted && unreached < best_) {
          best_ = unreached;
          recorded_.assign(selection_.begin(), selection_.end());
        }
      } else {
        (void)accepted;
      }
      if (++i == d) i = 0;
      if (unreached == 0) {
        trials_ += step + 1;
        unreached_ = 0;
        return time_limit > 0 && ClockSeconds() >= deadline;
      }
    }
    trials_ += kBlockTrials;
    if (++blocks > block_limit) {
      blocks = 0;
      if constexpr (kTrackBest) {
        // The bar never runs back: with a time limit it shows the share of
        // the time used, without one the share of targets the best
        // selection so far reaches.
        if (time_limit > 0) {
          const double used = ClockSeconds() - (deadline - time_limit);
          indicator_ = std::clamp(static_cast<int>(100 * used / time_limit), indicator_, 100);
        } else if (m > 0) {
          indicator_ = std::clamp(100 * (m - best_) / m, indicator_, 100);
        }
        msg.Value(indicator_);
      } else {
        msg.Value(m - unreached);
      }
      for (int k = 0; k <= shake_size; ++k) {
        const float u = RandomSingle();
        const int s = RandomIndex(m);
        const int p = static_cast<int>(static_cast<double>(u) * d);
        Force(p, s, unreached);
      }
      if (time_limit > 0 && ClockSeconds() >= deadline) stop = true;
    }
    unreached_ = unreached;
    if (YieldAtBlockEnd()) break;
  }
  unreached_ = unreached;
  return time_limit > 0 && ClockSeconds() >= deadline;
}

template <bool kTrackBest>
bool TrialSearch::Search(int d, int time_limit, double deadline, clsTMsg& msg) {
#if ZELVO_POPCNT_DISPATCH
  static const bool has_popcnt = __builtin_cpu_supports("popcnt");
  if (has_popcnt) return SearchWithPopcnt<kTrackBest>(d, time_limit, deadline, msg);
#endif
  return SearchLoop<kTrackBest>(d, time_limit, deadline, msg);
}

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_TRIAL_SEARCH_H_
