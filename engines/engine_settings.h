// The engine choice, the engine limits and the extraction settings of a
// document, passed by value into every search, with the tables that name the
// choices in the window and in reports.
#ifndef ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_
#define ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_

namespace zelvo {

struct EngineSettings {
  int MsEngine = 0;        // 0 none ... 5 count optimisation
  int BeginCount = 100;    // trial engine: tickets to start at
  int EndCount = 1;        // trial engine: tickets to end at
  int EndTime = 0;         // trial engine: seconds per ticket count, 0 none
  bool ExGrade2 = false;   // widen to grade-2 reach
  bool ExGrade3 = false;   // widen to grade-3 reach
  int SeBeginCount = 10;   // count optimisation: tickets to buy
  int SeEndTime = 0;       // count optimisation: seconds, 0 none
  bool ChushutsuFlag = false;  // extraction on
  int ChushutsuCount = 10;     // singles to extract
  int ChushutsuType = 0;       // 0 random; 1-3 shown disabled
  // Extraction by the document's own probabilities instead of the type: 0
  // none, 1 the best expected values, 2 the most probable (ties by number).
  int ChushutsuOrder = 0;

  bool operator==(const EngineSettings&) const = default;
};

// Which search class runs a choice.
enum class EngineKind { kNone = 0, kFast = 1, kTrial = 2, kCountOptimisation = 3 };

struct EngineChoice {
  const char* caption;      // option button text (an ideographic space between the words)
  const char* report_name;  // the name in the clipboard report (an ordinary space)
  EngineKind engine;
  int grade;   // reach the engine works at; 0 when nothing runs
  bool pause;  // the start button doubles as pause / resume
};

inline constexpr int kEngineChoiceCount = 6;
inline constexpr EngineChoice kEngineChoices[kEngineChoiceCount] = {
    {"１等保証（削減圧縮をしない）", "１等保証", EngineKind::kNone, 0, false},
    {"２等保証　高速検索エンジン", "２等保証 高速検索エンジン", EngineKind::kFast, 2, false},
    {"２等保証　試行検索エンジン", "２等保証 試行検索エンジン", EngineKind::kTrial, 2, true},
    {"３等保証　高速検索エンジン", "３等保証 高速検索エンジン", EngineKind::kFast, 3, false},
    {"３等保証　試行検索エンジン", "３等保証 試行検索エンジン", EngineKind::kTrial, 3, true},
    {"保証無し　口数最適化エンジン", "口数最適化エンジン", EngineKind::kCountOptimisation, 2, true},
};

// The choice for an MsEngine value; any value outside 0-5 runs no engine, as
// choice 0 does.
inline const EngineChoice& EngineChoiceOf(int ms_engine) {
  return kEngineChoices[ms_engine >= 0 && ms_engine < kEngineChoiceCount ? ms_engine : 0];
}

struct ExtractionKind {
  const char* caption;
  bool enabled;  // the payout-based kinds are shown but cannot be chosen
};

inline constexpr int kExtractionKindCount = 4;
inline constexpr ExtractionKind kExtractionKinds[kExtractionKindCount] = {
    {"ランダムで抽出", true},
    {"高額配当から抽出", false},
    {"中間配当から抽出", false},
    {"低額配当から抽出", false},
};

inline constexpr int kExtractionOrderCount = 3;
inline constexpr const char* kExtractionOrders[kExtractionOrderCount] = {
    "", "期待値順で抽出", "確率順で抽出"};

inline constexpr const char* kExtractionNote =
    "最終的な確率については、右上の確率を参考にして下さい";

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_ENGINE_SETTINGS_H_
