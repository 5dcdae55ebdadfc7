#include "core/multi_counts.h"

#include <stdexcept>

#include "support/error_report.h"
#include "support/sort.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTDeme";

}  // namespace

std::array<int, 3> PopularityRanks(const VoteMatch& match) {
  std::array<Money, 3> rates = {match.outcomes[0].rate, match.outcomes[1].rate,
                                match.outcomes[2].rate};
  std::array<int, 3> order = {0, 1, 2};
  QuickSortIndex(rates.data(), order.data(), 0, 2, true);
  std::array<int, 3> ranks{};
  ranks[order[2]] = 0;
  ranks[order[1]] = 1;
  ranks[order[0]] = 2;
  return ranks;
}

const std::array<std::array<uint8_t, 5>, kSingles>& SingleDigits() {
  static const auto digits = [] {
    std::array<std::array<uint8_t, 5>, kSingles> d{};
    for (int s = 0; s < kSingles; ++s) {
      for (int m = 0; m < kMatches; ++m) d[s][m] = static_cast<uint8_t>(OutcomeOf(s, m));
    }
    return d;
  }();
  return digits;
}

void clsTDeme::SetMulti(const MultiTable& value) {
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) {
      int mark = value[o][m];
      mark_[Cell(o, m)] = (mark >= 1 && mark <= 6) ? static_cast<uint8_t>(mark - 1) : kDemeNone;
    }
  }
}

void clsTDeme::SetVoteRecord(const VoteStatusRecord& vote) {
  if (vote.Kaisaikai == 0) return;
  for (int m = 0; m < kMatches; ++m) {
    std::array<int, 3> ranks = PopularityRanks(vote.matches[m]);
    for (int o = 0; o < 3; ++o) rank_[Cell(o, m)] = static_cast<uint8_t>(ranks[o]);
  }
}

void clsTDeme::SetGameFlg(const std::array<bool, 5>& flags) {
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) {
      int c = Cell(o, m);
      honmei_[c] = flags[m] ? mark_[c] : kDemeNone;
      ninki_[c] = flags[m] ? rank_[c] : kDemeNone;
      outcome_[c] = flags[m] ? static_cast<uint8_t>(o) : kDemeNone;
    }
  }
}

void clsTDeme::SetMarkFlg(const std::array<bool, 3>& flags) {
  for (int o = 0; o < 3; ++o) {
    if (flags[o]) continue;
    for (int m = 0; m < kMatches; ++m) {
      int c = Cell(o, m);
      honmei_[c] = ninki_[c] = outcome_[c] = kDemeNone;
    }
  }
}

void clsTDeme::SetPlusFlg(const std::vector<bool>& flags) {
  try {
    if (flags.size() > plus_.size()) throw RuntimeError(kErrSubscript);
    for (size_t i = 0; i < flags.size(); ++i) plus_[i] = flags[i] ? 1 : 0;
    plus_[kDemeNone] = 0;
  } catch (const std::exception& e) {
    ReportException(kClass, "SetPlusFlg", e);
  }
}

int clsTDeme::Count(const std::array<uint8_t, 15>& table, std::span<const uint8_t> single,
                    const char* proc) const {
  try {
    if (single.size() < kMatches) throw RuntimeError(kErrSubscript);
    int count = 0;
    for (int m = 0; m < kMatches; ++m) {
      if (single[m] > 2) throw RuntimeError(kErrSubscript);
      count += plus_[table[Cell(single[m], m)]];
    }
    return count;
  } catch (const std::exception& e) {
    ReportException(kClass, proc, e);
    return 0;
  }
}

int clsTDeme::GetHonmei(std::span<const uint8_t> single) const {
  return Count(honmei_, single, "GetHonmei");
}

int clsTDeme::GetNinki(std::span<const uint8_t> single) const {
  return Count(ninki_, single, "GetNinki");
}

int clsTDeme::GetMark(std::span<const uint8_t> single) const {
  return Count(outcome_, single, "GetMark");
}

const std::array<uint8_t, 15>& clsTDeme::TableOf(Kind kind) const {
  switch (kind) {
    case Kind::kHonmei:
      return honmei_;
    case Kind::kNinki:
      return ninki_;
    case Kind::kMark:
      break;
  }
  return outcome_;
}

void clsTDeme::CountParts(Kind kind, std::array<uint8_t, 27>& low,
                          std::array<uint8_t, 9>& high) const {
  const auto& table = TableOf(kind);
  uint8_t add[5][3];
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) add[m][o] = plus_[table[Cell(o, m)]];
  }
  int i = 0;
  for (int o2 = 0; o2 < 3; ++o2) {
    for (int o1 = 0; o1 < 3; ++o1) {
      for (int o0 = 0; o0 < 3; ++o0) {
        low[i++] = static_cast<uint8_t>(add[0][o0] + add[1][o1] + add[2][o2]);
      }
    }
  }
  i = 0;
  for (int o4 = 0; o4 < 3; ++o4) {
    for (int o3 = 0; o3 < 3; ++o3) high[i++] = static_cast<uint8_t>(add[3][o3] + add[4][o4]);
  }
}

void clsTDeme::CountAll(Kind kind, std::array<uint8_t, kSingles>& counts) const {
  std::array<uint8_t, 27> low;
  std::array<uint8_t, 9> high;
  CountParts(kind, low, high);
  uint8_t* out = counts.data();
  for (int hi = 0; hi < 9; ++hi) {
    for (int lo = 0; lo < 27; ++lo) out[27 * hi + lo] = static_cast<uint8_t>(low[lo] + high[hi]);
  }
}

}  // namespace zelvo
