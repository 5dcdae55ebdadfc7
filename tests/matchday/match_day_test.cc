// The match-day figures against a brute force over every way the remaining
// matches can end, and against the result check once all five are known.
#include "matchday/match_day.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "matchday/model_forecast.h"
#include "matchday/purchase.h"
#include "results/result_check.h"
#include "tests/common/temp_dir.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

int S(int d1, int d2, int d3, int d4, int d5) { return d1 + 3 * d2 + 9 * d3 + 27 * d4 + 81 * d5; }

PurchaseDocument Doc(const std::string& name, std::vector<int> singles, int round = 1487) {
  PurchaseDocument d;
  d.path = "/nowhere/" + name;
  d.name = name;
  d.round = round;
  d.group = "A";
  d.singles = std::move(singles);
  return d;
}

MatchEntry Finished(int h, int a) { return {MatchState::kFinished, h, a, 0}; }
MatchEntry Cancelled() { return {MatchState::kCancelled, 0, 0, 0}; }
MatchEntry Playing(int h, int a, int minute) { return {MatchState::kInPlay, h, a, minute}; }

// What every figure must be, worked out by going through each of the 3^k
// ways the open matches can end.
struct Brute {
  std::map<int, double> single_chance;  // alive single -> chance it wins
  std::set<int> alive;
  int best_right = 0;
  int paying = 0;
  double win = 0, expected = 0;
  std::vector<double> doc_win, doc_expected;
  // [match][outcome]: alive singles, win chance and return given that outcome.
  std::map<int, std::array<std::set<int>, 3>> alive_if;
  std::map<int, std::array<double, 3>> win_if, return_if;
};

Brute BruteForce(const std::vector<PurchaseDocument>& docs, const MatchEntries& entries,
                 const std::array<std::array<double, 3>, 5>& p,
                 const std::map<int, int64_t>& payout) {
  Brute b;
  b.doc_win.assign(docs.size(), 0);
  b.doc_expected.assign(docs.size(), 0);
  std::vector<int> open;
  for (int m = 0; m < 5; ++m) {
    if (entries[m].state == MatchState::kNotStarted || entries[m].state == MatchState::kInPlay) {
      open.push_back(m);
    }
  }
  int combos = 1;
  for (size_t i = 0; i < open.size(); ++i) combos *= 3;
  for (int c = 0; c < combos; ++c) {
    std::array<int, 5> result{};  // -1 cancelled
    double chance = 1;
    int rest = c;
    for (int m = 0; m < 5; ++m) {
      if (entries[m].state == MatchState::kCancelled) {
        result[m] = -1;
      } else if (entries[m].state == MatchState::kFinished) {
        const int h = entries[m].home_goals, a = entries[m].away_goals;
        result[m] = h > a ? 1 : h < a ? 2 : 0;
      }
    }
    for (int m : open) {
      result[m] = rest % 3;
      rest /= 3;
      chance *= p[m][result[m]];
    }
    double pays = 0;
    std::vector<double> doc_pays(docs.size(), 0);
    std::set<int> winners;
    for (size_t d = 0; d < docs.size(); ++d) {
      for (int s : docs[d].singles) {
        int right = 0;
        for (int m = 0; m < 5; ++m) right += result[m] < 0 || OutcomeOf(s, m) == result[m];
        b.best_right = std::max(b.best_right, right);
        if (right < 5) continue;
        winners.insert(s);
        pays += static_cast<double>(payout.at(s));
        doc_pays[d] += static_cast<double>(payout.at(s));
      }
    }
    for (size_t d = 0; d < docs.size(); ++d) {
      if (std::any_of(docs[d].singles.begin(), docs[d].singles.end(),
                      [&](int s) { return winners.count(s) > 0; })) {
        b.doc_win[d] += chance;
      }
      b.doc_expected[d] += chance * doc_pays[d];
    }
    if (!winners.empty()) {
      ++b.paying;
      b.win += chance;
    }
    b.expected += chance * pays;
    for (int s : winners) {
      b.alive.insert(s);
      b.single_chance[s] += chance;
    }
    for (int m : open) {
      const int o = result[m];
      // The chance of the other open matches only: the outcome of m is given.
      const double given = p[m][o] > 0 ? chance / p[m][o] : 0;
      for (int s : winners) b.alive_if[m][o].insert(s);
      if (!winners.empty()) b.win_if[m][o] += given;
      b.return_if[m][o] += given * pays;
    }
  }
  return b;
}

