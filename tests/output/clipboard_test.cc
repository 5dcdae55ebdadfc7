// The clipboard forms against texts written out by hand, and the import.
#include "output/clipboard.h"

#include <gtest/gtest.h>

#include "core/single_number.h"
#include "support/text.h"
#include "support/version.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::CrLf;

int Single(const char* digits) {
  int no = 0;
  for (int m = 4; m >= 0; --m) no = no * 3 + (digits[m] - '0');
  return no;
}

ScheduleRecord Schedule(std::initializer_list<std::pair<const char*, const char*>> teams) {
  ScheduleRecord s;
  s.Kaisaikai = 512;
  s.Kumi = "A";
  int m = 0;
  for (const auto& t : teams) {
    s.matches[m].home = t.first;
    s.matches[m].away = t.second;
    ++m;
  }
  return s;
}

// A round with marks in every match and a frame of single-digit counts.
DocumentRecord Document() {
  DocumentRecord d;
  d.Kaisaikai = 512;
  d.Kumi = "A";
  d.Multi[1] = {1, 0, 3, 6, 1};
  d.Multi[0] = {2, 1, 0, 5, 0};
  d.Multi[2] = {0, 2, 4, 0, 1};
  d.SingleFrame[1] = {3, 0, 2, 1, 4};
  d.SingleFrame[0] = {2, 4, 0, 3, 0};
  d.SingleFrame[2] = {0, 1, 3, 1, 1};
  d.Engine.MsEngine = 3;
  return d;
}

std::string Version() { return "システム：Zelvo mini Version " + ProgramVersionText(); }

TEST(ClipboardReportTest, ReportWithoutConditionsSingleDigitCounts) {
  DocumentRecord d = Document();
  ScheduleRecord s = Schedule({{"鹿島", "浦和"},
                               {"柏", "名古屋"},
                               {"川崎Ｆ", "セレッソ大阪"},
                               {"", "広島"},
                               {"新潟", "福岡"}});
  std::string sep = "――――――――――――――――――――";
  EXPECT_EQ(clsTClipboard::GetText(0, d, s),
            CrLf({"第 512 回 mini toto A組", sep, "Ｎｏ　 Home 　１０２　 Away 　１　０　２", sep,
                  "０１　鹿　島◎○－浦　和３：２：０", "０２　　柏　－◎○名古屋０：４：１",
                  "０３　川崎Ｆ▲－△？？？２：０：３", "０４　？？？☆×－広　島１：３：１",
                  "０５　新　潟◎－◎福　岡４：０：１", sep, Version(),
                  "圧縮方法：３等保証 高速検索エンジン"}));
}

TEST(ClipboardReportTest, WideCountsAndHalfWidthNames) {
  DocumentRecord d = Document();
  d.Kumi = "";
  d.SingleFrame[1][0] = 120;
  d.SingleFrame[2][4] = 5;
  d.Engine.MsEngine = 5;
  // One half-width name turns every name full-width and cuts it to three.
  ScheduleRecord s = Schedule({{"横浜FM", "浦和"},
                               {"柏", "名古屋"},
                               {"ｾﾚｯｿ", "セレッソ大阪"},
                               {"G大阪", "広島"},
                               {"新潟", "福岡"}});
  std::string sep = "――――――――――――――――――――――――――";
  EXPECT_EQ(
      clsTClipboard::GetText(0, d, s),
      CrLf({"第 512 回 mini toto", sep, "Ｎｏ　 Home 　１０２　 Away 　　　１　　　０　　　２", sep,
            "０１　横浜Ｆ◎○－浦　和１２０：　　２：　　０",
            "０２　　柏　－◎○名古屋　　０：　　４：　　１",
            "０３　セレッ▲－△セレッ　　２：　　０：　　３",
            "０４　Ｇ大阪☆×－広　島　　１：　　３：　　１",
            "０５　新　潟◎－◎福　岡　　４：　　０：　　５", sep, Version(),
            "圧縮方法：口数最適化エンジン"}));
}

TEST(ClipboardReportTest, EmptyDocumentWithoutSchedule) {
  DocumentRecord d;
  d.Kaisaikai = 7;
  d.Kumi = "B";
  std::string text = clsTClipboard::GetText(0, d, ScheduleRecord{});
  std::vector<std::string> lines = Split(text, "\r\n");
  ASSERT_EQ(lines.size(), 13u);  // the last CR LF leaves an empty part
  EXPECT_EQ(lines[0], "第 7 回 mini toto B組");
  EXPECT_EQ(lines[1], "――――――――――――――――――――");
  EXPECT_EQ(lines[4], "０１　？？？－－－？？？０：０：０");
  EXPECT_EQ(lines[11], "圧縮方法：１等保証");
  // Form 1 of a new document: no block has content.
  EXPECT_EQ(clsTClipboard::GetText(1, d, ScheduleRecord{}), text + "\r\n");
}

