#include "reduction/payout_estimate.h"

#include <limits>

#include "support/error_report.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTMoney";
constexpr int kMatchCount = 5;

// Unit price, the share of sales returned as prizes and each grade's share
// of that return; mini toto pays only the first grade.
const Money kUnitPrice = Money::FromInt(100);
const Money kReturnShare = Money::FromRaw(5000);  // 0.5
const std::array<Money, 3> kGradeShare = {Money::FromInt(1), Money(), Money()};
// 100^5: the five percentages the estimate multiplies together.
constexpr double kPercentPower = 1e10;

}  // namespace

bool clsTMoney::SetVote(const VoteStatusRecord& vote) {
  std::array<double, kTableSize> rate{};
  std::array<double, kTableSize> miss{};
  try {
    for (int m = 0; m < kMatchCount; ++m) {
      const auto& outcomes = vote.matches[m].outcomes;
      // Whole votes counted in 64 bits: a big round's total passes 2^31 - 1,
      // and a negative count is no vote figure at all.
      int64_t total = 0;
      for (int o = 0; o < 3; ++o) {
        if (outcomes[o].count < Money()) throw RuntimeError(kErrInvalidCall);
        if (__builtin_add_overflow(total, outcomes[o].count.RoundToInt(), &total)) {
          throw RuntimeError(kErrOverflow);
        }
      }
      for (int o = 0; o < 3; ++o) {
        rate[Index(m, o)] =
            total != 0 ? outcomes[o].count.ToDouble() / static_cast<double>(total) * 100.0 : 0.0;
        miss[Index(m, o)] = 100.0 - rate[Index(m, o)];
      }
    }
    vote_rate_ = rate;
    miss_rate_ = miss;
    for (int g = 0; g < 3; ++g) {
      pool_[g] = (kUnitPrice * kReturnShare * kGradeShare[g]).ToDouble() * kPercentPower;
    }
    return true;
  } catch (const std::exception& e) {
    // Half-built tables would estimate from another round's figures.
    vote_rate_.fill(0);
    miss_rate_.fill(0);
    pool_.fill(0);
    ReportException(kClass, "SetVote", e);
    return false;
  }
}

std::array<double, 5> clsTMoney::Picks(const std::array<double, kTableSize>& table,
                                       std::span<const int> kousei) const {
  if (kousei.size() < kMatchCount) throw RuntimeError(kErrSubscript);
  std::array<double, 5> picks{};
  for (int m = 0; m < kMatchCount; ++m) {
    if (kousei[m] < 0 || kousei[m] > 2) throw RuntimeError(kErrSubscript);
    picks[m] = table[Index(m, kousei[m])];
  }
  return picks;
}

Money clsTMoney::Estimate(double pool, double probability) {
  double f = probability > 0 ? pool / probability : 0.0;
  if (f > static_cast<double>(kPayoutCeiling)) return Money::FromInt(kPayoutCeiling);
  return Money::FromInt(Money::FromDouble(f).Floor());
}

Money clsTMoney::GetMoney1(std::span<const int> kousei) const {
  try {
    std::array<double, 5> v = Picks(vote_rate_, kousei);
    double p = 1.0;
    for (double r : v) p *= r;
    return Estimate(pool_[0], p);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetMoney1", e);
    return Money();
  }
}

Money clsTMoney::GetMoney1(std::span<const int> kousei,
                           const std::array<bool, 5>& cancelled) const {
  try {
    std::array<double, 5> v = Picks(vote_rate_, kousei);
    double p = 1.0;
    for (int m = 0; m < kMatchCount; ++m) p *= cancelled[m] ? 100.0 : v[m];
    return Estimate(pool_[0], p);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetMoney1", e);
    return Money();
  }
}

Money clsTMoney::GetMoney2(std::span<const int> kousei) const {
  try {
    std::array<double, 5> v = Picks(vote_rate_, kousei);
    std::array<double, 5> x = Picks(miss_rate_, kousei);
    double s = 0;
    for (int i = 0; i < kMatchCount; ++i) {
      double term = x[i];
      for (int j = 0; j < kMatchCount; ++j) {
        if (j != i) term *= v[j];
      }
      s += term;
    }
    return Estimate(pool_[1], s);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetMoney2", e);
    return Money();
  }
}

Money clsTMoney::GetMoney3(std::span<const int> kousei) const {
  try {
    std::array<double, 5> v = Picks(vote_rate_, kousei);
    std::array<double, 5> x = Picks(miss_rate_, kousei);
    double s = 0;
    for (int i = 0; i < kMatchCount - 1; ++i) {
      for (int j = i + 1; j < kMatchCount; ++j) {
        double term = x[i] * x[j];
        for (int k = 0; k < kMatchCount; ++k) {
          if (k != i && k != j) term *= v[k];
        }
        s += term;
      }
    }
    return Estimate(pool_[2], s);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetMoney3", e);
    return Money();
  }
}

Money clsTMoney::GetMoney(int grade_index, std::span<const int> kousei) const {
  switch (grade_index) {
    case 0:
      return GetMoney1(kousei);
    case 1:
      return GetMoney2(kousei);
    case 2:
      return GetMoney3(kousei);
    default:
      return Money();
  }
}

}  // namespace zelvo
