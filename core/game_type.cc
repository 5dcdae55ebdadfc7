#include "core/game_type.h"

#include "support/text.h"

namespace zelvo {
namespace {
const char* const kTypes[] = {"J1", "J2", "ナビスコカップ", "天皇杯"};
}  // namespace

std::string clsTGameType::Text(int number) const {
  if (number < 1 || number > Count()) return "";
  return kTypes[number - 1];
}

int clsTGameType::GetNo(const std::string& key) const {
  for (int i = 0; i < Count(); ++i) {
    if (EqualsNoCase(kTypes[i], key)) return i + 1;
  }
  return 0;
}

}  // namespace zelvo