class MatchDayTest : public ::testing::Test {
 protected:
  testing::TempProgramDir dir_;
};

TEST_F(MatchDayTest, EveryFigureAgreesWithABruteForceOverTheOpenMatches) {
  std::mt19937 rng(20240601);
  auto uniform = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int trial = 0; trial < 60; ++trial) {
    std::array<std::array<long long, 3>, 5> counts;
    for (auto& c : counts) c = {10 + uniform(90), 10 + uniform(90), 10 + uniform(90)};
    MatchDay day;
    std::vector<PurchaseDocument> docs;
    const int n_docs = 1 + uniform(3);
    for (int d = 0; d < n_docs; ++d) {
      std::vector<int> singles;
      const int n = 1 + uniform(12);
      // Few distinct singles, so that documents share some and repeat some.
      for (int i = 0; i < n; ++i) singles.push_back(uniform(3) == 0 ? uniform(243) : uniform(20));
      docs.push_back(Doc("doc" + std::to_string(d) + ".tpd", singles));
      docs.back().vote = testing::MakeVoteRecord(counts, 1487);
    }
    const bool own = trial % 3 == 0;
    std::array<std::array<double, 3>, 5> own_p{};
    for (auto& m : own_p) {
      double a = 1 + uniform(9), b = 1 + uniform(9), c = 1 + uniform(9);
      m = {a / (a + b + c), b / (a + b + c), c / (a + b + c)};
    }
    if (own) {
      docs.back().own.set = true;
      docs.back().own.p = own_p;
    }
    for (const auto& d : docs) {
      std::string error;
      ASSERT_TRUE(day.AddDocument(d, error)) << error;
    }
    MatchEntries entries;
    for (auto& e : entries) {
      switch (uniform(4)) {
        case 0:
          e = Finished(uniform(3), uniform(3));
          break;
        case 1:
          e = uniform(3) == 0 ? Cancelled() : Finished(uniform(2), uniform(2));
          break;
        case 2:
          e = Playing(uniform(3), uniform(3), uniform(85));
          break;
        default:
          break;
      }
    }
    const MatchDayFigures f = day.Evaluate(entries);

    // The chances a not-started match takes: the own probabilities, else
    // the final vote rates as shares.
    std::array<std::array<double, 3>, 5> p{};
    for (int m = 0; m < 5; ++m) {
      const double total = static_cast<double>(counts[m][0] + counts[m][1] + counts[m][2]);
      for (int o = 0; o < 3; ++o) p[m][o] = own ? own_p[m][o] : counts[m][o] / total;
      if (entries[m].state == MatchState::kInPlay) {
        p[m] = InPlayChances(entries[m].home_goals, entries[m].away_goals, entries[m].minute,
                             kTypicalJLeagueRates);
      }
      if (!Decided(entries[m])) {
        for (int o = 0; o < 3; ++o) ASSERT_NEAR(f.matches[m].p[o], p[m][o], 1e-12);
      }
    }
    std::map<int, int64_t> payout;
    for (int s = 0; s < 243; ++s) payout[s] = 0;
    for (const AliveSingle& a : f.alive_singles) payout[a.single] = a.payout;
    const Brute b = BruteForce(docs, entries, p, payout);

    SCOPED_TRACE("trial " + std::to_string(trial));
    ASSERT_EQ(f.alive_singles.size(), b.alive.size());
    for (const AliveSingle& a : f.alive_singles) {
      ASSERT_TRUE(b.alive.count(a.single));
      EXPECT_NEAR(a.chance, b.single_chance.at(a.single), 1e-12);
      EXPECT_GT(a.payout, 0);
    }
    int64_t alive_tickets = 0;
    for (const auto& d : docs) {
      for (int s : d.singles) alive_tickets += b.alive.count(s);
    }
    EXPECT_EQ(f.alive_tickets, alive_tickets);
    EXPECT_EQ(f.best_right, b.best_right);
    EXPECT_EQ(static_cast<int>(f.paying.size()), b.paying);
    EXPECT_NEAR(f.win_chance, b.win, 1e-12);
    EXPECT_NEAR(f.expected_return, b.expected, 1e-6 * std::max(1.0, b.expected));
    for (size_t d = 0; d < docs.size(); ++d) {
      EXPECT_NEAR(f.documents[d].win_chance, b.doc_win[d], 1e-12);
      EXPECT_NEAR(f.documents[d].expected_return, b.doc_expected[d],
                  1e-6 * std::max(1.0, b.doc_expected[d]));
    }
    ASSERT_EQ(f.remaining, static_cast<int>(f.decisions.size()));
    for (const MatchDecision& md : f.decisions) {
      int kept = 0;
      for (int o = 0; o < 3; ++o) {
        const auto& alive_if =
            b.alive_if.count(md.match) ? b.alive_if.at(md.match)[o] : std::set<int>();
        EXPECT_EQ(md.by_outcome[o].alive, static_cast<int>(alive_if.size()));
        kept += !alive_if.empty();
        const double win = b.win_if.count(md.match) ? b.win_if.at(md.match)[o] : 0;
        const double ret = b.return_if.count(md.match) ? b.return_if.at(md.match)[o] : 0;
        EXPECT_NEAR(md.by_outcome[o].win_chance, win, 1e-9);
        EXPECT_NEAR(md.by_outcome[o].expected_return, ret, 1e-6 * std::max(1.0, ret));
      }
      EXPECT_EQ(md.needed >= 0, kept == 1);
    }
  }
}

