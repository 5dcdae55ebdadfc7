// The user's own view of the matches set against the public's: own outcome
// probabilities beside the official vote shares, and per single its own
// probability, its estimated payout, the expected return per 100 yen and the
// value ratio (own probability over the public's share of that single).
#ifndef ZELVOMINI_REDUCTION_SINGLE_VALUE_H_
#define ZELVOMINI_REDUCTION_SINGLE_VALUE_H_

#include <array>

#include "core/single_number.h"
#include "official/vote_record.h"
#include "reduction/payout_estimate.h"
#include "support/date_time.h"

namespace zelvo {

// [match 0 to 4][outcome code 0 to 2]; each match's three sum to 1.
using OutcomeProbabilities = std::array<std::array<double, 3>, kMatches>;

// Where own probabilities came from when the program proposed them rather
// than the user: the goal model, fitted on the matches before a day.
struct OwnProbabilitySource {
  bool model = false;
  DateTime fit_date;                     // the fit learned from the matches before this day
  int history_matches = 0;               // how many
  std::array<bool, kMatches> matches{};  // the matches the model gave

  bool operator==(const OwnProbabilitySource&) const = default;
};

// The probabilities a document keeps; unset in a document without them.
struct OwnProbabilities {
  bool set = false;
  OutcomeProbabilities p{};
  OwnProbabilitySource source;  // the user's own unless marked

  bool operator==(const OwnProbabilities&) const = default;
};

struct SingleValue {
  double probability = 0;   // own probability that it is the result
  double public_share = 0;  // the public's share: the product of the vote rates
  int64_t payout = 0;       // estimated grade-1 prize in yen, 0 without one
  // A single costs 100 yen, so this is probability x payout.
  double expected_per_100 = 0;
  double ratio = 0;  // probability / public_share, 0 when the public has none
};

class clsTValue {
 public:
  // Both may be set in any order; every figure is recomputed (243 singles).
  // False when the vote status cannot be priced: the figures are then 0.
  bool SetVote(const VoteStatusRecord& vote);
  void SetOwn(const OwnProbabilities& own);
  bool HasOwn() const { return own_.set; }
  const OwnProbabilities& Own() const { return own_; }

  const SingleValue& Of(int single) const { return table_.at(static_cast<size_t>(single)); }
  // The public's share of one outcome (the vote rate as a fraction).
  double PublicShare(int match, int outcome) const { return shares_[match][outcome]; }

 private:
  void Recompute();

  clsTMoney money_;
  bool priced_ = false;
  OutcomeProbabilities shares_{};
  OwnProbabilities own_;
  std::array<SingleValue, kSingles> table_{};
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_SINGLE_VALUE_H_
