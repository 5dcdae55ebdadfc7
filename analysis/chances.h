// Chances of a purchase from outcome probabilities: the probability of a win
// (all five right) and of at least four or three right, and the expected
// return with the payout estimate of the official vote counts.
#ifndef ZELVOMINI_ANALYSIS_CHANCES_H_
#define ZELVOMINI_ANALYSIS_CHANCES_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/single_number.h"
#include "official/vote_record.h"
#include "reduction/payout_estimate.h"
#include "reduction/single_value.h"

namespace zelvo {

// How a probability file gives its figures.
enum class ProbabilityForm {
  kPercent,  // percentages summing to 100 per match
  kOdds,     // decimal odds (at least 1), the bookmaker's margin removed
};

// A percentage line may miss 100 by this much (rounded figures such as
// 33.3, 33.3, 33.3); the three are then scaled to sum to 100 exactly.
inline constexpr double kPercentTolerance = 0.5;

struct ProbabilityParse {
  bool ok = false;
  int line = 0;       // the line the error is on (1-based), 0 for none
  std::string error;  // what is wrong, without the file name
  OutcomeProbabilities p{};
};

// The lines of a probability file in the forms a spreadsheet writes them:
// CR LF, LF or a lone CR between lines, a byte-order mark dropped, blank
// lines (blanks and tabs only) and lines beginning with "#" skipped.
struct ProbabilityLine {
  int number = 0;  // 1-based, in the file
  std::string text;
};
std::vector<ProbabilityLine> ProbabilityLines(std::string_view text);
// A line's values: separated by commas, by tabs, or by semicolons (whose
// values may then have a decimal comma, as a spreadsheet of a comma locale
// writes them), each without the quotes around it and in half-width
// characters; empty values at the end (a spreadsheet's unused columns)
// dropped.
std::vector<std::string> ProbabilityFields(std::string_view line);

// Five lines, one per match in match order, each "home,draw,away" (the
// outcomes 1, 0, 2 as the screen shows them), read as above.  Odds are turned into probabilities
// per match by removing the overround proportionally:
//   p_i = (1 / o_i) / (1 / o_1 + 1 / o_2 + 1 / o_3).
// Every value must be a number above 0 (odds at least 1); any fault gives
// ok false and nothing else.
ProbabilityParse ParseProbabilities(std::string_view text, ProbabilityForm form);

// The official vote rates as probabilities.  False, with `error` naming the
// match, when a match has no votes.
bool ProbabilitiesFromVote(const VoteStatusRecord& vote, OutcomeProbabilities& p,
                           std::string& error);

// Probability of one result.
double ResultProbability(const OutcomeProbabilities& p, int single);

struct SingleChance {
  int single = 0;
  int64_t tickets = 0;     // how often it is bought
  double probability = 0;  // that it is the result
  int64_t payout = 0;      // estimated prize in yen (0 without an estimate)
  double value = 0;        // expected return in yen per 100-yen ticket
};

struct ChancesReport {
  int64_t tickets = 0;
  int bought_distinct = 0;
  double win = 0;        // all five right with some ticket
  double at_least4 = 0;  // at least four right
  double at_least3 = 0;  // at least three right
  bool has_payout = false;
  double stake = 0;                   // yen, 100 a ticket
  double expected_return = 0;         // yen over the whole purchase
  double per_100 = 0;                 // expected return per 100 yen staked
  std::vector<SingleChance> singles;  // the different bought singles, ascending
};

// Numbers must be 0 to 242 (std::out_of_range).  Without `payout` (no vote
// status) the expected values stay 0 and has_payout false.
ChancesReport AnalyseChances(std::span<const int> bought, const OutcomeProbabilities& p,
                             const clsTMoney* payout);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_CHANCES_H_