TEST_F(MatchDayTest, ACancelledMatchIsRightForEverySingleAndSharesThePrize) {
  MatchDay day;
  std::string error;
  PurchaseDocument doc =
      Doc("a.tpd", {S(1, 0, 2, 0, 1), S(1, 1, 2, 0, 1), S(1, 2, 2, 0, 1), S(2, 2, 2, 0, 1)});
  // Even votes: a single's estimate is 100 x 0.5 x 3^5 = 12,150 yen, and
  // with one match cancelled everyone is right there: 50 x 3^4 = 4,050.
  doc.vote = testing::MakeUniformVoteRecord(1000, 1000, 1000, 1487);
  ASSERT_TRUE(day.AddDocument(doc, error));
  EXPECT_EQ(day.Evaluate({}).alive_singles[0].payout, 12150);

  const MatchDayFigures f =
      day.Evaluate({Finished(2, 0), Cancelled(), Finished(0, 3), Finished(1, 1), Finished(3, 2)});
  EXPECT_EQ(f.alive, 3);
  EXPECT_EQ(f.best_right, 5);
  ASSERT_EQ(f.paying.size(), 1u);
  EXPECT_EQ(ResultDigits(f.paying[0].outcomes), "1*201");
  EXPECT_EQ(f.paying[0].singles, 3);
  EXPECT_EQ(f.paying[0].payout, 3 * 4050);
  EXPECT_DOUBLE_EQ(f.win_chance, 1);
  EXPECT_DOUBLE_EQ(f.expected_return, 3 * 4050);
  // The fourth single missed match 1: four right at best.
  EXPECT_EQ(f.documents[0].alive, 3);
}

