// Counts of a single's picks that fall into chosen categories: rating marks
// of the multi, popularity ranks from the vote rates, or outcome kinds.  The
// count conditions of the reduction are built on these three counts.
#ifndef ZELVOMINI_CORE_MULTI_COUNTS_H_
#define ZELVOMINI_CORE_MULTI_COUNTS_H_

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/multi_table.h"
#include "core/single_number.h"
#include "official/vote_record.h"

namespace zelvo {

// Popularity rank per outcome code of one match (0 most votes, 2 fewest).
// Ties fall as the program's quicksort leaves them, which users see as the
// marks of "全て投票率順でマーク", so the sort must not be replaced.
std::array<int, 3> PopularityRanks(const VoteMatch& match);

// A category value that never counts: its plus flag is always 0.
inline constexpr uint8_t kDemeNone = 99;

class clsTDeme {
 public:
  enum class Kind { kHonmei = 1, kNinki = 2, kMark = 3 };

  // Fill in this order: SetMulti, SetVoteRecord, SetGameFlg, SetMarkFlg,
  // SetPlusFlg; the game flags copy from the mark and rank tables.
  void SetMulti(const MultiTable& value);
  // Ranks from the vote rates; a record without a round leaves them as they
  // were.
  void SetVoteRecord(const VoteStatusRecord& vote);
  void SetGameFlg(const std::array<bool, 5>& flags);
  void SetMarkFlg(const std::array<bool, 3>& flags);
  // Flags by category value; entries past the argument keep their value.  At
  // most 100 entries (an argument past index 99 is a run-time error).
  void SetPlusFlg(const std::vector<bool>& flags);

  // Counts 0 to 5 for a single given as its five outcome codes.
  int GetHonmei(std::span<const uint8_t> single) const;
  int GetNinki(std::span<const uint8_t> single) const;
  int GetMark(std::span<const uint8_t> single) const;

  // The count of every single number at once (the reduction asks for all of
  // them under every condition, and this costs one pass over the 243).
  void CountAll(Kind kind, std::array<uint8_t, kSingles>& counts) const;
  // The same in two parts: a single number is lo + 27 x hi, and its count is
  // low[lo] (matches 0 to 2) + high[hi] (matches 3 and 4).
  void CountParts(Kind kind, std::array<uint8_t, 27>& low, std::array<uint8_t, 9>& high) const;

  uint8_t RankOf(int outcome, int match) const { return rank_[Cell(outcome, match)]; }

 private:
  static constexpr int Cell(int outcome, int match) { return outcome + 3 * match; }
  int Count(const std::array<uint8_t, 15>& table, std::span<const uint8_t> single,
            const char* proc) const;
  const std::array<uint8_t, 15>& TableOf(Kind kind) const;

  std::array<uint8_t, 15> mark_ = Filled(kDemeNone);
  std::array<uint8_t, 15> rank_{};
  std::array<uint8_t, 15> honmei_ = Filled(kDemeNone);
  std::array<uint8_t, 15> ninki_ = Filled(kDemeNone);
  std::array<uint8_t, 15> outcome_ = Filled(kDemeNone);
  std::array<uint8_t, 100> plus_{};

  static constexpr std::array<uint8_t, 15> Filled(uint8_t v) {
    std::array<uint8_t, 15> a{};
    for (auto& x : a) x = v;
    return a;
  }
};

// Outcome codes of every single number, match index 0 first.
const std::array<std::array<uint8_t, 5>, kSingles>& SingleDigits();

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_MULTI_COUNTS_H_
