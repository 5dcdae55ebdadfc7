#include "analysis/single_sets.h"

#include <stdexcept>

#include "core/multi_pattern.h"

namespace zelvo {
namespace {

using DistanceTable = std::array<std::array<uint8_t, kSingles>, kSingles>;

const DistanceTable& Distances() {
  static const DistanceTable table = [] {
    DistanceTable t{};
    for (int a = 0; a < kSingles; ++a) {
      for (int b = 0; b < kSingles; ++b) {
        int d = 0;
        for (int m = 0; m < kMatches; ++m) d += OutcomeOf(a, m) != OutcomeOf(b, m);
        t[a][b] = static_cast<uint8_t>(d);
      }
    }
    return t;
  }();
  return table;
}

void CheckSingle(int s) {
  if (s < 0 || s >= kSingles) {
    throw std::out_of_range("single number " + std::to_string(s) + " outside 0 to 242");
  }
}

}  // namespace

int SingleDistance(int a, int b) { return Distances()[a][b]; }

SingleCounts CountSingles(std::span<const int> singles) {
  SingleCounts counts{};
  for (int s : singles) {
    CheckSingle(s);
    ++counts[s];
  }
  return counts;
}

SingleMask MaskOf(std::span<const int> singles) {
  SingleMask mask;
  for (int s : singles) {
    CheckSingle(s);
    mask.set(s);
  }
  return mask;
}

std::vector<int> SinglesOf(const SingleMask& mask) {
  std::vector<int> out;
  out.reserve(mask.count());
  for (int s = 0; s < kSingles; ++s) {
    if (mask[s]) out.push_back(s);
  }
  return out;
}

std::vector<int> UnionOf(std::span<const int> a, std::span<const int> b) {
  return SinglesOf(MaskOf(a) | MaskOf(b));
}

std::vector<int> IntersectionOf(std::span<const int> a, std::span<const int> b) {
  return SinglesOf(MaskOf(a) & MaskOf(b));
}

std::vector<int> DifferenceOf(std::span<const int> a, std::span<const int> b) {
  return SinglesOf(MaskOf(a) & ~MaskOf(b));
}

std::vector<int> UniqueOf(std::span<const int> a) {
  SingleMask seen;
  std::vector<int> out;
  for (int s : a) {
    CheckSingle(s);
    if (seen[s]) continue;
    seen.set(s);
    out.push_back(s);
  }
  return out;
}

std::vector<int> ExpandOf(std::span<const int> a, int grade) {
  if (grade != 2 && grade != 3) throw std::invalid_argument("grade must be 2 or 3");
  const SingleMask held = MaskOf(a);
  SingleMask out;
  for (int s = 0; s < kSingles; ++s) {
    if (!held[s]) continue;
    if (grade == 2) {
      for (int n : Reach2(s)) out.set(n);
    } else {
      for (int n : Reach3(s)) out.set(n);
    }
  }
  return SinglesOf(out);
}

std::vector<int> ComplementOf(std::span<const int> a, std::span<const int> within) {
  return DifferenceOf(within, a);
}

std::vector<int> MultiSingles(const MultiTable& multi) {
  clsTMultiPattern pattern;
  pattern.SetValue(multi);
  int count = 0;
  std::vector<int> singles;
  pattern.GetMulti(count, singles);
  singles.resize(static_cast<size_t>(count));
  return singles;
}

std::vector<int> AllSingles() {
  std::vector<int> all(kSingles);
  for (int s = 0; s < kSingles; ++s) all[s] = s;
  return all;
}

}  // namespace zelvo
