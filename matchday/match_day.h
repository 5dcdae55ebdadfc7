// Match day: a round's purchases (several documents of one round and group)
// held against the results as they come in.  What is still alive for first
// prize, the best number of right matches still reachable, which remaining
// results pay and what, each alive single's payout and chance given what is
// known, and what each remaining match decides.
#ifndef ZELVOMINI_MATCHDAY_MATCH_DAY_H_
#define ZELVOMINI_MATCHDAY_MATCH_DAY_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/single_number.h"
#include "matchday/in_play.h"
#include "official/result_record.h"
#include "official/vote_record.h"
#include "reduction/payout_estimate.h"
#include "reduction/single_value.h"

namespace zelvo {

enum class MatchState { kNotStarted, kInPlay, kFinished, kCancelled };

// One match as the user knows it now.
struct MatchEntry {
  MatchState state = MatchState::kNotStarted;
  int home_goals = 0;  // in play or finished
  int away_goals = 0;
  int minute = 0;  // in play

  bool operator==(const MatchEntry&) const = default;
};
using MatchEntries = std::array<MatchEntry, kMatches>;

// The outcome code of a score: 1 home win, 0 draw, 2 away win.
int OutcomeOfScore(int home_goals, int away_goals);
// Finished or cancelled: the match's result is known.
bool Decided(const MatchEntry& entry);
// The five matches of an official result: finished with their scores, or
// cancelled.
MatchEntries EntriesFromResult(const ResultRecord& result);

// One document of the purchase.
struct PurchaseDocument {
  std::string path;  // as the user gave it
  std::string name;  // the file name shown
  int round = 0;
  std::string group;
  std::vector<int> singles;  // its current singles, each one ticket
  OwnProbabilities own;
  VoteStatusRecord vote;  // the vote status it works with
};

// What a goal model says of the round's matches, where it knows them: the
// outcome chances before kick-off and the expected goals per match.
struct MatchModelForecast {
  std::string name;  // shown beside the figures it gave
  std::array<std::optional<std::array<double, 3>>, kMatches> chances;
  std::array<std::optional<GoalRates>, kMatches> rates;
};

// Where a match's chances come from.
enum class ChanceSource {
  kFinished,
  kCancelled,
  kOwn,            // a document's own probabilities
  kModel,          // the goal model's chances
  kPublic,         // the final vote rates
  kUniform,        // nothing known: a third each
  kInPlayModel,    // the score, the time left and the model's goal rates
  kInPlayTypical,  // the score, the time left and typical J-League rates
};

struct MatchChances {
  ChanceSource source = ChanceSource::kUniform;
  std::array<double, 3> p{};  // by outcome code; 1 for the known outcome of a finished match
  int outcome = -1;           // a finished match's outcome code
  GoalRates rates;            // in play: the rates used
};

struct DocumentFigures {
  int64_t tickets = 0;
  int64_t alive = 0;   // tickets still right on every decided match
  int best_right = 0;  // the most matches one of its singles can still get right
  double win_chance = 0;
  double expected_return = 0;  // yen
};

struct AliveSingle {
  int single = 0;
  int64_t tickets = 0;
  std::vector<int> documents;  // indexes into the purchase, ascending
  int64_t payout = 0;          // yen per winning ticket
  double chance = 0;           // that it wins, given what is known
  double expected_return = 0;  // tickets x payout x chance
};

// A single bought more than once (in several documents, or twice in one).
struct RepeatedSingle {
  int single = 0;
  int64_t tickets = 0;
  std::vector<int> documents;
};

// A way the remaining matches can end that pays.
struct PayingResult {
  std::array<int, kMatches> outcomes{};  // outcome codes, kResultCancelled for a cancelled match
  int singles = 0;                       // different singles that win
  int64_t tickets = 0;                   // tickets that win
  int64_t payout = 0;                    // yen the purchase gets back
  double chance = 0;
};

struct OutcomeDecision {
  double chance = 0;           // that the match ends this way
  int alive = 0;               // different singles still alive then
  double win_chance = 0;       // that the purchase wins, if it does
  double expected_return = 0;  // yen, if it does
};

struct MatchDecision {
  int match = 0;
  std::array<OutcomeDecision, 3> by_outcome;  // by outcome code
  // The one outcome every alive single needs, -1 when there is none.
  int needed = -1;
};

struct MatchDayFigures {
  std::array<MatchChances, kMatches> matches;
  int64_t tickets = 0;
  int64_t stake = 0;  // yen
  int distinct = 0;   // different singles
  std::vector<RepeatedSingle> repeated;
  std::vector<DocumentFigures> documents;  // as the purchase lists them
  int decided = 0;
  int remaining = 0;
  int alive = 0;  // different singles alive for first prize
  int64_t alive_tickets = 0;
  int best_right = 0;                // over the whole purchase; 0 without singles
  int combinations = 1;              // 3 ^ remaining
  std::vector<PayingResult> paying;  // the most likely first
  double win_chance = 0;
  double expected_return = 0;
  // The payouts: the official prize (the official result is what is
  // entered), the estimate of the final vote rates, or none (no vote status).
  bool confirmed_prize = false;
  bool priced = false;
  std::vector<AliveSingle> alive_singles;  // the most likely first
  std::vector<MatchDecision> decisions;    // the remaining matches in order
};

class MatchDay {
 public:
  static constexpr int64_t kTicketPrice = 100;

  // Takes a document into the purchase: the first sets the round and group,
  // later ones must share them and be another file.  False with `error` (a
  // sentence naming the document) otherwise.
  bool AddDocument(PurchaseDocument doc, std::string& error);
  void RemoveDocument(size_t index);
  void Clear();
  const std::vector<PurchaseDocument>& Documents() const { return documents_; }
  int Round() const { return documents_.empty() ? 0 : documents_[0].round; }
  std::string Group() const { return documents_.empty() ? std::string() : documents_[0].group; }

  // The round's final vote status, for the payouts and the public's chances;
  // until set, the first document's own vote status stands in.
  void SetVote(const VoteStatusRecord& vote);
  const VoteStatusRecord& Vote() const;
  // The official result, once published: when the entries are that result,
  // a winning ticket pays its official prize.
  void SetOfficialResult(const ResultRecord& result) { official_ = result; }
  const ResultRecord& OfficialResult() const { return official_; }
  void SetModel(const MatchModelForecast& model) { model_ = model; }
  const MatchModelForecast& Model() const { return model_; }
  // The document whose own probabilities are used (the first that has
  // them), -1 for none.
  int OwnDocument() const;

  MatchDayFigures Evaluate(const MatchEntries& entries) const;

 private:
  void Price();
  MatchChances ChancesOf(int match, const MatchEntry& entry) const;
  bool EntriesAreOfficial(const MatchEntries& entries) const;

  std::vector<PurchaseDocument> documents_;
  std::optional<VoteStatusRecord> vote_;
  ResultRecord official_;
  MatchModelForecast model_;
  // From the vote status in force.
  bool priced_ = false;
  clsTMoney money_;
  OutcomeProbabilities shares_{};
};

// The five outcome codes of a paying result as digits, "*" for a cancelled
// match, match 1 first ("1*102").
std::string ResultDigits(const std::array<int, kMatches>& outcomes);
// A single's five outcome digits, match 1 first ("10120").
std::string SingleDigits(int single);

}  // namespace zelvo

#endif  // ZELVOMINI_MATCHDAY_MATCH_DAY_H_
