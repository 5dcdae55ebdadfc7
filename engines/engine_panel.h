// The engine panel of the main window as models: the six number fields of
// the engine limits (clsTXSakugen) and which option frame a choice shows.
#ifndef ZELVOMINI_ENGINES_ENGINE_PANEL_H_
#define ZELVOMINI_ENGINES_ENGINE_PANEL_H_

#include <array>

#include "support/money.h"
#include "support/number_entry.h"

namespace zelvo {

// Field indexes of clsTXSakugen.
enum XSakugenField {
  kFieldBeginCount = 0,
  kFieldEndCount = 1,
  kFieldEndTime = 2,
  kFieldExtraction = 3,
  kFieldSeBeginCount = 4,
  kFieldSeEndTime = 5,
  kXSakugenFieldCount = 6,
};

class clsTXSakugen {
 public:
  clsTXSakugen();

  // Sets the limits of field `index` and its value to 1; the window binds
  // the field's text box to Field(index).  An index outside 0-5 is ignored.
  void SetObject(int index, Money min, Money max);
  // The reset values: 100, 1, 0, 10, 10, 0.
  void Clear();

  NumberEntry& Field(int index) { return fields_.at(index); }
  const NumberEntry& Field(int index) const { return fields_.at(index); }

  Money BeginCount() const { return fields_[kFieldBeginCount].Value(); }
  Money EndCount() const { return fields_[kFieldEndCount].Value(); }
  Money EndTime() const { return fields_[kFieldEndTime].Value(); }
  Money Extraction() const { return fields_[kFieldExtraction].Value(); }
  Money SeBeginCount() const { return fields_[kFieldSeBeginCount].Value(); }
  Money SeEndTime() const { return fields_[kFieldSeEndTime].Value(); }
  void SetBeginCount(Money v) { fields_[kFieldBeginCount].SetValue(v); }
  void SetEndCount(Money v) { fields_[kFieldEndCount].SetValue(v); }
  void SetEndTime(Money v) { fields_[kFieldEndTime].SetValue(v); }
  void SetExtraction(Money v) { fields_[kFieldExtraction].SetValue(v); }
  void SetSeBeginCount(Money v) { fields_[kFieldSeBeginCount].SetValue(v); }
  void SetSeEndTime(Money v) { fields_[kFieldSeEndTime].SetValue(v); }

 private:
  std::array<NumberEntry, kXSakugenFieldCount> fields_;
};

// The limits the main window binds the fields with, by field index.
struct XSakugenLimits {
  int min;
  int max;
};
inline constexpr XSakugenLimits kXSakugenLimits[kXSakugenFieldCount] = {
    {1, 9999}, {1, 9999}, {0, 9999}, {1, 9999}, {1, 9999}, {0, 9999}};

// Texts of the panel's labels and check boxes.
inline constexpr const char* kLabelBeginCount = "口から検索";
inline constexpr const char* kLabelEndCount = "口で検索終了";
inline constexpr const char* kLabelEndTime = "秒経過後終了(１口)";
inline constexpr const char* kLabelEndTimeNote = "0の場合は無限に検索します";
inline constexpr const char* kLabelExSecondGrade = "購入対象を２等まで拡大";
inline constexpr const char* kLabelExThirdGrade = "購入対象を３等まで拡大";
inline constexpr const char* kLabelSeBeginCount = "口を最適化";
inline constexpr const char* kLabelSeEndTime = "秒経過後終了";
inline constexpr const char* kLabelExtraction = " 削減圧縮後";

// What a click on optEngine shows: one of the frames fraEngineOption 0-2
// (0 no options, 1 the trial engine's, 2 the count optimisation's) and
// whether chkExThirdGrade can be ticked.
struct EnginePanelView {
  int frame = 0;
  bool third_grade_enabled = false;
  bool operator==(const EnginePanelView&) const = default;
};
EnginePanelView EnginePanelFor(int ms_engine);

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_ENGINE_PANEL_H_
