// The vote status of one round and group: votes and vote rates per match and
// outcome, and the sales totals.
#ifndef ZELVOMINI_OFFICIAL_VOTE_RECORD_H_
#define ZELVOMINI_OFFICIAL_VOTE_RECORD_H_

#include <array>
#include <string>

#include "support/date_time.h"
#include "support/money.h"

namespace zelvo {

struct VoteOutcome {
  Money count;  // 投票口数
  Money rate;   // 投票率, percent

  bool operator==(const VoteOutcome&) const = default;
};

struct VoteMatch {
  std::string home;     // ホーム
  std::string away;     // アウェイ
  DateTime match_date;  // 試合開催日
  DateTime kickoff;     // 試合開始予定時間
  // By outcome code: 0 その他 (draw), 1 ホーム勝ち, 2 ホーム負け.
  std::array<VoteOutcome, 3> outcomes;

  bool operator==(const VoteMatch&) const = default;
};

// Index of the three figures of each total.
inline constexpr int kTotal = 0;
inline constexpr int kMulti = 1;
inline constexpr int kSingle = 2;

struct VoteStatusRecord {
  int Kaisaikai = 0;                 // 開催回
  std::string Kumi;                  // 組
  DateTime as_of;                    // 販売終了時点
  std::array<VoteMatch, 5> matches;  // 指定試合 1 to 5 at indexes 0 to 4
  std::array<Money, 3> sales;        // 売上金額: 合計, マルチ, シングル (yen)
  std::array<Money, 3> tickets;      // 投票口数
  std::array<Money, 3> cards;        // 投票枚数
  DateTime sale_start;               // 販売開始日
  DateTime sale_end;                 // 販売終了日
  DateTime result_announcement;      // 結果発表日
  DateTime payout_start;             // 払戻開始日
  DateTime payout_deadline;          // 払戻期限

  bool operator==(const VoteStatusRecord&) const = default;
};

// The three totals, by the name pages and cache files give them.
struct VoteTotal {
  const char* name;
  std::array<Money, 3> VoteStatusRecord::*figures;
};
inline constexpr VoteTotal kVoteTotals[] = {{"売上金額", &VoteStatusRecord::sales},
                                            {"投票口数", &VoteStatusRecord::tickets},
                                            {"投票枚数", &VoteStatusRecord::cards}};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_VOTE_RECORD_H_
