// Team-name look-ups, the competition table and adding a team.
#include <gtest/gtest.h>

#include "core/game_type.h"
#include "core/team_name_add.h"
#include "core/toto_data.h"
#include "core/toto_rules.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class TeamNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    LastUnresolvedTeamName().clear();
  }
  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

TEST_F(TeamNamesTest, NewerRoundsSearchTeamName2OlderOnesTeamName1) {
  clsTotoData data;
  EXPECT_EQ(data.GetShortTeamName("新クラブ", 750), "新名");
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(data.GetShortTeamName("新クラブ", 749), "");
  EXPECT_EQ(data.GetShortTeamName("旧クラブ", 749), "旧名");
  EXPECT_EQ(data.GetShortTeamName("ＦＣ東京", 749), "FC東京");
  EXPECT_EQ(data.GetShortTeamName("ＦＣ東京", 1300), "FC東京");
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            "チーム名：新クラブ が見つかりません。\r\n"
            "最新のチーム名データをダウンロードするかチーム名を追加して下さい。");
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini");
  EXPECT_EQ(LastUnresolvedTeamName(), "新クラブ");
}

TEST_F(TeamNamesTest, UserTableIsSearchedLast) {
  dir_.WriteCp932("SysData/TeamName3.dat",
                  testing::CrLf({kTeamName3Header, "新名2  = 新クラブ", "誤り   = ＦＣ東京"}));
  clsTotoData data;
  EXPECT_EQ(data.GetShortTeamName("新クラブ", 749), "新名2");
  EXPECT_EQ(data.GetShortTeamName("ＦＣ東京", 749), "FC東京");
}

TEST_F(TeamNamesTest, LooseMatchOnlyAfterEveryExactLookUp) {
  dir_.WriteCp932("SysData/TeamName2.dat",
                  testing::CrLf({"Version = 3", "Revision = 12", "ﾊﾞｲｴﾙﾝ = バイエルンミュンヘン",
                                 "ﾄﾞﾙﾄ = ボルシアドルトムント", "ﾏﾝﾕﾅｲ = マンチェスターＵ"}));
  dir_.WriteCp932("SysData/TeamName3.dat",
                  testing::CrLf({kTeamName3Header, "ﾄﾞﾙﾄﾑ  = ボルシア・ドルトムント"}));
  clsTotoData data;
  // A full-width blank, half-width katakana with a half-width dot, another
  // letter width and case.
  EXPECT_EQ(data.GetShortTeamName("バイエルン\u3000ミュンヘン", 1300), "ﾊﾞｲｴﾙﾝ");
  EXPECT_EQ(data.GetShortTeamName("ﾊﾞｲｴﾙﾝ･ﾐｭﾝﾍﾝ", 1300), "ﾊﾞｲｴﾙﾝ");
  EXPECT_EQ(data.GetShortTeamName("マンチェスター・u", 1300), "ﾏﾝﾕﾅｲ");
  EXPECT_EQ(data.GetShortTeamName("横浜 F マリノス", 1300), "横浜FM");
  // An exact entry of the user's table wins over a loose one searched
  // before it; the loose pass keeps the tables' order.
  EXPECT_EQ(data.GetShortTeamName("ボルシア・ドルトムント", 1300), "ﾄﾞﾙﾄﾑ");
  EXPECT_EQ(data.GetShortTeamName("ボルシア･ドルトムント", 1300), "ﾄﾞﾙﾄ");
  EXPECT_TRUE(fake_.messages().empty());
  // The round still picks the table.
  EXPECT_EQ(data.GetShortTeamName("バイエルン\u3000ミュンヘン", 749), "");
  EXPECT_EQ(fake_.messages().size(), 1u);
}

TEST_F(TeamNamesTest, RoundZeroWarns) {
  clsTotoData data;
  EXPECT_EQ(data.GetShortTeamName("ＦＣ東京", 0), "");
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "開催回が不明です");
  EXPECT_EQ(fake_.messages()[0].title, "GetShortTeamName");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);
}

