#include "bench/made_up_rounds.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace zelvo {
namespace {

struct Club {
  const char* name;
  const char* stadium;
};

// The 2024 first division, as the sample round 1487 uses it.
constexpr Club kClubs[] = {
    {"鹿島", "カシマ"},   {"FC東京", "味の素"}, {"浦和", "埼玉"},       {"京都", "サンガS"},
    {"川崎Ｆ", "等々力"}, {"新潟", "デンカS"},  {"Ｇ大阪", "パナスタ"}, {"神戸", "ノエスタ"},
    {"広島", "Ｅピース"}, {"町田", "町田"},     {"横浜FM", "日産ス"},   {"名古屋", "豊田ス"},
    {"札幌", "札幌ド"},   {"湘南", "レモンS"},  {"柏", "三協Ｆ柏"},     {"東京Ｖ", "味の素"},
    {"磐田", "ヤマハ"},   {"鳥栖", "駅スタ"},   {"Ｃ大阪", "ヨドコウ"}, {"福岡", "ベススタ"}};

constexpr int kFirstRound = 1;

DateTime AddDays(DateTime d, int days) { return DateTime::FromSeconds(d.seconds() + 86400LL * days); }

}  // namespace

ArchivedRound MakeUpRound(int round, const std::string& group, uint64_t seed) {
  std::mt19937_64 rng(seed * 7919u + static_cast<uint64_t>(round) * 2u + (group == "B"));
  std::uniform_real_distribution<double> uni(0.0, 1.0);
  ArchivedRound r;

  // A round a week through the 2024 season, whose clubs these are; group B
  // plays the day after group A.
  const int week = std::max(0, round - kFirstRound) % 40;
  DateTime day = AddDays(DateTime::Date(2024, 2, 24), 7 * week + (group == "B" ? 1 : 0));
  DateTime sale_start = DateTime::FromSeconds(AddDays(day, -7).seconds() + 8 * 3600);
  DateTime sale_end = DateTime::FromSeconds(day.seconds() + 13 * 3600 + 50 * 60);

  std::vector<int> clubs(std::size(kClubs));
  for (size_t i = 0; i < clubs.size(); ++i) clubs[i] = static_cast<int>(i);
  std::shuffle(clubs.begin(), clubs.end(), rng);

  const int64_t tickets = 150000 + static_cast<int64_t>(uni(rng) * 150000);
  ScheduleRecord& s = r.schedule;
  VoteStatusRecord& v = r.vote;
  ResultRecord& res = r.result;
  s.Kaisaikai = v.Kaisaikai = res.Kaisaikai = round;
  s.Kumi = v.Kumi = res.Kumi = group;
  double public_chance = 1.0;  // the share of tickets on the winning single
  for (int m = 0; m < 5; ++m) {
    const Club& home = kClubs[clubs[2 * m]];
    const Club& away = kClubs[clubs[2 * m + 1]];
    DateTime kickoff = DateTime::Time(14 + m, m % 2 == 0 ? 0 : 30, 0);
    s.matches[m] = {home.name, away.name, day, kickoff, home.stadium, "VS"};

    // Hidden odds: a home advantage and a random gap between the clubs.
    double gap = (uni(rng) - 0.45) * 1.6;
    double draw = 0.22 + uni(rng) * 0.08;
    double home_p = (1 - draw) / (1 + std::exp(-2.2 * gap));
    std::array<double, 3> truth = {draw, home_p, 1 - draw - home_p};  // by outcome code
    // The public backs favourites beyond their chances.
    std::array<double, 3> share{};
    double sum = 0;
    for (int o = 0; o < 3; ++o) sum += share[o] = std::pow(truth[o], 1.35) * (0.9 + 0.2 * uni(rng));
    std::array<int64_t, 3> counts{};
    int64_t counted = 0;
    for (int o = 0; o < 3; ++o) counted += counts[o] = std::llround(share[o] / sum * tickets);
    counts[1] += tickets - counted;
    // Rates to two decimals that add up to exactly 100.
    std::array<int64_t, 3> hundredths{};
    int64_t total_hundredths = 0;
    for (int o = 0; o < 3; ++o) {
      total_hundredths += hundredths[o] = std::llround(10000.0 * counts[o] / tickets);
    }
    int largest = static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    hundredths[largest] += 10000 - total_hundredths;
    VoteMatch& vm = v.matches[m];
    vm.home = home.name;
    vm.away = away.name;
    vm.match_date = day;
    vm.kickoff = kickoff;
    for (int o = 0; o < 3; ++o) {
      vm.outcomes[o].count = Money::FromInt(counts[o]);
      vm.outcomes[o].rate = Money::FromDouble(hundredths[o] / 100.0);
    }

    // The result, drawn from the hidden odds; now and then a match is called off.
    ResultMatch& rm = res.matches[m];
    rm.match_date = day;
    rm.stadium = home.stadium;
    rm.home = home.name;
    rm.away = away.name;
    double u = uni(rng);
    if (uni(rng) < 0.01) {
      rm.result = kResultCancelled;
      continue;
    }
    int outcome = u < truth[0] ? 0 : u < truth[0] + truth[1] ? 1 : 2;
    rm.result = static_cast<uint8_t>(outcome);
    int low = static_cast<int>(uni(rng) * 3);
    int margin = 1 + static_cast<int>(uni(rng) * 2.5);
    rm.home_score = static_cast<uint8_t>(outcome == 2 ? low : outcome == 1 ? low + margin : low);
    rm.away_score = static_cast<uint8_t>(outcome == 1 ? low : outcome == 2 ? low + margin : low);
    public_chance *= static_cast<double>(counts[outcome]) / tickets;
  }
  const int64_t multi = tickets * (55 + static_cast<int64_t>(uni(rng) * 10)) / 100;
  v.tickets = {Money::FromInt(tickets), Money::FromInt(multi), Money::FromInt(tickets - multi)};
  v.sales = {Money::FromInt(tickets * 100), Money::FromInt(multi * 100),
             Money::FromInt((tickets - multi) * 100)};
  const int64_t multi_cards = multi / 6, single_cards = (tickets - multi) / 2;
  v.cards = {Money::FromInt(multi_cards + single_cards), Money::FromInt(multi_cards),
             Money::FromInt(single_cards)};
  v.as_of = sale_end;

  // Winners: the public's tickets on the winning combination, give or take.
  std::poisson_distribution<int64_t> winners_draw(std::max(1e-9, public_chance * tickets));
  const int64_t winners = winners_draw(rng);
  const int64_t pool = tickets * 100 / 2;
  res.prize = {Money::FromInt(winners > 0 ? pool / winners : 0)};
  res.winners = {Money::FromInt(winners)};
  res.carryover = {Money::FromInt(winners > 0 ? 0 : pool)};

  DateTime announcement = AddDays(day, 2), payout = AddDays(day, 3);
  DateTime deadline = AddDays(day, 367);
  s.sale_start = v.sale_start = res.sale_start = sale_start;
  s.sale_end = v.sale_end = res.sale_end = sale_end;
  s.result_announcement = v.result_announcement = res.result_announcement = announcement;
  s.payout_start = v.payout_start = res.payout_start = payout;
  s.payout_deadline = v.payout_deadline = res.payout_deadline = deadline;
  return r;
}

}  // namespace zelvo