TEST(ClipboardReportTest, ReportWithEveryConditionBlock) {
  DocumentRecord d = Document();
  ReductionConditions& c = d.Conditions;
  c.Haitou.Enabled = {true, false, false};
  c.Haitou.Flag = {true, true, true};
  c.Haitou.Min[0] = Money::FromInt(10000);
  c.Haitou.Min[1] = Money::FromInt(1500);
  c.Haitou.Max[1] = Money::FromInt(120000000);  // grade 3 keeps no bounds: no line
  d.Vote.as_of = DateTime::FromSeconds(DateTime::Date(2026, 12, 5).seconds() + 13 * 3600 + 45 * 60);

  c.Honmei[0].cells[0] = {1, 0, 0, 2, 1, 1};
  c.Honmei[1].cells[0] = {1, 1, 1, 1, 1, 1};  // J1 with its check box off
  c.Honmei[1].B = false;
  ConditionEntry& a = c.Honmei[3];
  a.target_outcomes = {true, true, false};
  a.target_matches = {true, true, true, false, true};
  a.row_items[1] = {true, true, false, false, false, false};
  a.captions[1] = "◎+○";
  a.cells[1] = {0, 0, 1, 1, 1, 1};
  c.Honmei[5].target_matches = {false, true, false, false, false};  // C: rows all allowed
  ConditionEntry& z = c.Honmei[28];
  z.target_outcomes = {false, false, false};
  z.target_matches = {false, false, true, false, false};
  z.captions[0] = "◎+○+▲+△";
  z.cells[0] = {2, 2, 0, 0, 0, 0};
  c.Mark[2].cells[2] = {1, 1, 1, 1, 1, 1};
  c.MachigaiType = 2;
  c.MachigaiList = {true,  true,  false, false, false, false,
                    false, false, false, false, false, true};
  d.Engine.ChushutsuFlag = true;
  d.SingleCount = 10;
  d.SakugenMessage =
      CrLf({"0000 Zelvo mini 1.00", "0001 抽出                  :     90 →      20 ( 22.22%)",
            "-------", "0002 抽出                  :    120 →      10 (  8.33%)", "0002 終了"});

  std::string body = clsTClipboard::GetText(0, d, ScheduleRecord{});
  EXPECT_EQ(clsTClipboard::GetText(1, d, ScheduleRecord{}),
            body + CrLf({"", "利用投票状況：2026/12/05 13:45", "１等当せん金：1万円以上",
                         "２等当せん金：1,500円 ～ 12,000万円", "", "[本命]",
                         "全て　◎       ：1～2 (3)", " Ａ 　------   ：ホーム＋その他：1～3,5試合",
                         " Ａ 　◎+○    ：0～1", " Ｚ 　------   ：なし：3試合",
                         " Ｚ 　◎+○+▲+：2～5 (0～1)", "", "[勝敗]", "Ｊ２　[2]      ：", "",
                         "[補正]", "下の条件間違い数の場合は､許容△の買い目を拡張する",
                         "条件間違い数   ：0～1,→", "抽出圧縮：120 → 10口"}));

  // User vote rates; type 1 has no extension line; the table switched off
  // (field A) writes nothing; a log without an extraction line none.
  for (ConditionEntry& e : c.Honmei) e.A = false;
  c.MachigaiType = 1;
  c.MachigaiList = {false, false, false, false, false, false,
                    false, false, false, true,  true,  true};
  d.SakugenMessage = CrLf({"0000 Zelvo mini 1.00", "0001 抽出率は"});
  EXPECT_EQ(clsTClipboard::GetText(1, d, ScheduleRecord{}, true),
            body + CrLf({"", "利用投票状況：ユーザー定義", "１等当せん金：1万円以上",
                         "２等当せん金：1,500円 ～ 12,000万円", "", "[勝敗]", "Ｊ２　[2]      ：",
                         "", "[補正]", "条件間違い数   ：9～→"}));

  // Grade 1 not available: no payout block at all, whatever is ticked.
  c.Haitou.Enabled[0] = false;
  c.MachigaiType = 0;
  d.Engine.ChushutsuFlag = false;
  EXPECT_EQ(clsTClipboard::GetText(1, d, ScheduleRecord{}),
            body + CrLf({"", "[勝敗]", "Ｊ２　[2]      ：", ""}));
}

TEST(ClipboardReportTest, RangeAmountAndListTexts) {
  auto yen = [](int64_t v) { return Money::FromInt(v); };
  const int64_t none = 9999999999;
  EXPECT_EQ(ReportRangeText(yen(0), yen(none)), "");
  EXPECT_EQ(ReportRangeText(yen(0), yen(100000000000)), "");
  EXPECT_EQ(ReportRangeText(yen(0), yen(50000)), "5万円以下");
  EXPECT_EQ(ReportRangeText(yen(0), yen(0)), "0円以下");
  EXPECT_EQ(ReportRangeText(yen(1234567), yen(none)), "1,234,567円以上");
  EXPECT_EQ(ReportRangeText(yen(120000000), yen(300000000)), "12,000万円 ～ 3億円");
  EXPECT_EQ(ReportAmountText(yen(1500)), "1,500");
  EXPECT_EQ(ReportAmountText(yen(1000)), "1,000");
  EXPECT_EQ(ReportAmountText(yen(10000)), "1万");
  EXPECT_EQ(ReportAmountText(yen(1200000000)), "12億");
  EXPECT_EQ(ReportAmountText(yen(99990000)), "9,999万");
  EXPECT_EQ(CompressedList({0, 1, 2, 4}), "0～2,4");
  EXPECT_EQ(CompressedList({4, 1, 0, 2}), "0～2,4");
  EXPECT_EQ(CompressedList({1, 3, 5}), "1,3,5");
  EXPECT_EQ(CompressedList({}), "");
}

