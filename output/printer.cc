#include "output/printer.h"

#include "support/text.h"

namespace zelvo {

double Printer::TextWidth(const std::string& text, const std::string&, double points) {
  constexpr double kMmPerPoint = 25.4 / 72;
  return Cp932Width(text) * points * kMmPerPoint / 2;
}

}  // namespace zelvo
