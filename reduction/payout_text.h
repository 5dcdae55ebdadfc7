// The short text of a payout estimate as the single list shows it:
// "9999円", "1.23万", "12万", "1.5億", "10億", "****億".
#ifndef ZELVOMINI_REDUCTION_PAYOUT_TEXT_H_
#define ZELVOMINI_REDUCTION_PAYOUT_TEXT_H_

#include <string>

#include "support/money.h"

namespace zelvo {

// Empty for 0; the estimate at the ceiling (or above) is "****億".
std::string PayoutText(Money estimate);

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_PAYOUT_TEXT_H_
