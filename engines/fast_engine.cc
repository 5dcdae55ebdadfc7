#include "engines/fast_engine.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "support/platform.h"

namespace zelvo {

int clsTMsEngine1::YieldInterval(int remaining) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<int>(std::nearbyint((remaining - 1) / 100.0));
}

int clsTMsEngine1::Score(int single) const {
  int score = 0;
  if (grade_ == 2) {
    for (int s : Reach2(single)) score += reach_count_[s] == 0;
  } else {
    for (int s : Reach3(single)) score += reach_count_[s] == 0;
  }
  return score;
}

void clsTMsEngine1::EngineStart(int lngSCount, std::span<const int> lngSingle, int lngSearchGrade) {
  if (lngSCount < 0 || static_cast<size_t>(lngSCount) > lngSingle.size()) {
    throw std::out_of_range("EngineStart");
  }
  for (int i = 0; i < lngSCount; ++i) {
    if (lngSingle[i] < 0 || lngSingle[i] >= kSingles) throw std::out_of_range("EngineStart");
  }
  grade_ = lngSearchGrade == 2 ? 2 : 3;
  remaining_.assign(lngSingle.begin(), lngSingle.begin() + lngSCount);
  result_.clear();
  result_.reserve(lngSCount);
  reach_count_.fill(0);
  tested_.fill(false);
  candidates_.assign(lngSCount, 0);
  candidate_length_ = 0;
  candidate_cursor_ = 0;

  msg_.Sp();
  msg_.Msg("候補の検索中...", true, true);
  full_size_ = grade_ == 2 ? kReach2Size : kReach3Size;
  phase1_ = true;

  while (!remaining_.empty()) {
    int c = ChooseSingle();
    if (c != kNone) AddSingle(c);
    if (stop_) {
      result_.clear();
      return;
    }
    // Without a stop a remaining target always scores at least 1 (itself),
    // so a rebuild always offers one; this only guards against looping.
    if (c == kNone) break;
  }
}

int clsTMsEngine1::ChooseSingle() {
  if (phase1_) {
    int c = PackingScan();
    if (c != kNone) return c;
    phase1_ = false;
    RebuildCandidates();
    return NextCandidate();
  }
  int c = NextCandidate();
  if (c != kNone) return c;
  RebuildCandidates();
  return NextCandidate();
}

int clsTMsEngine1::PackingScan() {
  const int interval = YieldInterval(static_cast<int>(remaining_.size()));
  int visited = 0;
  for (int t : remaining_) {
    if (!tested_[t]) {
      if (Score(t) == full_size_) return t;
      tested_[t] = true;
    }
    if (++visited > interval) {
      visited = 0;
      platform().Yield();
      if (stop_) return kNone;
    }
  }
  return kNone;
}

void clsTMsEngine1::RebuildCandidates() {
  const int n = static_cast<int>(remaining_.size());
  msg_.Max(n - 1);
  msg_.Msg("候補の検索中...", false, true);
  const int interval = YieldInterval(n);
  int best = 0, length = 0, counted = 0;
  for (int i = 0; i < n; ++i) {
    int t = remaining_[i];
    int f = Score(t);
    if (f > best) {
      best = f;
      candidates_[0] = t;
      length = 1;
    } else if (f == best) {
      candidates_[length++] = t;
    }
    if (++counted > interval) {
      counted = 0;
      msg_.Value(i);
      platform().Yield();
      if (stop_) break;
    }
  }
  msg_.Value(0);
  msg_.Msg(std::to_string(best), true, false);
  best_score_ = best;
  candidate_length_ = length;
  candidate_cursor_ = 0;
}

int clsTMsEngine1::NextCandidate() {
  while (candidate_cursor_ < candidate_length_) {
    int c = candidates_[candidate_cursor_++];
    if (Score(c) == best_score_) return c;
  }
  return kNone;
}

void clsTMsEngine1::AddSingle(int single) {
  result_.push_back(single);
  if (grade_ == 2) {
    for (int s : Reach2(single)) ++reach_count_[s];
  } else {
    for (int s : Reach3(single)) ++reach_count_[s];
  }
  size_t kept = 0;
  for (int t : remaining_) {
    if (reach_count_[t] == 0) remaining_[kept++] = t;
  }
  remaining_.resize(kept);
}

}  // namespace zelvo