TEST_F(MatchDayTest, WithTheOfficialResultTheReturnIsTheCheckToTheYen) {
  ResultRecord result;
  result.Kaisaikai = 1487;
  result.Kumi = "A";
  const std::array<int, 5> outcomes = {1, 0, 3, 2, 1};
  for (int m = 0; m < 5; ++m) {
    result.matches[m].result = static_cast<uint8_t>(outcomes[m]);
    result.matches[m].home_score = outcomes[m] == 1 ? 2 : 1;
    result.matches[m].away_score = outcomes[m] == 2 ? 2 : 1;
  }
  result.prize[0] = Money::FromInt(48730);
  result.winners[0] = Money::FromInt(12);
  // Two documents sharing a winner, one winning twice in itself.
  const int win1 = S(1, 0, 0, 2, 1), win2 = S(1, 0, 2, 2, 1);
  std::vector<PurchaseDocument> docs = {Doc("a.tpd", {win1, S(2, 0, 0, 2, 1), win2, win2}),
                                        Doc("b.tpd", {win1, S(1, 1, 1, 1, 1)})};
  docs[0].vote = testing::MakeUniformVoteRecord(300, 500, 200, 1487);
  MatchDay day;
  std::string error;
  for (const auto& d : docs) ASSERT_TRUE(day.AddDocument(d, error));
  day.SetOfficialResult(result);
  const MatchDayFigures f = day.Evaluate(EntriesFromResult(result));
  ASSERT_TRUE(f.confirmed_prize);

  int64_t checked_total = 0;
  for (size_t d = 0; d < docs.size(); ++d) {
    clsTResult check;
    check.Initialize();
    check.SetResultData(1487, "A", result, true);
    check.SetSingle(static_cast<int>(docs[d].singles.size()), docs[d].singles);
    std::string won = check.Kakutei().grid().Text(2, 6);
    won.erase(std::remove(won.begin(), won.end(), ','), won.end());
    const int64_t yen = std::stoll(won);
    checked_total += yen;
    EXPECT_EQ(static_cast<int64_t>(std::llround(f.documents[d].expected_return)), yen);
  }
  EXPECT_EQ(checked_total, 4 * 48730);
  EXPECT_EQ(static_cast<int64_t>(std::llround(f.expected_return)), checked_total);
  EXPECT_EQ(f.alive, 2);
  EXPECT_EQ(f.alive_tickets, 4);
  ASSERT_EQ(f.repeated.size(), 2u);
  EXPECT_EQ(f.repeated[0].documents, (std::vector<int>{0, 1}));

  // A result typed by hand that differs from the official one is priced
  // by the estimate again.
  MatchEntries typed = EntriesFromResult(result);
  typed[0] = Finished(3, 1);
  EXPECT_FALSE(day.Evaluate(typed).confirmed_prize);
}

TEST_F(MatchDayTest, ChancesComeFromTheOwnTheModelThePublicInThatOrder) {
  MatchDay day;
  std::string error;
  PurchaseDocument plain = Doc("a.tpd", {0});
  PurchaseDocument own = Doc("b.tpd", {1});
  own.own.set = true;
  own.own.p[2] = {0.2, 0.5, 0.3};
  ASSERT_TRUE(day.AddDocument(plain, error));
  EXPECT_EQ(day.Evaluate({}).matches[2].source, ChanceSource::kUniform);
  day.SetVote(testing::MakeUniformVoteRecord(200, 500, 300, 1487));
  EXPECT_EQ(day.Evaluate({}).matches[2].source, ChanceSource::kPublic);
  EXPECT_NEAR(day.Evaluate({}).matches[2].p[1], 0.5, 1e-12);
  MatchModelForecast model;
  model.chances[2] = std::array<double, 3>{0.3, 0.3, 0.4};
  model.rates[3] = GoalRates{2.0, 0.5};
  day.SetModel(model);
  MatchEntries entries;
  entries[3] = Playing(0, 0, 45);
  entries[4] = Playing(0, 0, 45);
  MatchDayFigures f = day.Evaluate(entries);
  EXPECT_EQ(f.matches[2].source, ChanceSource::kModel);
  EXPECT_EQ(f.matches[3].source, ChanceSource::kInPlayModel);
  EXPECT_EQ(f.matches[4].source, ChanceSource::kInPlayTypical);
  EXPECT_GT(f.matches[3].p[1], f.matches[4].p[1]);
  ASSERT_TRUE(day.AddDocument(own, error));
  EXPECT_EQ(day.OwnDocument(), 1);
  EXPECT_NEAR(day.Evaluate({}).matches[2].p[2], 0.3, 1e-12);

  EXPECT_FALSE(day.AddDocument(Doc("a.tpd", {5}), error));
  EXPECT_NE(error.find("既に"), std::string::npos);
  EXPECT_FALSE(day.AddDocument(Doc("c.tpd", {5}, 1488), error));
  EXPECT_NE(error.find("第1488回A組"), std::string::npos) << error;
}

