// The team-name tables as shipped: loaded from the built program folder
// through the same reader the program uses, so that a name the official pages
// print, or a league label, is checked the way a user meets it.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

constexpr int kOldRound = 700;
constexpr int kNewRound = 1300;

class ShippedDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramDir(ZELVO_PROGRAM_DIR_FOR_TESTS);
    data_ = std::make_unique<clsTotoData>();
  }

  const clsTotoData& data() const { return *data_; }

  // An unresolved name shows a warning; the fake keeps it from reaching a
  // real message box and lets a test see it.
  testing::FakePlatform fake_;
  std::unique_ptr<clsTotoData> data_;
};

TEST_F(ShippedDataTest, RequiredTablesLoadAsLines) {
  // A file the build did not ship, or shipped without CR LF line ends, would
  // load as nothing or as one long line.
  EXPECT_TRUE(data().TeamName().Enabled());
  EXPECT_TRUE(data().TeamName1().Enabled());
  EXPECT_TRUE(data().TeamName2().Enabled());
  EXPECT_TRUE(data().J1J2().Enabled());
  EXPECT_GE(data().TeamName().Count(), 60);
  EXPECT_GE(data().TeamName1().Count(), 1);
  EXPECT_GE(data().J1J2().Count(), 21);
}

TEST_F(ShippedDataTest, PageLongNamesResolveInOldAndNewRounds) {
  // The schedule pages mix letter widths; each form below is the one printed.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ＦＣ東京", "FC東京"},          {"京都サンガF.C.", "京都"},
      {"横浜Ｆ・マリノス", "横浜FM"},  {"横浜ＦＣ", "横浜FC"},
      {"Ｖ・ファーレン長崎", "長崎"},  {"ＲＢ大宮アルディージャ", "大宮"},
      {"ＦＣ町田ゼルビア", "町田"},    {"東京ヴェルディ", "東京Ｖ"},
      {"ガンバ大阪", "Ｇ大阪"},        {"セレッソ大阪", "Ｃ大阪"},
      {"川崎フロンターレ", "川崎Ｆ"},  {"栃木ＳＣ", "栃木SC"},
      {"栃木シティ", "栃木Ｃ"},        {"ＦＣ大阪", "FC大阪"},
      {"北海道コンサドーレ札幌", "札幌"},
  };
  for (int round : {1, kOldRound, kTeamName2FirstRound - 1, kTeamName2FirstRound, kNewRound}) {
    for (const auto& [long_name, short_name] : cases) {
      EXPECT_EQ(data().GetShortTeamName(long_name, round), short_name)
          << long_name << " in round " << round;
    }
  }
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(ShippedDataTest, FormerNamesResolveInTheRoundsThatPrintedThem) {
  // Names dropped before round 750 come from the older-round table ...
  EXPECT_EQ(data().GetShortTeamName("京都パープルサンガ", kOldRound), "京都");
  EXPECT_EQ(data().GetShortTeamName("名古屋グランパスエイト", kOldRound), "名古屋");
  EXPECT_EQ(data().GetShortTeamName("ザスパ草津", kOldRound), "草津");
  // ... while names still printed after it must not be confined there.
  EXPECT_EQ(data().GetShortTeamName("大宮アルディージャ", kNewRound), "大宮");
  EXPECT_EQ(data().GetShortTeamName("ザスパクサツ群馬", kNewRound), "群馬");
  EXPECT_EQ(data().GetShortTeamName("コンサドーレ札幌", kNewRound), "札幌");
  EXPECT_TRUE(fake_.messages().empty());
  // A club's current name is the one given back for its short name.
  EXPECT_EQ(data().GetLongTeamName("大宮"), "ＲＢ大宮アルディージャ");
  EXPECT_EQ(data().GetLongTeamName("札幌"), "北海道コンサドーレ札幌");
  EXPECT_EQ(data().GetLongTeamName("FC東京"), "ＦＣ東京");
}

TEST_F(ShippedDataTest, EveryEntryCanBeFoundAndShown) {
  for (const clsIniFile* table : {&data().TeamName(), &data().TeamName1(), &data().TeamName2()}) {
    for (const auto& [short_name, long_name] : table->Entries()) {
      if (table == &data().TeamName2() && (short_name == "Version" || short_name == "Revision")) {
        continue;
      }
      // Every screen and report has room for six characters.
      EXPECT_LE(CharCount(short_name), 6u) << short_name << " = " << long_name;
      // The page texts lose their blanks before the look-up, so a long name
      // with a blank could never match.
      EXPECT_FALSE(Contains(long_name, " ") || Contains(long_name, "\u3000"))
          << short_name << " = " << long_name;
    }
  }
}