TEST_F(TeamNamesTest, LeaguesVersionAndExistence) {
  clsTotoData data;
  EXPECT_EQ(data.GetShortToJ1J2String("横浜FM", 2026), "J1");
  EXPECT_EQ(data.GetShortToJ1J2String("京都", 2026), "J2");
  EXPECT_EQ(data.GetShortToJ1J2String("東京", 2026), "J1");  // a part of FC東京 counts
  EXPECT_EQ(data.GetShortToJ1J2String("京都", 2025), "");
  EXPECT_EQ(data.GetShortToJ1J2String("", 2026), "");
  EXPECT_EQ(data.GetTeamName2Version(), "3.12");
  EXPECT_TRUE(data.ExistsLongTeamName("ＦＣ東京"));
  EXPECT_TRUE(data.ExistsLongTeamName("新クラブ"));
  EXPECT_FALSE(data.ExistsLongTeamName("旧クラブ"));  // TeamName1.dat is not searched
  EXPECT_EQ(data.GetLongTeamName("FC東京"), "ＦＣ東京");
  EXPECT_TRUE(fake_.messages().empty());
}

TEST(GameTypeTest, TableAndCaseInsensitiveLookUp) {
  clsTGameType t;
  EXPECT_EQ(t.Count(), 4);
  EXPECT_EQ(t.Text(3), "ナビスコカップ");
  EXPECT_EQ(t.Text(4), "天皇杯");
  EXPECT_EQ(t.GetNo("j1"), 1);
  EXPECT_EQ(t.GetNo(""), 0);
  EXPECT_TRUE(t.Exists("J2"));
  EXPECT_FALSE(t.Exists("J3"));
  EXPECT_EQ(clsToto().GetMaxGrade(0), 1);
  EXPECT_EQ(clsToto().GetMaxGrade(1276), 1);
}

TEST_F(TeamNamesTest, AddTeamChecksInOrder) {
  TeamNameAdder adder;
  adder.short_name_field = "  ";
  adder.long_name_field = "";
  EXPECT_FALSE(adder.Add());
  adder.short_name_field = "ABC";
  EXPECT_FALSE(adder.Add());
  adder.short_name_field = "ABCDEFG";
  adder.long_name_field = "レヴァークラブ";
  EXPECT_FALSE(adder.Add());
  adder.short_name_field = "AB    C";  // seven characters as typed
  EXPECT_FALSE(adder.Add());
  adder.short_name_field = "FC";
  adder.long_name_field = " ＦＣ東京 ";
  EXPECT_FALSE(adder.Add());
  EXPECT_EQ(fake_.MessageTexts(),
            (std::vector<std::string>{"略称を入力して下さい。", "名称を入力して下さい。",
                                      "略称は6文字以内で入力して下さい。",
                                      "略称は6文字以内で入力して下さい。",
                                      "名称(ＦＣ東京)は既に登録されています。"}));
  for (const auto& m : fake_.messages()) EXPECT_EQ(m.title, "入力エラー");
  EXPECT_FALSE(dir_.ReadBytes("SysData/TeamName3.dat").size());
}

// A line break or another control character in a field would write made-up
// entries into the table; either field is refused with its own message.
TEST_F(TeamNamesTest, AddTeamRefusesControlCharacters) {
  struct Case {
    std::string long_name, short_name;
    const char* message;
  };
  for (const Case& c :
       {Case{"クラブ\r\nFAKE  = 偽クラブ", "CL", "名称に改行やタブなどの制御文字は使えません。"},
        Case{"クラブ\n", "CL", "名称に改行やタブなどの制御文字は使えません。"},
        Case{"ク\x7fラブ", "CL", "名称に改行やタブなどの制御文字は使えません。"},
        Case{"クラブ", "C\tL", "略称に改行やタブなどの制御文字は使えません。"},
        Case{"クラブ", "C\rL", "略称に改行やタブなどの制御文字は使えません。"},
        Case{"クラブ", std::string("C\0L", 3), "略称に改行やタブなどの制御文字は使えません。"}}) {
    fake_.ClearRecords();
    TeamNameAdder adder;
    adder.long_name_field = c.long_name;
    adder.short_name_field = c.short_name;
    EXPECT_FALSE(adder.Add()) << c.message;
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text, c.message);
    EXPECT_EQ(fake_.messages()[0].title, "入力エラー");
  }
  EXPECT_FALSE(dir_.ReadBytes("SysData/TeamName3.dat").size());
}

