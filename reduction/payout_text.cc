#include "reduction/payout_text.h"

#include "reduction/payout_estimate.h"
#include "support/format.h"

namespace zelvo {

std::string PayoutText(Money estimate) {
  int64_t yen = estimate.Floor();
  if (yen <= 0) return "";
  if (yen >= kPayoutCeiling) return "****億";
  if (yen < 10000) return std::to_string(yen) + "円";
  if (yen < 100000) {
    // Ten-thousands with two decimals, rounded: 99,999 yen reads 10.00万.
    return FormatNumber(Money::FromRaw(yen), "0.00") + "万";
  }
  if (yen < 100000000) return std::to_string(yen / 10000) + "万";
  if (yen < 1000000000) {
    // Hundred-millions cut (not rounded) to two decimals, without trailing zeros.
    int64_t hundredths = yen / 1000000;
    std::string text = std::to_string(hundredths / 100);
    int64_t frac = hundredths % 100;
    if (frac != 0) {
      text += "." + std::to_string(frac / 10);
      if (frac % 10 != 0) text += std::to_string(frac % 10);
    }
    return text + "億";
  }
  return std::to_string(yen / 100000000) + "億";
}

}  // namespace zelvo
