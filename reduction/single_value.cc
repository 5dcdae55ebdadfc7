#include "reduction/single_value.h"


namespace zelvo {

bool clsTValue::SetVote(const VoteStatusRecord& vote) {
  priced_ = vote.Kaisaikai > 0 && money_.SetVote(vote);
  shares_ = {};
  if (priced_) {
    for (int m = 0; m < kMatches; ++m) {
      double sum = 0;
      for (int o = 0; o < 3; ++o) sum += money_.VoteRate(m, o);
      for (int o = 0; o < 3; ++o) shares_[m][o] = sum > 0 ? money_.VoteRate(m, o) / sum : 0;
    }
  }
  Recompute();
  return priced_;
}

void clsTValue::SetOwn(const OwnProbabilities& own) {
  own_ = own;
  Recompute();
}

void clsTValue::Recompute() {
  for (int s = 0; s < kSingles; ++s) {
    SingleValue v;
    std::array<int, kMatches> kousei{};
    double p = 1, q = 1;
    for (int m = 0; m < kMatches; ++m) {
      kousei[m] = OutcomeOf(s, m);
      p *= own_.p[m][kousei[m]];
      q *= shares_[m][kousei[m]];
    }
    v.probability = own_.set ? p : 0;
    v.public_share = priced_ ? q : 0;
    if (priced_) v.payout = money_.GetMoney1(kousei).Floor();
    v.expected_per_100 = v.probability * static_cast<double>(v.payout);
    v.ratio = v.public_share > 0 ? v.probability / v.public_share : 0;
    table_[static_cast<size_t>(s)] = v;
  }
}

}  // namespace zelvo
