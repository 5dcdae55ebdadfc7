// The schedule of one round and group: its five designated matches and dates.
#ifndef ZELVOMINI_OFFICIAL_SCHEDULE_RECORD_H_
#define ZELVOMINI_OFFICIAL_SCHEDULE_RECORD_H_

#include <array>
#include <string>

#include "support/date_time.h"

namespace zelvo {

struct ScheduleMatch {
  std::string home;       // ホーム: short team name
  std::string away;       // アウェイ
  DateTime match_date;    // 試合開催日
  DateTime kickoff;       // 試合開始予定時間 (time only)
  std::string stadium;    // 競技場
  std::string state;      // 状態: "VS", or "中止" for a cancelled match

  bool operator==(const ScheduleMatch&) const = default;
};

// Holding states of a round.
inline constexpr int kHoldingNormal = 0;
inline constexpr int kHoldingNotHeld = 1;   // 未開催 (marker file)
inline constexpr int kHoldingCancelled = 2; // 中止

struct ScheduleRecord {
  int Kaisaikai = 0;                  // 開催回
  std::string Kumi;                   // 組: "A", "B" or ""
  std::array<ScheduleMatch, 5> matches;  // 指定試合 1 to 5 at indexes 0 to 4
  DateTime sale_start;                // 販売開始日
  DateTime sale_end;                  // 販売終了日
  DateTime result_announcement;       // 結果発表日
  DateTime payout_start;              // 払戻開始日
  DateTime payout_deadline;           // 払戻期限
  int holding_state = kHoldingNormal; // 開催状態

  bool operator==(const ScheduleRecord&) const = default;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_SCHEDULE_RECORD_H_