TEST_F(TeamNamesTest, AddTeamCreatesAndAppendsTheUserFile) {
  LastUnresolvedTeamName() = "レヴァークラブ";
  TeamNameAdder adder;
  adder.Open();
  EXPECT_EQ(adder.long_name_field, "レヴァークラブ");
  EXPECT_EQ(adder.short_name_field, "ﾚｳﾞｧｰｸﾗﾌﾞ");
  adder.short_name_field = "ABC";
  ASSERT_TRUE(adder.Add());
  EXPECT_EQ(FromCp932(dir_.ReadBytes("SysData/TeamName3.dat")),
            testing::CrLf({kTeamName3Header, "ABC    = レヴァークラブ"}));
  EXPECT_EQ(fake_.messages().back().text, "チーム名(レヴァークラブ)を追加しました。");
  EXPECT_EQ(fake_.messages().back().title, "チーム名追加");
  EXPECT_EQ(fake_.messages().back().icon, MsgIcon::kInformation);
  EXPECT_EQ(LastUnresolvedTeamName(), "");
  TeamNameAdder second;
  second.long_name_field = "ｳﾆｵﾝ";
  second.short_name_field = "ｳﾆｵﾝ";
  ASSERT_TRUE(second.Add());
  clsTotoData data;
  EXPECT_EQ(data.GetShortTeamName("レヴァークラブ", 1300), "ABC");
  EXPECT_EQ(data.GetShortTeamName("ｳﾆｵﾝ", 1300), "ｳﾆｵﾝ");
  // The same long name again is refused.
  EXPECT_FALSE(second.Add());
}

// Whatever a schedule page or a user brings, a name is either refused with
// the reason or found again under the short name it was added with: by the
// suggestion (the unknown-clubs dialog, download --add-teams) or as typed.
TEST_F(TeamNamesTest, EveryAddedNameIsFoundAgainOrRefused) {
  const char* kLost = "」はチーム名の表(CP932)に保存できない文字です。別の文字に置き換えて下さい。";
  struct Case {
    std::string long_name, short_name;  // short "": the suggestion
    std::string refusal;                // "": added and found again
  };
  const Case cases[] = {
      {"アイントラハト・フランクフルト", "", ""},
      {"ＦＣ＝ユニオン", "", ""},
      {"；セミコロンＦＣ", "", ""},
      {"ウェーブ〜ＦＣ", "", ""},  // WAVE DASH, stored as FULLWIDTH TILDE
      {"マイナス−ＦＣ", "", ""},   // MINUS SIGN
      {"ディナモキエフДинамо", "", ""},
      {"①クラブ", "", ""},
      {"A=B FC", "AB", ""},
      {";クラブ", "SC", ""},
      {"//クラブ", "SL", ""},
      {"アトレティコ", ";ATM", "略称を「;」や「//」で始めると注釈の行になり、読み込まれません。"},
      {"アトレティコ", "//ATM", "略称を「;」や「//」で始めると注釈の行になり、読み込まれません。"},
      {"アトレティコ", "AT=M", "略称に「=」は使えません（名称との区切りです）。"},
      {"Atlético", "", std::string("名称の「é") + kLost},
      {"서울FC", "FCS", std::string("名称の「서") + kLost},
      {"⚽クラブ", "ｸﾗﾌﾞ", std::string("名称の「⚽") + kLost},
      {"クラブ", "😀", std::string("略称の「😀") + kLost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.long_name);
    fake_.ClearRecords();
    const std::string before = dir_.ReadBytes("SysData/TeamName3.dat");
    const std::string short_name =
        c.short_name.empty() ? SuggestShortTeamName(c.long_name) : c.short_name;
    const bool added = AddTeamNames({{c.long_name, short_name}});
    if (!c.refusal.empty()) {
      EXPECT_FALSE(added);
      EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{c.refusal});
      EXPECT_EQ(dir_.ReadBytes("SysData/TeamName3.dat"), before);
      continue;
    }
    ASSERT_TRUE(added) << fake_.MessageTexts().back();
    EXPECT_EQ(clsTotoData().FindShortTeamName(c.long_name, 1500),
              FoldCp932LookAlikes(Trim(short_name)));
  }
}

// The new line goes after the file's bytes as they are: entries after a NUL
// and bytes that are no CP932 are the user's, not the program's to rewrite.
TEST_F(TeamNamesTest, AddTeamKeepsTheBytesAlreadyThere) {
  const std::string before = ToCp932(kTeamName3Header) + "\r\nAAA    = one\r\n" +
                             std::string("\0", 1) + "BBB    = \x81\xFF\xFE\r\nCCC    = end";
  dir_.WriteBytes("SysData/TeamName3.dat", before);
  TeamNameAdder adder;
  adder.long_name_field = "ニュークラブ";
  adder.short_name_field = "NEW";
  ASSERT_TRUE(adder.Add());
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName3.dat"),
            before + "\r\n" + ToCp932("NEW    = ニュークラブ") + "\r\n");
}

}  // namespace
}  // namespace zelvo