// The chances of a match in play against the Poisson sums written out.
TEST_F(MatchDayTest, InPlayChancesFollowTheScoreAndTheTimeLeft) {
  auto poisson = [](double mean, int k) {
    return std::exp(-mean) * std::pow(mean, k) / std::tgamma(k + 1);
  };
  const GoalRates rates{1.6, 0.9};
  for (int minute : {0, 30, 60, 89}) {
    for (int lead : {-1, 0, 2}) {
      const double left = (94.0 - minute) / 94.0;
      double draw = 0, home = 0;
      for (int h = 0; h < 25; ++h) {
        for (int a = 0; a < 25; ++a) {
          const double p = poisson(rates.home * left, h) * poisson(rates.away * left, a);
          const int d = lead + h - a;
          if (d == 0) draw += p;
          if (d > 0) home += p;
        }
      }
      const auto c = InPlayChances(std::max(lead, 0), std::max(-lead, 0), minute, rates);
      EXPECT_NEAR(c[0], draw, 1e-9);
      EXPECT_NEAR(c[1], home, 1e-9);
      EXPECT_NEAR(c[0] + c[1] + c[2], 1, 1e-12);
    }
  }
  // At the end, or with no goals to come, the score decides.
  EXPECT_EQ(InPlayChances(2, 1, 95, rates), (std::array<double, 3>{0, 1, 0}));
  EXPECT_EQ(InPlayChances(0, 0, 10, GoalRates{0, -1}), (std::array<double, 3>{1, 0, 0}));
  const auto nan = InPlayChances(0, 1, 10, GoalRates{std::nan(""), 1});
  EXPECT_NEAR(nan[0] + nan[1] + nan[2], 1, 1e-12);
  EXPECT_EQ(nan[1], 0);
}

// A made-up round of the shipped sample archive stands in only for a round
// the user's cache holds nothing of; a file of the cache, even one that does
// not read, speaks for the round.
TEST_F(MatchDayTest, AMadeUpSampleRoundStandsInOnlyWhereTheCacheHoldsNothing) {
  namespace fs = std::filesystem;
  fs::copy(fs::path(ZELVO_PROGRAM_DIR_FOR_TESTS) / "SampleArchive",
           fs::path(dir_.path()) / "SampleArchive", fs::copy_options::recursive);
  ResultRecord result;
  VoteStatusRecord vote;
  EXPECT_TRUE(MadeUpSampleRound(9005, "B"));
  ASSERT_TRUE(CachedRoundResult(9005, "B", result));
  EXPECT_EQ(result.Kaisaikai, 9005);
  EXPECT_TRUE(CachedRoundVote(9005, "B", vote));
  EXPECT_FALSE(MadeUpSampleRound(9099, "B"));

  dir_.WriteBytes("SysData/minitoto_Result/minitoto_result_9005_B.xml", "<damaged");
  EXPECT_FALSE(MadeUpSampleRound(9005, "B"));
  EXPECT_FALSE(CachedRoundResult(9005, "B", result));
}

// The goal model prices the clubs it knows from the round's schedule, the
// made-up sample round's too; with no history there is no forecast, and
// the view falls back to the vote rates and typical scoring.
TEST_F(MatchDayTest, TheGoalModelPricesTheRoundItKnowsAndNothingWithoutHistory) {
  namespace fs = std::filesystem;
  fs::copy(fs::path(ZELVO_PROGRAM_DIR_FOR_TESTS) / "SampleArchive",
           fs::path(dir_.path()) / "SampleArchive", fs::copy_options::recursive);
  const clsTotoData no_tables;
  VoteStatusRecord vote;
  ASSERT_TRUE(CachedRoundVote(9005, "B", vote));
  EXPECT_FALSE(GoalModelForecast(9005, "B", vote, no_tables).chances[0].has_value());

  fs::copy(fs::path(ZELVO_PROGRAM_DIR_FOR_TESTS) / "History", fs::path(dir_.path()) / "History",
           fs::copy_options::recursive);
  const MatchModelForecast f = GoalModelForecast(9005, "B", vote, no_tables);
  for (int m = 0; m < kMatches; ++m) {
    ASSERT_TRUE(f.chances[m].has_value()) << m;
    EXPECT_NEAR((*f.chances[m])[0] + (*f.chances[m])[1] + (*f.chances[m])[2], 1.0, 1e-9);
    ASSERT_TRUE(f.rates[m].has_value());
    EXPECT_GT(f.rates[m]->home, 0.5);
    EXPECT_LT(f.rates[m]->home, 3.0);
  }
  EXPECT_NE(f.name.find("2024/03/24"), std::string::npos) << f.name;
}

}  // namespace
}  // namespace zelvo
