#include "output/printer.h"

#include "support/text.h"

namespace zelvo {

double EstimatedTextWidth(const std::string& text, double points) {
  constexpr double kMmPerPoint = 25.4 / 72;
  return Cp932Width(text) * points * kMmPerPoint / 2;
}

}  // namespace zelvo
