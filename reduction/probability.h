// Coverage counts of bought singles over a set of candidate results.
#ifndef ZELVOMINI_REDUCTION_PROBABILITY_H_
#define ZELVOMINI_REDUCTION_PROBABILITY_H_

#include <span>

namespace zelvo {

class clsTProbability {
 public:
  // tousen[0] = candidates; [1] equal to a bought single; [2] exactly one
  // match from one; [3] exactly two; [4] at most one; [5] at most two.
  // Every number must be 0 to 242 and tousen must hold 6 entries; otherwise
  // the failure is reported and tousen is left as it was.
  void GetTousen(std::span<const int> multi, std::span<const int> singles,
                 std::span<int> tousen) const;

 private:
  void GetTousenChecked(std::span<const int> multi, std::span<const int> singles,
                        std::span<int> tousen) const;
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_PROBABILITY_H_
