#include "core/single_frame.h"

#include "core/single_number.h"

namespace zelvo {

FrameTable CountSingleFrame(std::span<const int> singles) {
  FrameTable frame{};
  for (int s : singles) {
    if (s < 0 || s >= kSingles) continue;
    for (int m = 0; m < kMatches; ++m) ++frame[OutcomeOf(s, m)][m];
  }
  return frame;
}

}  // namespace zelvo
