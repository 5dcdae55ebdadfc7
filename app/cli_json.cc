#include "app/cli_json.h"

#include <ostream>

namespace zelvo {

void PrintJson(std::ostream& out, const Json& json) {
  out << json.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

Json MoneyJson(Money value) {
  if (value.raw() % Money::kScale == 0) return value.raw() / Money::kScale;
  return value.ToDouble();
}

Json DateJson(DateTime value) {
  if (value.IsZero()) return nullptr;
  if (!value.HasDate()) return value.Format("hh:nn:ss");
  return value.Format(value.HasTime() ? "yyyy-mm-ddThh:nn:ss" : "yyyy-mm-dd");
}

}  // namespace zelvo
