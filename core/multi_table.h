// The multi: a 3 x 5 table of mark numbers indexed [outcome code][match].
#ifndef ZELVOMINI_CORE_MULTI_TABLE_H_
#define ZELVOMINI_CORE_MULTI_TABLE_H_

#include <array>

namespace zelvo {

// 0 not chosen, 1 to 6 the marks ◎ ○ ▲ △ × ☆.
using MultiTable = std::array<std::array<int, 5>, 3>;
// Booleans with the same indexes (chosen cells, targeted cells).
using MultiFlags = std::array<std::array<bool, 5>, 3>;
// Counts with the same indexes (how many singles have outcome o in match m).
using FrameTable = std::array<std::array<int, 5>, 3>;

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_MULTI_TABLE_H_
