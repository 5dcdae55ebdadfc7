// The outcome frame of a list of singles: for each match and outcome, how
// many singles pick that outcome in that match.
#ifndef ZELVOMINI_CORE_SINGLE_FRAME_H_
#define ZELVOMINI_CORE_SINGLE_FRAME_H_

#include <span>

#include "core/multi_table.h"

namespace zelvo {

// Entries outside 0 to 242 (the empty slots of a list, -1) are not counted.
FrameTable CountSingleFrame(std::span<const int> singles);

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_SINGLE_FRAME_H_
