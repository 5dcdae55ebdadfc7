#include "engines/trial_search.h"

#include <exception>

#include "support/error_report.h"

namespace zelvo {

bool TrialSearch::BuildCache(std::span<const int> targets, int grade, clsTMsg& msg) {
  try {
    const int m = CandidateCount();
    position_.fill(0);
    msg.Max(m - 1);
    msg.Sp();
    msg.Msg("キャッシュ構築中...", true, true);
    is_target_.fill(false);
    for (int t : targets) is_target_.at(t) = true;
    const int reach_size = grade == 2 ? kReach2Size : kReach3Size;
    cache_.assign(static_cast<size_t>(m) * reach_size, 0);
    cache_start_.assign(m, 0);
    cache_last_.assign(m, -1);
    masks_.assign(m, TargetMask{});
    const int every = static_cast<int>(std::nearbyint((m - 1) / 100.0)) + 1;
    int w = 0, counted = 0;
    for (int j = 0; j < m; ++j) {
      const int c = candidates_[j];
      position_.at(c) = j;
      std::span<const int> reach =
          grade == 2 ? std::span<const int>(Reach2(c)) : std::span<const int>(Reach3(c));
      int appended = 0;
      for (int s : reach) {
        if (is_target_[s]) {
          cache_[w + appended++] = static_cast<uint16_t>(s);
          masks_[j].w[s >> 6] |= uint64_t{1} << (s & 63);
        }
      }
      cache_start_[j] = w;
      cache_last_[j] = appended - 1;
      w += appended;
      if (++counted >= every) {
        counted = 0;
        msg.Value(j);
        platform().Yield();
        if (stop) break;
      }
    }
    cache_.resize(w);
    cache_.shrink_to_fit();
    msg.Value(0);
    return true;
  } catch (const std::exception& e) {
    ReportEngineError("Cache Initialize Err", e);
    msg.Value(0);
    return false;
  }
}

void TrialSearch::ClearSelection(int d) {
  selection_.clear();
  selection_.reserve(std::max(d, 0));
  cover_.fill(0);
}

void TrialSearch::AddCandidate(int index) {
  selection_.push_back(index);
  const uint16_t* begin = cache_.data() + cache_start_[index];
  const uint16_t* end = begin + cache_last_[index] + 1;
  for (const uint16_t* x = begin; x != end; ++x) ++cover_[*x];
  // The bit sets are rebuilt from the counts by CountUnreached.
}

void TrialSearch::AddRandomCandidates(int d) {
  const int m = CandidateCount();
  for (int k = 0; k < d; ++k) AddCandidate(RandomIndex(m));
}

int TrialSearch::CountUnreached() {
  int unreached = 0;
  zero_ = TargetMask{};
  once_ = TargetMask{};
  for (int s = 0; s < kSingles; ++s) {
    if (!is_target_[s]) continue;
    const uint64_t bit = uint64_t{1} << (s & 63);
    if (cover_[s] == 0) {
      zero_.w[s >> 6] |= bit;
      ++unreached;
    } else if (cover_[s] == 1) {
      once_.w[s >> 6] |= bit;
    }
  }
  unreached_ = unreached;
  return unreached;
}

std::vector<int> TrialSearch::SelectionSingles() const {
  std::vector<int> out;
  out.reserve(selection_.size());
  for (int index : selection_) out.push_back(candidates_[index]);
  return out;
}

std::vector<int> TrialSearch::RecordedSingles() const {
  std::vector<int> out;
  out.reserve(recorded_.size());
  for (int index : recorded_) out.push_back(candidates_[index]);
  return out;
}

double TrialSearch::Deadline(int time_limit) { return std::nearbyint(ClockSeconds() + time_limit); }

bool TrialSearch::YieldAtBlockEnd() {
  while (pause) {
    platform().Sleep(kPauseStepMs);
    platform().Yield();
    if (stop) break;
  }
  platform().Yield();
  return stop;
}

}  // namespace zelvo
