// The match-day window on the shipped sample round: the cached result fills
// the rows, every entry shows at once, documents join by round and group.
#include "ui/match_day_window.h"

#include <gtest/gtest.h>

#include "files/tpd_file.h"
#include "matchday/purchase.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"

namespace zelvo {
namespace {

class MatchDayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::InstallShippedProgramFolder(dir_); }
  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

TEST_F(MatchDayWindowTest, TheCachedResultFillsTheRowsAndEveryEntryShowsAtOnce) {
  frmMatchDay w;
  int changes = 0;
  w.on_changed = [&] { ++changes; };
  w.AddPaths({testing::SampleDocumentPath()});
  ASSERT_EQ(w.DocumentCount(), 1) << Join(fake_.MessageTexts(), "\n");
  ResultRecord result;
  ASSERT_TRUE(CachedRoundResult(1487, "A", result));
  EXPECT_EQ(w.Entries(), EntriesFromResult(result));
  EXPECT_TRUE(w.Figures().confirmed_prize);
  EXPECT_EQ(w.Title(), "試合当日 - 第1487回 A組（架空の回）");

  w.ClearResults();
  EXPECT_EQ(w.Entries(), MatchEntries{});
  EXPECT_FALSE(w.GoalsEnabled(3));
  EXPECT_EQ(w.Figures().matches[3].source, ChanceSource::kPublic);
  EXPECT_EQ(w.SourceText(3), "投票率");

  changes = 0;
  w.State(3).SetListIndex(1);
  w.HomeGoals(3).SetText("1");
  w.Minute(3).SetText("6");
  w.Minute(3).SetText("60");
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(w.GoalsEnabled(3));
  EXPECT_TRUE(w.MinuteEnabled(3));
  const auto expected = InPlayChances(1, 0, 60, kTypicalJLeagueRates);
  for (int o = 0; o < 3; ++o) EXPECT_DOUBLE_EQ(w.Figures().matches[3].p[o], expected[o]);
  EXPECT_EQ(w.SourceText(3), "スコア＋Jリーグ平均得点率 1.33・1.19");

  // Finished 0-2 in match 1: only the doc's singles with a 2 there live on.
  const int before = w.Figures().alive;
  w.State(0).SetListIndex(2);
  w.AwayGoals(0).SetText("2");
  EXPECT_LT(w.Figures().alive, before);
  EXPECT_EQ(w.ChanceText(0), "");
  EXPECT_EQ(w.Figures().remaining, 4);
  EXPECT_EQ(w.DecisionRows().size(), 12u);
  EXPECT_EQ(static_cast<int>(w.AliveRows().size()), w.Figures().alive);

  w.CopyReport();
  const std::string text = fake_.ClipboardText();
  EXPECT_EQ(text.rfind("第 1487 回 mini toto A組　試合当日\r\n", 0), 0u) << text;
  EXPECT_TRUE(Contains(text, "Ｇ大阪 - 神戸　試合中 1-0（60分）")) << text;
  EXPECT_TRUE(Contains(text, "システム：Zelvo mini Version "));
}

TEST_F(MatchDayWindowTest, DocumentsJoinByRoundAndGroupFromTheirFolder) {
  const std::string guarantee = testing::SampleDocumentPath();
  clsTFileTPD tpd;
  DocumentRecord doc;
  ASSERT_TRUE(LoadDocumentFile(tpd, guarantee, true, false, doc));
  DocumentRecord other = doc;
  other.Kaisaikai = 1488;
  const std::string other_path = JoinPath(ParentDir(guarantee), "next-round.tpd");
  ASSERT_TRUE(tpd.SaveFile(other_path, true, other, false));

  frmMatchDay w;
  ASSERT_TRUE(w.AddOpenDocument(doc, guarantee));
  ASSERT_TRUE(w.SameFolderEnabled());
  w.AddSameFolder();
  ASSERT_EQ(w.DocumentCount(), 2);
  EXPECT_EQ(w.DocumentRows()[1][0], "sample-tolerance.tpd");
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_TRUE(Contains(fake_.messages()[0].text, "next-round.tpd（第1488回A組）"))
      << fake_.messages()[0].text;

  // The same file twice, or a document of another round, does not join.
  fake_.ClearRecords();
  w.AddPaths({guarantee, other_path});
  EXPECT_EQ(w.DocumentCount(), 2);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_TRUE(Contains(fake_.messages()[0].text, "sample-guarantee.tpd は既に加えてあります。"));
  EXPECT_TRUE(Contains(fake_.messages()[0].text, "next-round.tpd は第1488回A組の文書です。"));
  EXPECT_FALSE(w.Figures().repeated.empty());

  // Emptied, the window takes another round.
  w.RemoveDocument(1);
  w.RemoveDocument(0);
  EXPECT_EQ(w.DocumentCount(), 0);
  w.AddPaths({other_path});
  EXPECT_EQ(w.DocumentCount(), 1);
  EXPECT_EQ(w.Title(), "試合当日 - 第1488回 A組");
}

}  // namespace
}  // namespace zelvo