TEST(ClipboardSinglesTest, OnePerLineAndOnePerColumn) {
  DocumentRecord d;
  const char* digits[] = {"10221", "00000", "22222", "12012", "01201", "21102",
                          "11111", "20202", "01010", "12121", "00112", "22011"};
  for (const char* s : digits) d.SingleData.push_back(Single(s));
  d.SingleCount = 12;
  std::string lines = clsTClipboard::GetText(3, d, ScheduleRecord{});
  EXPECT_EQ(lines.substr(0, 20), "01:10221\r\n02:00000\r\n");
  EXPECT_EQ(lines.substr(lines.size() - 10), "12:22011\r\n");
  EXPECT_EQ(Split(lines, "\r\n").size(), 13u);
  EXPECT_EQ(clsTClipboard::GetText(4, d, ScheduleRecord{}),
            CrLf({"01 1021021201 02", "02 0022111012 02", "03 2020211201 10", "04 2021001012 11",
                  "05 1022121201 21"}));
  d.SingleCount = 10;
  d.SingleData.resize(10);
  EXPECT_EQ(Split(clsTClipboard::GetText(4, d, ScheduleRecord{}), "\r\n")[0], "01 1021021201 ");
  d.SingleCount = 100;
  d.SingleData.assign(100, Single("21000"));
  std::string hundred = clsTClipboard::GetText(3, d, ScheduleRecord{});
  EXPECT_EQ(hundred.substr(0, 9), "001:21000");
  EXPECT_EQ(hundred.substr(hundred.size() - 11), "100:21000\r\n");
  d.SingleCount = 0;
  d.SingleData.clear();
  EXPECT_EQ(clsTClipboard::GetText(3, d, ScheduleRecord{}), "");
}

TEST(ClipboardCopyTest, CopiesTellsAndRefusesOverTenThousand) {
  testing::FakePlatform fake;
  clsTClipboard clip;
  DocumentRecord d;
  d.SingleCount = 1;
  d.SingleData = {Single("10221")};
  EXPECT_TRUE(clip.Copy(3, d, ScheduleRecord{}));
  EXPECT_EQ(fake.ClipboardText(), "1:10221\r\n");
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "クリップボードへコピーしました");
  EXPECT_EQ(fake.messages()[0].icon, MsgIcon::kInformation);

  fake.ClearRecords();
  d.SingleCount = 0;
  d.SingleData.clear();
  EXPECT_FALSE(clip.Copy(3, d, ScheduleRecord{}));  // empty text: nothing at all
  EXPECT_TRUE(fake.messages().empty());
  EXPECT_EQ(fake.ClipboardText(), "1:10221\r\n");

  d.SingleCount = 10001;
  d.SingleData.assign(10001, 0);
  for (int form : {3, 4}) {
    EXPECT_FALSE(clip.Copy(form, d, ScheduleRecord{}));
    EXPECT_EQ(fake.messages().back().text, "1万口以上は出力出来ません");
    EXPECT_EQ(fake.messages().back().icon, MsgIcon::kWarning);
  }
  EXPECT_EQ(fake.ClipboardText(), "1:10221\r\n");
  EXPECT_TRUE(clip.Copy(0, d, ScheduleRecord{}));  // the report has no limit
  d.SingleCount = 10000;
  d.SingleData.resize(10000);
  EXPECT_TRUE(clip.Copy(3, d, ScheduleRecord{}));
  EXPECT_EQ(fake.ClipboardText().substr(0, 11), "00001:00000");
  EXPECT_FALSE(clip.Copy(2, d, ScheduleRecord{}));
}

TEST(ClipboardImportTest, LinesOfFiveOutcomes) {
  testing::FakePlatform fake;
  fake.SetClipboardText(CrLf({"12 : 1 0 2 2 1", "1022", "10223", "abc:00000:11111", "22222", "",
                              "x1:10221", "１０２２１"}));
  clsTClipImport import;
  EXPECT_EQ(import.Import(), (std::vector<int>{Single("10221"), Single("22222"), Single("10221")}));

  DocumentRecord d;
  for (const char* s : {"00000", "12012", "00000", "21102"}) d.SingleData.push_back(Single(s));
  d.SingleCount = 4;
  fake.SetClipboardText(clsTClipboard::GetText(3, d, ScheduleRecord{}));
  EXPECT_EQ(import.Import(), d.SingleData);  // duplicates stay, in order
  fake.SetClipboardText("10221\n21102\n");
  EXPECT_EQ(import.Import(), (std::vector<int>{Single("10221"), Single("21102")}));
  fake.SetClipboardText("");
  EXPECT_TRUE(import.Import().empty());
  EXPECT_TRUE(fake.messages().empty());
}

}  // namespace
}  // namespace zelvo
