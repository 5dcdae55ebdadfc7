// Expansion of a multi into the singles it covers, in ascending order.
#ifndef ZELVOMINI_CORE_MULTI_PATTERN_H_
#define ZELVOMINI_CORE_MULTI_PATTERN_H_

#include <vector>

#include "core/multi_table.h"

namespace zelvo {

class clsTMultiPattern {
 public:
  void SetValue(const MultiTable& value) { cells_ = value; }
  // count receives the number of singles and pattern (resized to it) their
  // numbers; with a count of 0 the pattern is left as it was.
  void GetMulti(int& count, std::vector<int>& pattern);

 private:
  void Expand(int match, int number, std::vector<int>& out) const;
  MultiTable cells_{};
};

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_MULTI_PATTERN_H_
