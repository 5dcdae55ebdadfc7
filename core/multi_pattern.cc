#include "core/multi_pattern.h"

namespace zelvo {
namespace {
constexpr int kPow3[] = {1, 3, 9, 27, 81};
}  // namespace

void clsTMultiPattern::Expand(int match, int number, std::vector<int>& out) const {
  // From the most significant match down, so the numbers come out ascending.
  if (match < 0) {
    out.push_back(number);
    return;
  }
  for (int o = 0; o < 3; ++o) {
    if (cells_[o][match] > 0) Expand(match - 1, number + o * kPow3[match], out);
  }
}

void clsTMultiPattern::GetMulti(int& count, std::vector<int>& pattern) {
  std::vector<int> out;
  out.reserve(243);
  Expand(4, 0, out);
  count = static_cast<int>(out.size());
  if (count > 0) pattern = std::move(out);
}

}  // namespace zelvo
