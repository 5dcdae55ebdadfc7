#include "tests/common/document_fixtures.h"

#include <gtest/gtest.h>

namespace zelvo::testing {

VoteStatusRecord SampleVote() {
  VoteStatusRecord v;
  v.Kaisaikai = 512;
  v.Kumi = "B";
  DateTime::FromParts(2026, 5, 16, 13, 50, 0, v.as_of);
  const char* homes[] = {"FC東京", "横浜FM", "京都", "鹿島", "浦和"};
  const char* aways[] = {"川崎F", "G大阪", "広島", "名古屋", "柏"};
  // Rates per outcome code 0 (draw), 1 (home), 2 (away); each match adds to 100.
  const int rates[5][3] = {{25, 50, 25}, {30, 40, 30}, {20, 45, 35}, {28, 36, 36}, {22, 55, 23}};
  for (int m = 0; m < 5; ++m) {
    VoteMatch& match = v.matches[m];
    match.home = homes[m];
    match.away = aways[m];
    match.match_date = DateTime::Date(2026, 5, 16 + (m >= 3 ? 1 : 0));
    match.kickoff = DateTime::Time(14 + m % 3, m % 2 ? 30 : 0, 0);
    for (int o = 0; o < 3; ++o) {
      match.outcomes[o].count = Money::FromInt(rates[m][o] * 1000);
      match.outcomes[o].rate = Money::FromInt(rates[m][o]);
    }
  }
  v.tickets = {Money::FromInt(100000), Money::FromInt(60000), Money::FromInt(40000)};
  v.sales = {Money::FromInt(10000000), Money::FromInt(6000000), Money::FromInt(4000000)};
  v.cards = {Money::FromInt(30000), Money::FromInt(12000), Money::FromInt(18000)};
  DateTime::FromParts(2026, 5, 9, 10, 0, 0, v.sale_start);
  DateTime::FromParts(2026, 5, 16, 13, 50, 0, v.sale_end);
  v.result_announcement = DateTime::Date(2026, 5, 18);
  v.payout_start = DateTime::Date(2026, 5, 19);
  v.payout_deadline = DateTime::Date(2027, 5, 19);
  return v;
}

DocumentRecord SampleDocument(int singles) {
  DocumentRecord d;
  d.Kaisaikai = 512;
  d.Kumi = "B";
  d.Multi = {{{0, 2, 0, 3, 0}, {1, 1, 1, 0, 1}, {0, 0, 4, 5, 6}}};
  ReductionConditions& c = d.Conditions;
  c.Haitou.Flag = {true, false, false};
  c.Haitou.Min = {Money::FromInt(1000), Money(), Money::FromRaw(12345)};
  c.Haitou.Max = {Money::FromDouble(250000.5), Money::FromInt(9999999999),
                  Money::FromInt(9999999999)};
  ConditionEntry& h0 = c.Honmei[0];
  h0.cells[0] = {1, 0, 0, 2, 1, 1};
  h0.row_items[1] = {true, true, false, false, false, false};
  h0.captions[1] = "◎+○";
  c.Honmei[1].target_matches = {true, false, true, false, false};
  c.Ninki[3].B = false;
  c.Ninki[3].cells[2] = {0, 0, 0, 0, 0, 1};
  c.Ninki[28].target_outcomes = {true, false, true};
  for (ConditionEntry& e : c.Mark) e.A = false;
  c.Mark[5].cells[1] = {2, 2, 0, 0, 0, 0};
  c.MachigaiType = 2;
  c.MachigaiList = {true, true, false, true};
  EngineSettings& e = d.Engine;
  e.MsEngine = 2;
  e.ChushutsuFlag = true;
  e.ChushutsuCount = 5;
  e.ChushutsuType = 0;
  d.MsSingleCount = 42;
  d.MsSingleFrame = {{{10, 11, 12, 13, 14}, {20, 21, 22, 23, 24}, {12, 10, 8, 6, 4}}};
  d.MsTousen = {81, 42, 30, 9, 72, 81};
  d.SingleCount = singles;
  for (int i = 0; i < singles; ++i) d.SingleData.push_back((i * 37) % 243);
  d.SingleFrame = CountOutcomeFrame(d.SingleCount, d.SingleData);
  d.SakugenMessage = "Zelvo mini  Version 1.00\r\nマルチ総数：81\r\n";
  d.Vote = SampleVote();
  return d;
}

void ExpectSameVote(const VoteStatusRecord& a, const VoteStatusRecord& b) {
  EXPECT_EQ(a.Kaisaikai, b.Kaisaikai);
  EXPECT_EQ(a.Kumi, b.Kumi);
  EXPECT_EQ(a.as_of, b.as_of);
  for (int m = 0; m < 5; ++m) {
    SCOPED_TRACE("match " + std::to_string(m));
    EXPECT_EQ(a.matches[m].home, b.matches[m].home);
    EXPECT_EQ(a.matches[m].away, b.matches[m].away);
    EXPECT_EQ(a.matches[m].match_date, b.matches[m].match_date);
    EXPECT_EQ(a.matches[m].kickoff, b.matches[m].kickoff);
    for (int o = 0; o < 3; ++o) {
      EXPECT_EQ(a.matches[m].outcomes[o].count, b.matches[m].outcomes[o].count);
      EXPECT_EQ(a.matches[m].outcomes[o].rate, b.matches[m].outcomes[o].rate);
    }
  }
  EXPECT_EQ(a.sales, b.sales);
  EXPECT_EQ(a.tickets, b.tickets);
  EXPECT_EQ(a.cards, b.cards);
  EXPECT_EQ(a.sale_start, b.sale_start);
  EXPECT_EQ(a.sale_end, b.sale_end);
  EXPECT_EQ(a.result_announcement, b.result_announcement);
  EXPECT_EQ(a.payout_start, b.payout_start);
  EXPECT_EQ(a.payout_deadline, b.payout_deadline);
}

void ExpectSameDocument(const DocumentRecord& a, const DocumentRecord& b) {
  EXPECT_EQ(a.Kaisaikai, b.Kaisaikai);
  EXPECT_EQ(a.Kumi, b.Kumi);
  EXPECT_EQ(a.VoteTime, b.VoteTime);
  EXPECT_EQ(a.Multi, b.Multi);
  EXPECT_EQ(a.Conditions.Haitou, b.Conditions.Haitou);
  for (ConditionTable t :
       {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
    for (int g = 0; g < kConditionGroups; ++g) {
      EXPECT_EQ(a.Conditions.Table(t)[g], b.Conditions.Table(t)[g])
          << "table " << static_cast<int>(t) << " group " << g;
    }
  }
  EXPECT_EQ(a.Conditions.MachigaiType, b.Conditions.MachigaiType);
  EXPECT_EQ(a.Conditions.MachigaiList, b.Conditions.MachigaiList);
  EXPECT_EQ(a.Engine, b.Engine);
  EXPECT_EQ(a.MsSingleCount, b.MsSingleCount);
  EXPECT_EQ(a.MsSingleFrame, b.MsSingleFrame);
  EXPECT_EQ(a.MsTousen, b.MsTousen);
  EXPECT_EQ(a.SingleCount, b.SingleCount);
  EXPECT_EQ(a.SingleFrame, b.SingleFrame);
  EXPECT_EQ(a.SingleData, b.SingleData);
  EXPECT_EQ(a.SakugenMessage, b.SakugenMessage);
  ExpectSameVote(a.Vote, b.Vote);
}

}  // namespace zelvo::testing
