// The payout estimate: the prize per winning unit that the official vote
// counts of a round and group suggest for a single.
#ifndef ZELVOMINI_REDUCTION_PAYOUT_ESTIMATE_H_
#define ZELVOMINI_REDUCTION_PAYOUT_ESTIMATE_H_

#include <array>
#include <span>

#include "official/vote_record.h"
#include "support/money.h"

namespace zelvo {

// The largest estimate; it also marks an estimate too large to show.
inline constexpr int64_t kPayoutCeiling = 99999999999;

class clsTMoney {
 public:
  // Rebuilds the vote and miss rate tables and the grade pools.  Until the
  // first call every estimate is 0.  False, reported, with every estimate 0,
  // when the figures cannot be used (a negative count, a total past 64 bits).
  bool SetVote(const VoteStatusRecord& vote);

  // Estimated payout in whole yen for the single's outcome codes (one per
  // match, 0 to 2).  A failure is reported and gives 0.
  Money GetMoney1(std::span<const int> kousei) const;
  // The same with some matches cancelled: every voter is right on those, so
  // the prize is shared among more winners.
  Money GetMoney1(std::span<const int> kousei, const std::array<bool, 5>& cancelled) const;
  Money GetMoney2(std::span<const int> kousei) const;
  Money GetMoney3(std::span<const int> kousei) const;
  // grade_index 0 to 2 for GetMoney1 to GetMoney3.
  Money GetMoney(int grade_index, std::span<const int> kousei) const;

  double VoteRate(int match, int outcome) const { return vote_rate_[Index(match, outcome)]; }
  double MissRate(int match, int outcome) const { return miss_rate_[Index(match, outcome)]; }
  double Pool(int grade_index) const { return pool_[grade_index]; }

 private:
  // Room for up to 14 matches, as the tables were laid out for the larger
  // lottery; only matches 0 to 4 and outcomes 0 to 2 are used.
  static constexpr int kTableSize = 133;
  static constexpr int Index(int match, int outcome) { return match * 10 + outcome; }
  // The rates of the single's picks, checked.
  std::array<double, 5> Picks(const std::array<double, kTableSize>& table,
                              std::span<const int> kousei) const;
  static Money Estimate(double pool, double probability);

  std::array<double, kTableSize> vote_rate_{};
  std::array<double, kTableSize> miss_rate_{};
  std::array<double, 3> pool_{};
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_PAYOUT_ESTIMATE_H_
