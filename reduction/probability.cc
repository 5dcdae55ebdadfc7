#include "reduction/probability.h"

#include <array>
#include <stdexcept>

#include "core/single_number.h"
#include "support/error_report.h"

namespace zelvo {

void clsTProbability::GetTousen(std::span<const int> multi, std::span<const int> singles,
                                std::span<int> tousen) const {
  // The engines pass valid numbers; anything else is reported rather than
  // read past the flag tables.
  try {
    GetTousenChecked(multi, singles, tousen);
  } catch (const std::exception& e) {
    ReportException("clsTProbability", "GetTousen", e);
  }
}

void clsTProbability::GetTousenChecked(std::span<const int> multi, std::span<const int> singles,
                                       std::span<int> tousen) const {
  if (tousen.size() < 6) throw std::out_of_range("GetTousen");
  std::array<bool, kSingles> exact{}, one{}, two{};
  for (int s : singles) {
    if (s < 0 || s >= kSingles) throw std::out_of_range("GetTousen");
    const auto& reach = Reach3(s);
    exact[s] = true;
    for (int i = 1; i < kReach2Size; ++i) one[reach[i]] = true;
    for (int i = kReach2Size; i < kReach3Size; ++i) two[reach[i]] = true;
  }
  int c1 = 0, c2 = 0, c3 = 0, c4 = 0, c5 = 0;
  for (int r : multi) {
    if (r < 0 || r >= kSingles) throw std::out_of_range("GetTousen");
    c1 += exact[r];
    c2 += one[r];
    c3 += two[r];
    c4 += exact[r] || one[r];
    c5 += exact[r] || one[r] || two[r];
  }
  tousen[0] = static_cast<int>(multi.size());
  tousen[1] = c1;
  tousen[2] = c2;
  tousen[3] = c3;
  tousen[4] = c4;
  tousen[5] = c5;
}

}  // namespace zelvo