TEST_F(ShippedDataTest, NoLongNameIsClaimedTwice) {
  // Look-ups take the first case-insensitive match over TeamName.dat and then
  // one of the round tables, so a second entry for a long name is either dead
  // or, with another short name, a wrong club for one of them.
  std::map<std::string, std::string> seen;  // folded long name -> where
  // The loose look-up compares normalised names: two clubs alike there would
  // give a page spelling of the second the first one's short name.
  std::map<std::string, std::string> loose;  // normalised long name -> short name
  for (const clsIniFile* table : {&data().TeamName(), &data().TeamName1(), &data().TeamName2()}) {
    for (const auto& [short_name, long_name] : table->Entries()) {
      if (table == &data().TeamName2() && (short_name == "Version" || short_name == "Revision")) {
        continue;
      }
      std::string where = table->FileName() + ": " + short_name + " = " + long_name;
      auto [it, added] = seen.emplace(FoldCase(long_name), where);
      EXPECT_TRUE(added) << where << " repeats " << it->second;
      if (table == &data().TeamName1()) continue;  // older rounds' names of the same clubs
      auto [at, fresh] = loose.emplace(NormalizeTeamName(long_name), short_name);
      EXPECT_TRUE(fresh || at->second == short_name) << where << " is loosely " << at->second;
    }
  }
}

TEST_F(ShippedDataTest, ClubsAbroadInThePagesForms) {
  // Short names as the result pages print clubs abroad: half-width katakana,
  // a voicing mark counting as a character of its own.
  std::map<std::string, int> clubs;
  for (const auto& [short_name, long_name] : data().TeamName2().Entries()) {
    if (short_name == "Version" || short_name == "Revision") continue;
    ++clubs[short_name];
    EXPECT_LE(CharCount(short_name), 6u) << short_name;
    for (char32_t c : ToU32(short_name)) {
      EXPECT_TRUE(c >= 0xFF66 && c <= 0xFF9F) << short_name << " = " << long_name;
    }
  }
  // Six top divisions of 2025-26 (20, 18, 20, 20, 18, 18 clubs) and the
  // clubs relegated from them a year before.
  EXPECT_GE(clubs.size(), 114u + 17u);
  // The round-1276 result page's forms, and page spellings with a full-width
  // blank (lost by the page texts) or a middle dot (the loose look-up).
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"レヴァークーゼン", "ﾚｳﾞｧｰ"},
      {"ウニオンベルリン", "ｳﾆｵﾝ"},
      {"アイントラハトフランクフルト", "ﾌﾗﾝｸﾌﾙ"},
      {"ボルシア・ドルトムント", "ﾄﾞﾙﾄ"},
      {"ボーフム", "ﾎﾞｰﾌﾑ"},
      {"バイエルンミュンヘン", "ﾊﾞｲｴﾙﾝ"},
      {"マンチェスター・ユナイテッド", "ﾏﾝﾕﾅｲ"},
      {"ＲＢライプツィヒ", "ﾗｲﾌﾟﾂｨ"},
      {"RBライプツィヒ", "ﾗｲﾌﾟﾂｨ"},
  };
  for (const auto& [long_name, short_name] : cases) {
    EXPECT_EQ(data().GetShortTeamName(long_name, kNewRound), short_name) << long_name;
  }
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(ShippedDataTest, EverySeasonLabelsItsOwnClubs) {
  for (int year = 2020; year <= 2027; ++year) {
    for (int league = 1; league <= 3; ++league) {
      std::string key = std::to_string(year) + "J" + std::to_string(league);
      std::string list = data().J1J2().GetItem(key, "");
      ASSERT_FALSE(list.empty()) << key;
      for (const std::string& item : Split(list, ",")) {
        std::string short_name = Trim(item);
        ASSERT_FALSE(short_name.empty()) << key << ": " << list;
        // The league test is a substring test against these lists, so a
        // spelling other than the table's would never be labelled.
        EXPECT_FALSE(data().GetLongTeamName(short_name).empty())
            << key << ": " << short_name << " is not a short name of TeamName.dat";
        // A club in two leagues of a year, or a short name found inside
        // another club's in an earlier league list, gets the wrong label.
        EXPECT_EQ(data().GetShortToJ1J2String(short_name, year), "J" + std::to_string(league))
            << key << ": " << short_name;
      }
    }
  }
}

TEST_F(ShippedDataTest, OverseasTableCarriesAVersionTheDownloadCanCompare) {
  // The download compares major * 1000 + minor and gives up on a local 0.
  std::vector<std::string> parts = Split(data().GetTeamName2Version(), ".");
  ASSERT_EQ(parts.size(), 2u) << data().GetTeamName2Version();
  int major = 0, minor = 0;
  ASSERT_TRUE(ParseInt32(parts[0], major)) << parts[0];
  ASSERT_TRUE(ParseInt32(parts[1], minor)) << parts[1];
  EXPECT_GT(major * 1000 + minor, 0);
  // The same end mark a downloaded edition must carry.
  std::string text;
  ASSERT_TRUE(ReadTextFile(SysDataPath("TeamName2.dat"), text, false));
  EXPECT_TRUE(Contains(text, "[End]"));
}

}  // namespace
}  // namespace zelvo
