// The lottery result of one round and group.
#ifndef ZELVOMINI_OFFICIAL_RESULT_RECORD_H_
#define ZELVOMINI_OFFICIAL_RESULT_RECORD_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/date_time.h"
#include "support/money.h"

namespace zelvo {

// Result code of a cancelled match (every outcome counts as right).
inline constexpr uint8_t kResultCancelled = 3;

struct ResultMatch {
  DateTime match_date;     // 試合開催日
  uint8_t result = 0;      // くじ結果: outcome code 0, 1, 2, or 3 cancelled
  std::string stadium;     // 競技場
  std::string home;        // ホーム
  std::string away;        // アウェイ
  uint8_t home_score = 0;  // ホーム得点
  uint8_t away_score = 0;  // アウェイ得点

  bool operator==(const ResultMatch&) const = default;
};

struct ResultRecord {
  int Kaisaikai = 0;                   // 開催回
  std::string Kumi;                    // 組
  std::array<ResultMatch, 5> matches;  // 指定試合 1 to 5 at indexes 0 to 4
  // Per grade, index 0 = grade 1; sized by the lottery rules' highest grade.
  std::vector<Money> prize = std::vector<Money>(1);      // 当せん金
  std::vector<Money> winners = std::vector<Money>(1);    // 当せん口数
  std::vector<Money> carryover = std::vector<Money>(1);  // 次回への繰越金
  DateTime sale_start;                                   // 販売開始日
  DateTime sale_end;                                     // 販売終了日
  DateTime result_announcement;  // 結果発表日 (返還確定日 for a cancelled round)
  DateTime payout_start;         // 払戻開始日 (返還開始日)
  DateTime payout_deadline;      // 払戻期限 (返還期限)
  bool cancelled = false;        // 開催状態 = 中止

  bool operator==(const ResultRecord&) const = default;
};

// The figures per grade, by the name pages and cache files give them.
struct PerGradeFigures {
  const char* name;
  std::vector<Money> ResultRecord::*values;
};
inline constexpr PerGradeFigures kPerGradeFigures[] = {
    {"当せん金", &ResultRecord::prize},
    {"当せん口数", &ResultRecord::winners},
    {"次回への繰越金", &ResultRecord::carryover}};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_RESULT_RECORD_H_
