#include "engines/engine_panel.h"

namespace zelvo {

clsTXSakugen::clsTXSakugen() {
  for (NumberEntry& f : fields_) f.SetKind(NumberEntry::Kind::kInteger);
}

void clsTXSakugen::SetObject(int index, Money min, Money max) {
  if (index < 0 || index >= kXSakugenFieldCount) return;
  NumberEntry& f = fields_[index];
  f.SetRange(min, max);
  f.SetValue(Money::FromInt(1));
}

void clsTXSakugen::Clear() {
  static constexpr int kReset[kXSakugenFieldCount] = {100, 1, 0, 10, 10, 0};
  for (int i = 0; i < kXSakugenFieldCount; ++i) fields_[i].SetIntValue(kReset[i]);
}

EnginePanelView EnginePanelFor(int ms_engine) {
  switch (ms_engine) {
    case 2:
      return {1, false};
    case 4:
      return {1, true};
    case 5:
      return {2, false};
    default:
      return {0, false};
  }
}

}  // namespace zelvo
