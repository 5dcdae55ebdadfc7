// The cache files of the official data: exact names and bytes, round trips,
// the not-held marker, the embedded vote form and damaged files.
#include "official/official_xml.h"

#include <gtest/gtest.h>

#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::CrLf;

enum class Kind { kSchedule, kVote, kResult };

std::string FileName(Kind kind, int round, const std::string& group) {
  switch (kind) {
    case Kind::kSchedule:
      return clsXmlSchedule::GetFileName(round, group);
    case Kind::kVote:
      return clsXmlVote::GetFileName(round, group);
    case Kind::kResult:
      return clsXmlResult::GetFileName(round, group);
  }
  return {};
}

class OfficialXmlTest : public ::testing::Test {
 protected:
  std::string Relative(const std::string& path) const {
    return path.substr(dir_.path().size() + 1);
  }
  // Puts a shipped ("SysData/...") or golden ("golden/...") file into the
  // cache as the program writes it: CP932 with CR LF.
  void Install(Kind kind, int round, const std::string& group, const std::string& source) {
    std::string text = source.starts_with("golden/")
                           ? testing::ReadRepoFile("tests/official/testdata/" + source)
                           : testing::ReadRepoFile("data/" + source);
    dir_.WriteCp932(Relative(FileName(kind, round, group)), ReplaceAll(text, "\n", "\r\n"));
  }
  std::string Bytes(Kind kind, int round, const std::string& group) const {
    return dir_.ReadBytes(Relative(FileName(kind, round, group)));
  }
  void WriteCache(Kind kind, int round, const std::string& group, const std::string& text) {
    dir_.WriteCp932(Relative(FileName(kind, round, group)), text);
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

TEST_F(OfficialXmlTest, FileNamesPadTheRoundToThreeDigits) {
  auto tail = [this](const std::string& path) { return path.substr(dir_.path().size()); };
  EXPECT_EQ(tail(clsXmlSchedule::GetFileName(85, "A")),
            "/SysData/minitoto_Schedule/minitoto_schedule_085_A.xml");
  EXPECT_EQ(tail(clsXmlSchedule::GetFileName(1234, "B")),
            "/SysData/minitoto_Schedule/minitoto_schedule_1234_B.xml");
  EXPECT_EQ(tail(clsXmlSchedule::GetFileName(7, "")),
            "/SysData/minitoto_Schedule/minitoto_schedule_007.xml");
  EXPECT_EQ(tail(clsXmlVote::GetFileName(1234, "B")),
            "/SysData/minitoto_Vote/minitoto_vote_1234_B.xml");
  EXPECT_EQ(tail(clsXmlResult::GetFileName(85, "A")),
            "/SysData/minitoto_Result/minitoto_result_085_A.xml");
  // Old documents' archived vote files sit in the program folder itself.
  EXPECT_EQ(tail(clsXmlVote::GetOldFileName(85, DateTime::Date(2024, 5, 1))),
            "/vote_085_2024-05-01.xml");
}

TEST_F(OfficialXmlTest, SampleFilesReadIntoTheirFields) {
  Install(Kind::kSchedule, 1487, "A", "SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml");
  Install(Kind::kVote, 1487, "B", "SysData/minitoto_Vote/minitoto_vote_1487_B.xml");
  Install(Kind::kResult, 1487, "A", "SysData/minitoto_Result/minitoto_result_1487_A.xml");

  clsXmlSchedule schedule;
  ASSERT_TRUE(schedule.XmlLoad(1487, "A"));
  const ScheduleRecord& s = schedule.Record();
  EXPECT_EQ(s.Kaisaikai, 1487);
  EXPECT_EQ(s.Kumi, "A");
  EXPECT_EQ(s.matches[0].home, "鹿島");
  EXPECT_EQ(s.matches[0].away, "FC東京");
  EXPECT_EQ(s.matches[0].stadium, "カシマ");
  EXPECT_EQ(s.matches[0].state, "VS");
  EXPECT_EQ(s.matches[0].match_date, DateTime::Date(2024, 6, 22));
  EXPECT_EQ(s.matches[4].kickoff, DateTime::Time(18, 0, 0));
  EXPECT_EQ(s.sale_end.ToString(), "2024/06/22 13:50:00");
  EXPECT_EQ(s.payout_deadline, DateTime::Date(2025, 6, 24));
  EXPECT_EQ(s.holding_state, kHoldingNormal);

  clsXmlVote vote;
  ASSERT_TRUE(vote.XmlLoad(1487, "B"));
  const VoteStatusRecord& v = vote.Record();
  EXPECT_EQ(v.as_of.ToString(), "2024/06/22 13:50:00");
  EXPECT_EQ(v.matches[2].home, "Ｃ大阪");
  EXPECT_EQ(v.matches[2].outcomes[2].count, Money::FromInt(79958));
  EXPECT_EQ(v.matches[2].outcomes[2].rate.ToString(), "42.61");
  EXPECT_EQ(v.matches[2].outcomes[0].rate.ToString(), "26.84");
  EXPECT_EQ(v.sales[kTotal], Money::FromInt(18765200));
  EXPECT_EQ(v.cards[kSingle], Money::FromInt(22321));

  clsXmlResult result;
  ASSERT_TRUE(result.XmlLoad(1487, "A"));
  const ResultRecord& r = result.Record();
  EXPECT_EQ(r.matches[0].home_score, 2);
  EXPECT_EQ(r.matches[0].away_score, 1);
  EXPECT_EQ(r.matches[0].result, 1);
  EXPECT_EQ(r.matches[2].result, 2);
  EXPECT_EQ(r.prize[0], Money::FromInt(5237));
  EXPECT_EQ(r.winners[0], Money::FromInt(2027));
  EXPECT_FALSE(r.cancelled);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialXmlTest, EveryKindRoundTripsByteForByte) {
  struct Case {
    Kind kind;
    int round;
    const char* group;
    const char* source;
  };
  const Case cases[] = {
      {Kind::kSchedule, 1487, "A", "SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml"},
      {Kind::kSchedule, 1490, "A", "golden/minitoto_schedule_1490_A.xml"},  // round cancelled
      {Kind::kSchedule, 1490, "B", "golden/minitoto_schedule_1490_B.xml"},  // one match cancelled
      {Kind::kVote, 1487, "B", "SysData/minitoto_Vote/minitoto_vote_1487_B.xml"},
      {Kind::kResult, 1487, "B", "SysData/minitoto_Result/minitoto_result_1487_B.xml"},
      {Kind::kResult, 1490, "A", "golden/minitoto_result_1490_A.xml"},
      {Kind::kResult, 1490, "B", "golden/minitoto_result_1490_B.xml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    Install(c.kind, c.round, c.group, c.source);
    std::string original = Bytes(c.kind, c.round, c.group);
    ASSERT_TRUE(original.starts_with("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"));
    bool loaded = false, saved = false;
    switch (c.kind) {
      case Kind::kSchedule: {
        clsXmlSchedule x;
        loaded = x.XmlLoad(c.round, c.group);
        RemoveFile(FileName(c.kind, c.round, c.group));
        saved = x.XmlSave();
        break;
      }
      case Kind::kVote: {
        clsXmlVote x;
        loaded = x.XmlLoad(c.round, c.group);
        RemoveFile(FileName(c.kind, c.round, c.group));
        saved = x.XmlSave();
        break;
      }
      case Kind::kResult: {
        clsXmlResult x;
        loaded = x.XmlLoad(c.round, c.group);
        RemoveFile(FileName(c.kind, c.round, c.group));
        saved = x.XmlSave();
        break;
      }
    }
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(saved);
    EXPECT_EQ(Bytes(c.kind, c.round, c.group), original);
  }
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialXmlTest, CancelledRecordsReadBack) {
  Install(Kind::kSchedule, 1490, "A", "golden/minitoto_schedule_1490_A.xml");
  Install(Kind::kResult, 1490, "A", "golden/minitoto_result_1490_A.xml");
  clsXmlSchedule schedule;
  ASSERT_TRUE(schedule.XmlLoad(1490, "A"));
  EXPECT_EQ(schedule.Record().holding_state, kHoldingCancelled);
  EXPECT_TRUE(schedule.Record().result_announcement.IsZero());
  clsXmlResult result;
  ASSERT_TRUE(result.XmlLoad(1490, "A"));
  EXPECT_TRUE(result.Record().cancelled);
  EXPECT_EQ(result.Record().matches[3].result, kResultCancelled);
  // The refund dates come back in the announcement and payout fields.
  EXPECT_EQ(result.Record().result_announcement, DateTime::Date(2024, 6, 24));
  EXPECT_EQ(result.Record().payout_deadline, DateTime::Date(2025, 6, 24));
}

TEST_F(OfficialXmlTest, NotHeldMarkerHasItsExactLinesAndNoMatches) {
  clsXmlSchedule x;
  ASSERT_TRUE(x.XmlSave_NoGame(85, "A"));
  EXPECT_EQ(Bytes(Kind::kSchedule, 85, "A"),
            ToCp932(CrLf({"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
                          "<?xml-stylesheet type=\"text/xsl\" href=\"style.xsl\"?>", "<minitoto>",
                          "<開催>", "<開催回>85</開催回>", "<開催状態>1</開催状態>", "</開催>",
                          "</minitoto>"})));
  ASSERT_TRUE(x.XmlLoad(85, "A"));
  EXPECT_EQ(x.Record().holding_state, kHoldingNotHeld);
  EXPECT_EQ(x.Record().Kaisaikai, 85);
  EXPECT_TRUE(x.Record().matches[0].home.empty());
  ASSERT_TRUE(x.XmlDelete_NoGame(85, "A"));
  EXPECT_FALSE(FileExists(FileName(Kind::kSchedule, 85, "A")));
  // Deleting what is not there is reported with the path.
  EXPECT_FALSE(x.XmlDelete_NoGame(85, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            FileName(Kind::kSchedule, 85, "A") + "\r\nファイルの削除に失敗しました。");
}

TEST_F(OfficialXmlTest, EmbeddedVoteFormParsesToTheSameRecord) {
  Install(Kind::kVote, 1487, "A", "SysData/minitoto_Vote/minitoto_vote_1487_A.xml");
  clsXmlVote file_form;
  ASSERT_TRUE(file_form.XmlLoad(1487, "A"));
  std::string embedded = file_form.GetXmlString(false);
  EXPECT_TRUE(embedded.starts_with("<投票状況>\r\n<開催回>1487</開催回>\r\n"));
  EXPECT_TRUE(embedded.ends_with("<払戻期限>2025/06/24</払戻期限>\r\n</投票状況>\r\n"));
  EXPECT_EQ(file_form.GetXmlString(true),
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
            "<?xml-stylesheet type=\"text/xsl\" href=\"minitoto_vote.xsl\"?>\r\n<minitoto>\r\n" +
                embedded + "</minitoto>\r\n");
  clsXmlVote parsed;
  // A document hands the element over without its last line end.
  ASSERT_TRUE(parsed.SetXmlString(embedded.substr(0, embedded.size() - 2), false));
  EXPECT_EQ(parsed.GetXmlString(true), file_form.GetXmlString(true));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialXmlTest, DamagedFilesAreReportedAndLeaveTheRecord) {
  clsXmlSchedule x;
  ScheduleRecord before;
  before.Kaisaikai = 9;
  x.SetRecord(before);
  // A start tag with an attribute never matches its end tag.
  WriteCache(Kind::kSchedule, 85, "A",
             CrLf({"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", "<minitoto>",
                   "<開催 id=\"1\">", "<開催回>85</開催回>", "</開催>", "</minitoto>"}));
  EXPECT_FALSE(x.XmlLoad(85, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "XMLデータが異常です。");
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / clsXmlSchedule / XmlLoad");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);
  EXPECT_EQ(x.Record().Kaisaikai, 9);

  // A file cut off in the middle closes nothing wrongly and still reads;
  // a stray end tag does not.
  fake_.ClearRecords();
  clsXmlVote v;
  WriteCache(Kind::kVote, 85, "A", "<minitoto><投票状況><開催回>85</開催回></指定試合>");
  EXPECT_FALSE(v.XmlLoad(85, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / clsXmlVote / XmlLoad");

  // A value that does not convert is an unexpected error of the reader.
  fake_.ClearRecords();
  clsXmlResult r;
  WriteCache(Kind::kResult, 85, "A",
             "<minitoto><結果><開催回>85</開催回><指定試合><番号>1</番号>"
             "<ホーム得点>x</ホーム得点></指定試合></結果></minitoto>");
  EXPECT_FALSE(r.XmlLoad(85, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsXmlResult / XmlLoad");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kCritical);
  EXPECT_EQ(r.Record().Kaisaikai, 0);

  // No file is no error at all.
  fake_.ClearRecords();
  EXPECT_FALSE(r.XmlLoad(86, "A"));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialXmlTest, ValuesOutsideTheKindElementAreIgnored) {
  WriteCache(
      Kind::kSchedule, 85, "A",
      CrLf({"<minitoto>", "<開催回>77</開催回>", "<投票状況>", "<開催回>66</開催回>", "</投票状況>",
            "<開催>", "<開催回>85</開催回>", "<組>A</組>", "</開催>", "</minitoto>"}));
  clsXmlSchedule x;
  ASSERT_TRUE(x.XmlLoad(85, "A"));
  EXPECT_EQ(x.Record().Kaisaikai, 85);
  EXPECT_EQ(x.Record().Kumi, "A");
}

// Found by fuzzing: a page's "&gt;" decodes into a team name, which the cache
// wrote raw and read back cut at the bracket.
TEST_F(OfficialXmlTest, MarkupCharactersInNamesReadBackAsWritten) {
  const std::string name = "<td>札幌 & 福岡>";
  ScheduleRecord s;
  s.Kaisaikai = 85;
  s.matches[3].away = name;
  clsXmlSchedule xs;
  ASSERT_TRUE(xs.SetXmlString(clsXmlSchedule::GetXmlString(s)));
  EXPECT_EQ(xs.Record().matches[3].away, name);
  EXPECT_TRUE(Contains(clsXmlSchedule::GetXmlString(s), "&lt;td&gt;札幌 &amp; 福岡&gt;"));
  ResultRecord r;
  r.Kaisaikai = 85;
  r.matches[0].stadium = name;
  clsXmlResult xr;
  ASSERT_TRUE(xr.SetXmlString(clsXmlResult::GetXmlString(r)));
  EXPECT_EQ(xr.Record().matches[0].stadium, name);
  clsXmlVote xv;
  VoteStatusRecord v;
  v.Kaisaikai = 85;
  v.matches[1].home = name;
  xv.SetRecord(v);
  clsXmlVote back;
  ASSERT_TRUE(back.SetXmlString(xv.GetXmlString(false), false));
  EXPECT_EQ(back.Record().matches[1].home, name);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialXmlTest, NegativeVoteFiguresAreRefused) {
  for (const char* element : {"<指定試合><番号>1</番号><ホーム勝ち><投票口数>-5</投票口数>"
                              "</ホーム勝ち></指定試合>",
                              "<売上金額><合計>-100</合計></売上金額>"}) {
    SCOPED_TRACE(element);
    fake_.ClearRecords();
    clsXmlVote v;
    EXPECT_FALSE(v.SetXmlString(std::string("<投票状況><開催回>85</開催回>") + element +
                                    "</投票状況>",
                                false));
    EXPECT_EQ(v.Record().Kaisaikai, 0);
    EXPECT_EQ(fake_.messages().size(), 1u);
  }
}

TEST_F(OfficialXmlTest, SaveFailureNamesThePath) {
  // A file where the cache folder belongs makes every save fail.
  dir_.WriteBytes("SysData/minitoto_Result", "x");
  clsXmlResult x;
  ResultRecord r;
  r.Kaisaikai = 85;
  r.Kumi = "A";
  x.SetRecord(r);
  EXPECT_FALSE(x.XmlSave());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            FileName(Kind::kResult, 85, "A") + "\r\nファイルの保存に失敗しました。");
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / clsXmlResult / XmlSave");
}

}  // namespace
}  // namespace zelvo
