// Documents and conditions files: the exact file, reading rules, old
// documents, damaged files and the wait dialog.
#include "files/tpd_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "support/version.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::CrLf;

// Compares with a golden file; ZELVO_UPDATE_GOLDEN=1 rewrites it instead (the
// new file must then be checked by hand before it is committed).
void ExpectGolden(const std::string& bytes, const std::string& name) {
  // The head names the program's version and copyright, which move with releases.
  const std::string version = ProgramVersionText();
  const std::string copyright = ToCp932(CopyrightNotice());
  std::string path = std::string(ZELVO_TEST_DATA_DIR) + "/" + name;
  if (std::getenv("ZELVO_UPDATE_GOLDEN")) {
    std::string out = ReplaceAll(bytes, "SoftVersion = " + version, "SoftVersion = @VERSION@");
    out = ReplaceAll(out, ";" + copyright, ";@COPYRIGHT@");
    std::ofstream(path, std::ios::binary) << out;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(golden.empty()) << path;
  golden = ReplaceAll(golden, "@VERSION@", version);
  golden = ReplaceAll(golden, "@COPYRIGHT@", copyright);
  EXPECT_TRUE(bytes == golden) << name << " differs from the golden file";
}

class TpdFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  std::string Write(const std::string& name, const std::string& utf8_crlf) {
    dir_.WriteCp932(name, utf8_crlf);
    return Path(name);
  }
  // The text of a saved document as UTF-8.
  std::string SavedText(const DocumentRecord& doc, bool document = true) {
    std::string path = Path(document ? "saved.tpd" : "saved.tpj");
    EXPECT_TRUE(tpd_.SaveFile(path, document, doc, true));
    return FromCp932(dir_.ReadBytes(document ? "saved.tpd" : "saved.tpj"));
  }
  // A valid document with `line` in place of the line that begins with `key`.
  std::string WithLine(const std::string& key, const std::string& line) {
    std::string text = SavedText(testing::SampleDocument());
    size_t at = text.find("\r\n" + key);
    EXPECT_NE(at, std::string::npos) << key;
    size_t end = text.find("\r\n", at + 2);
    text.replace(at + 2, end - at - 2, line);
    return text;
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  clsTFileTPD tpd_;
};

TEST_F(TpdFileTest, DocumentMatchesTheHandCheckedFileAndReadsBackTheSame) {
  DocumentRecord doc = testing::SampleDocument(7);
  ASSERT_TRUE(tpd_.SaveFile(Path("doc.tpd"), true, doc, true));
  ExpectGolden(dir_.ReadBytes("doc.tpd"), "sample-ref.tpd");

  DocumentRecord loaded;
  ASSERT_TRUE(tpd_.LoadFile(Path("doc.tpd"), loaded));
  testing::ExpectSameDocument(loaded, doc);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(TpdFileTest, ConditionsFileHoldsOnlyTheConditions) {
  DocumentRecord doc = testing::SampleDocument();
  ASSERT_TRUE(tpd_.SaveFile(Path("c.tpj"), false, doc, true));
  std::string bytes = dir_.ReadBytes("c.tpj");
  ExpectGolden(bytes, "sample-ref.tpj");
  std::string text = FromCp932(bytes);
  EXPECT_FALSE(Contains(text, "Kaisaikai"));
  EXPECT_FALSE(Contains(text, "Multi"));
  EXPECT_TRUE(text.ends_with("MachigaiList = 110100000000\r\n\r\n"));

  // Opening it keeps the document's round, multi and singles.
  DocumentRecord open = testing::SampleDocument(3);
  open.Kaisaikai = 77;
  open.Conditions = DefaultReductionConditions();
  ASSERT_TRUE(LoadDocumentFile(tpd_, Path("c.tpj"), false, true, open));
  EXPECT_EQ(open.Kaisaikai, 77);
  EXPECT_EQ(open.SingleCount, 3);
  EXPECT_EQ(open.Multi, doc.Multi);
  EXPECT_EQ(open.Conditions, doc.Conditions);
}

TEST_F(TpdFileTest, TypeCheckWantsThisProgramAndTheExpectedKind) {
  DocumentRecord doc = testing::SampleDocument();
  ASSERT_TRUE(tpd_.SaveFile(Path("d.tpd"), true, doc, true));
  ASSERT_TRUE(tpd_.SaveFile(Path("c.tpj"), false, doc, true));
  int version = -1;
  EXPECT_TRUE(tpd_.DataTypeCheck(Path("d.tpd"), true, version));
  EXPECT_EQ(version, 6);
  EXPECT_FALSE(tpd_.DataTypeCheck(Path("c.tpj"), true, version));
  EXPECT_TRUE(tpd_.DataTypeCheck(Path("c.tpj"), false, version));
  EXPECT_FALSE(tpd_.DataTypeCheck(Path("d.tpd"), false, version));

  std::string other = FromCp932(dir_.ReadBytes("d.tpd"));
  Write("other.tpd", ReplaceAll(other, "Software    = Zelvo mini", "Software    = Zelvo"));
  EXPECT_FALSE(tpd_.DataTypeCheck(Path("other.tpd"), true, version));
  EXPECT_TRUE(fake_.messages().empty());

  // Fewer than eight lines is an error of its own.
  Write("short.tpd", CrLf({"Software = Zelvo mini", "DataType = minitoto"}));
  EXPECT_FALSE(tpd_.DataTypeCheck(Path("short.tpd"), true, version));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsTFileTPD / DataTypeCheck");

  // The open of a wrong kind tells the user and keeps the document.
  fake_.ClearRecords();
  DocumentRecord open = testing::SampleDocument(2);
  DocumentLoadInfo info;
  EXPECT_FALSE(LoadDocumentFile(tpd_, Path("c.tpj"), true, true, open, {}, &info));
  EXPECT_TRUE(info.wrong_type);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "Zelvo miniのファイルではありません。");
  EXPECT_EQ(fake_.messages()[0].title, "ファイルタイプ警告");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);
  testing::ExpectSameDocument(open, testing::SampleDocument(2));
}

TEST_F(TpdFileTest, ValueFormsReadOnlyWhatTheyHold) {
  // Short values change only the elements they reach; the rest keep the
  // document's values (here the sample's).
  std::string text = testing::CrLf({
      "; comment lines and unknown keys are passed over",
      "Unknown = 1",
      "Haitou.Enabled = 1",
      "Multi = 3:4,5",
      "MsTousen = 9,8",
      "Haitou.Min = 77",
      "Honmei.29 = junk",
      "Ninki.-1 = junk",
      "VoteTime = 2024/05/11",
      "Kumi = A",
  });
  std::string path = Write("forms.tpd", text);
  DocumentRecord doc = testing::SampleDocument();
  doc.Conditions.Haitou.Enabled = {true, true, true};
  ASSERT_TRUE(tpd_.LoadFile(path, doc));
  EXPECT_EQ(doc.Conditions.Haitou.Enabled, (std::array<bool, 3>{true, false, false}));
  MultiTable multi = testing::SampleDocument().Multi;
  multi[0][0] = 3;
  multi[0][1] = 4;
  multi[1][0] = 5;
  EXPECT_EQ(doc.Multi, multi);
  EXPECT_EQ(doc.MsTousen, (std::array<int, 6>{9, 8, 30, 9, 72, 81}));
  EXPECT_EQ(doc.Conditions.Haitou.Min[0], Money::FromInt(77));
  EXPECT_EQ(doc.Conditions.Haitou.Min[2], Money::FromRaw(12345));
  EXPECT_EQ(doc.VoteTime, DateTime::Date(2024, 5, 11));
  EXPECT_EQ(doc.Kumi, "A");
  EXPECT_EQ(doc.Conditions.Honmei, testing::SampleDocument().Conditions.Honmei);

  // The engine keys old documents wrote are still read.
  path = Write("old.tpd", CrLf({"BeginCount = 50", "EndCount = 2", "EndTime = 30", "ExGrade2 = 1",
                                "ExGrade3 = 0", "SeBeginCount = 20", "SeEndTime = 60"}));
  ASSERT_TRUE(tpd_.LoadFile(path, doc));
  EXPECT_EQ(doc.Engine.BeginCount, 50);
  EXPECT_EQ(doc.Engine.EndCount, 2);
  EXPECT_EQ(doc.Engine.EndTime, 30);
  EXPECT_TRUE(doc.Engine.ExGrade2);
  EXPECT_EQ(doc.Engine.SeBeginCount, 20);
  EXPECT_EQ(doc.Engine.SeEndTime, 60);
}

TEST_F(TpdFileTest, SinglesAndLogBlocks) {
  // A count of 0 leaves the list alone; a block needs its count before it.
  DocumentRecord doc = testing::SampleDocument(4);
  std::string path = Write("zero.tpd", CrLf({"SingleCount = 0", "<SingleData>", "</SingleData>"}));
  ASSERT_TRUE(tpd_.LoadFile(path, doc));
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_EQ(doc.SingleData.size(), 4u);

  path =
      Write("more.tpd", CrLf({"SingleCount = 2", "<SingleData>", "1", "2", "3", "</SingleData>"}));
  EXPECT_FALSE(tpd_.LoadFile(path, doc));
  path = Write("fewer.tpd", CrLf({"SingleCount = 3", "<SingleData>", "1", "2", "</SingleData>"}));
  EXPECT_FALSE(tpd_.LoadFile(path, doc));

  path = Write("ok.tpd", CrLf({"SingleCount = 3", "<SingleData>", "F2", "a", "0", "</SingleData>",
                               "<SakugenMessage>", "first", "", "   ", "  indented", "",
                               "</SakugenMessage>"}));
  doc = DocumentRecord();
  ASSERT_TRUE(tpd_.LoadFile(path, doc));
  EXPECT_EQ(doc.SingleData, (std::vector<int>{242, 10, 0}));
  EXPECT_EQ(doc.SakugenMessage, "first\r\n  indented\r\n");

  // A saved-then-loaded log keeps its lines, each ended.
  DocumentRecord sample = testing::SampleDocument();
  sample.SakugenMessage = "a\r\n\r\nb\r\n";
  ASSERT_TRUE(tpd_.SaveFile(Path("log.tpd"), true, sample, true));
  ASSERT_TRUE(tpd_.LoadFile(Path("log.tpd"), doc));
  EXPECT_EQ(doc.SakugenMessage, "a\r\nb\r\n");
}

TEST_F(TpdFileTest, OldDocumentTakesTheArchivedVoteStatus) {
  DocumentRecord saved = testing::SampleDocument();
  std::string text = SavedText(saved);
  text = ReplaceAll(text, "DataVersion = 6", "DataVersion = 4");
  text = ReplaceAll(text, "Kumi = B\r\n", "Kumi = B\r\nVoteTime = 2026/05/16\r\n");
  std::string path = Write("old.tpd", text);

  VoteStatusRecord current;
  current.Kaisaikai = 999;
  VoteStatusRecord archived = testing::SampleVote();
  archived.Kaisaikai = 400;
  int asked_round = 0;
  DateTime asked_date;
  auto found = [&](int round, const DateTime& date, VoteStatusRecord& vote) {
    asked_round = round;
    asked_date = date;
    vote = archived;
    return true;
  };
  DocumentRecord doc;
  doc.Vote = current;
  DocumentLoadInfo info;
  ASSERT_TRUE(LoadDocumentFile(tpd_, path, true, true, doc, found, &info));
  EXPECT_EQ(info.data_version, 4);
  EXPECT_EQ(asked_round, 512);
  EXPECT_EQ(asked_date, DateTime::Date(2026, 5, 16));
  EXPECT_EQ(doc.Vote.Kaisaikai, 400);
  EXPECT_TRUE(info.vote_from_file);

  // Without an archived file the current vote status stays, even though the
  // file embeds one.
  doc = DocumentRecord();
  doc.Vote = current;
  auto missing = [](int, const DateTime&, VoteStatusRecord&) { return false; };
  ASSERT_TRUE(LoadDocumentFile(tpd_, path, true, true, doc, missing, &info));
  EXPECT_EQ(doc.Vote.Kaisaikai, 999);
  EXPECT_FALSE(info.vote_from_file);
  EXPECT_EQ(doc.SingleData, saved.SingleData);

  // A current document brings its own.
  doc = DocumentRecord();
  doc.Vote = current;
  ASSERT_TRUE(
      LoadDocumentFile(tpd_, Write("new.tpd", SavedText(saved)), true, true, doc, found, &info));
  testing::ExpectSameVote(doc.Vote, saved.Vote);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(TpdFileTest, OpeningADocumentStartsFromANewDocument) {
  // Keys the file does not have come from the new-document reset, not from
  // the document that was open.
  std::string text = SavedText(testing::SampleDocument());
  size_t cut = text.find("Haitou.Enabled");
  std::string head_only = text.substr(0, cut);
  std::string path = Write("partial.tpd", head_only + text.substr(text.find("<投票状況>")));
  DocumentRecord doc = testing::SampleDocument(9);
  doc.Kaisaikai = 1;
  ASSERT_TRUE(LoadDocumentFile(tpd_, path, true, true, doc));
  EXPECT_EQ(doc.Kaisaikai, 512);
  EXPECT_EQ(doc.Conditions, DefaultReductionConditions());
  EXPECT_EQ(doc.Engine, EngineSettings{});
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_TRUE(doc.SingleData.empty());
}

TEST_F(TpdFileTest, EngineLimitsSurviveSavingAndReopening) {
  DocumentRecord doc = testing::SampleDocument();
  doc.Engine.BeginCount = 37;
  doc.Engine.EndCount = 12;
  doc.Engine.EndTime = 90;
  doc.Engine.ExGrade2 = true;
  doc.Engine.ExGrade3 = true;
  doc.Engine.SeBeginCount = 44;
  doc.Engine.SeEndTime = 15;
  std::string text = SavedText(doc);
  EXPECT_NE(text.find("MsEngine = " + std::to_string(doc.Engine.MsEngine) +
                      "\r\nBeginCount = 37\r\nEndCount = 12\r\nEndTime = 90\r\nExGrade2 = 1\r\n"
                      "ExGrade3 = 1\r\nSeBeginCount = 44\r\nSeEndTime = 15\r\n\r\n"),
            std::string::npos);
  DocumentRecord reopened;
  ASSERT_TRUE(LoadDocumentFile(tpd_, Path("saved.tpd"), true, true, reopened));
  EXPECT_EQ(reopened.Engine, doc.Engine);

  // Documents saved before the limits were written open with the defaults.
  std::string old = text;
  size_t from = old.find("\r\nBeginCount");
  old.erase(from, old.find("\r\n\r\nChushutsuFlag") - from);
  DocumentRecord from_old;
  ASSERT_TRUE(LoadDocumentFile(tpd_, Write("old.tpd", old), true, true, from_old));
  EngineSettings expected = doc.Engine;
  EngineSettings defaults;
  expected.BeginCount = defaults.BeginCount;
  expected.EndCount = defaults.EndCount;
  expected.EndTime = defaults.EndTime;
  expected.ExGrade2 = defaults.ExGrade2;
  expected.ExGrade3 = defaults.ExGrade3;
  expected.SeBeginCount = defaults.SeBeginCount;
  expected.SeEndTime = defaults.SeEndTime;
  EXPECT_EQ(from_old.Engine, expected);
}

// Damaged files: each fails with the user's message, in bounded time and
// memory, and leaves the open document exactly as it was.
TEST_F(TpdFileTest, DamagedFilesFailAndChangeNothing) {
  const std::string good = SavedText(testing::SampleDocument(1200));
  struct Case {
    std::string name;
    std::string bytes;  // CP932 file content
  };
  std::vector<Case> cases;
  auto text_case = [&](std::string name, const std::string& utf8) {
    cases.push_back({std::move(name), ToCp932(utf8)});
  };
  const std::string good_bytes = ToCp932(good);
  for (double at : {0.3, 0.5, 0.62, 0.9, 0.995}) {
    size_t n = static_cast<size_t>(good_bytes.size() * at);
    cases.push_back({"truncated at " + std::to_string(n), good_bytes.substr(0, n)});
  }
  text_case("huge count", WithLine("SingleCount", "SingleCount = 2000000000"));
  text_case("negative count", WithLine("SingleCount", "SingleCount = -1"));
  text_case("single above 242",
            ReplaceAll(good, "\r\n<SingleData>\r\n0\r\n", "\r\n<SingleData>\r\nF3\r\n"));
  text_case("digit table with letters",
            WithLine("Honmei.0 ",
                     "Honmei.0 = 1|1|6|6|11111|111|100000|010000|001000|000100|"
                     "000010|000001|00000a,000000,000000,000000,000000,000000|"
                     "◎,○,▲,△,×,☆"));
  text_case("a million rows", WithLine("Ninki.0 ", "Ninki.0 = 1|1|1000000|4|11111|111|1000"));
  text_case("short entry", WithLine("Mark.3 ", "Mark.3 = 1|1|3|3|11111|111|100|010"));
  text_case("group not a number", WithLine("Mark.3 ", "Mark.x = 1"));
  text_case("round not a number", WithLine("Kaisaikai", "Kaisaikai = abc"));
  text_case("group names a path", WithLine("Kumi", "Kumi = ../x"));
  text_case("mark out of range", WithLine("Multi", "Multi = 9:0:0:0:0"));
  text_case("engine out of range", WithLine("MsEngine", "MsEngine = 17"));
  text_case("vote block not closed", good.substr(0, good.rfind("</投票状況>")));
  size_t at = good_bytes.find("Kaisaikai");
  cases.push_back({"100 MB line", good_bytes.substr(0, at) + "x = " + std::string(100 << 20, 'y') +
                                      "\r\n" + good_bytes.substr(at)});
  std::string junk = good_bytes.substr(0, good_bytes.find("Kaisaikai"));
  for (int i = 0; i < 200000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256 | 1);
  cases.push_back({"binary junk after the head", junk});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir_.WriteBytes("bad.tpd", c.bytes);
    fake_.ClearRecords();
    DocumentRecord doc = testing::SampleDocument(3);
    doc.Kaisaikai = 99;
    DocumentRecord before = doc;
    DocumentLoadInfo info;
    EXPECT_FALSE(LoadDocumentFile(tpd_, Path("bad.tpd"), true, true, doc, {}, &info));
    testing::ExpectSameDocument(doc, before);
    // A damaged file is an expected condition: the user sees the one
    // warning, no error report; the fault stays for a list of results.
    std::vector<std::string> texts = fake_.MessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0] == "ファイルの読込に失敗しました。" ||
                texts[0] == "Zelvo miniのファイルではありません。")
        << texts[0];
    EXPECT_EQ(info.fault.rfind(texts[0], 0), 0u) << info.fault;
    EXPECT_FALSE(fake_.wait().open);
  }

  // Pure junk never passes the type check.
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 31 + 7) % 256);
  dir_.WriteBytes("noise.tpd", noise);
  DocumentRecord doc;
  fake_.ClearRecords();
  EXPECT_FALSE(LoadDocumentFile(tpd_, Path("noise.tpd"), true, true, doc));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"Zelvo miniのファイルではありません。"});

  // A text file named .tpd, and a document cut inside its head.
  Write("text.tpd", "just some text\r\n");
  Write("cut.tpd", good.substr(0, 40));
  for (const char* name : {"text.tpd", "cut.tpd"}) {
    fake_.ClearRecords();
    DocumentLoadInfo info;
    EXPECT_FALSE(LoadDocumentFile(tpd_, Path(name), true, true, doc, {}, &info));
    EXPECT_EQ(fake_.MessageTexts(),
              std::vector<std::string>{"Zelvo miniのファイルではありません。"});
    EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);
  }
}

TEST_F(TpdFileTest, BatchLoadsAreSilent) {
  dir_.WriteBytes("bad.tpd", ToCp932(WithLine("SingleCount", "SingleCount = -1")));
  DocumentRecord doc;
  EXPECT_FALSE(LoadDocumentFile(tpd_, Path("bad.tpd"), true, false, doc));
  EXPECT_FALSE(LoadDocumentFile(tpd_, Path("missing.tpd"), true, false, doc));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(TpdFileTest, FailedSaveKeepsThePreviousFile) {
  DocumentRecord doc = testing::SampleDocument();
  ASSERT_TRUE(tpd_.SaveFile(Path("d.tpd"), true, doc, true));
  std::string before = dir_.ReadBytes("d.tpd");

  DocumentRecord broken = doc;
  broken.SingleData[2] = 243;  // would not read back
  EXPECT_FALSE(tpd_.SaveFile(Path("d.tpd"), true, broken, true));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsTFileTPD / Save");
  broken = doc;
  broken.SingleCount = 50;  // more than the list holds
  EXPECT_FALSE(tpd_.SaveFile(Path("d.tpd"), true, broken, false));
  broken = doc;
  broken.Conditions.Honmei[4].captions[0] = "◎,○";
  EXPECT_FALSE(tpd_.SaveFile(Path("d.tpd"), true, broken, false));
  EXPECT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(dir_.ReadBytes("d.tpd"), before);
  for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_FALSE(IsWriterTemporaryName(e.path().filename().string())) << e.path();
  }

  // A folder that cannot be written.
  dir_.WriteBytes("plain-file", "x");
  EXPECT_FALSE(tpd_.SaveFile(Path("plain-file/d.tpd"), true, doc, true));
  EXPECT_EQ(fake_.messages().back().title, "Zelvo mini / clsTFileTPD / Save");
}

TEST_F(TpdFileTest, WaitDialogFollowsTheSingles) {
  DocumentRecord doc = testing::SampleDocument(2500);
  int yields_before = fake_.yield_count();
  ASSERT_TRUE(tpd_.SaveFile(Path("w.tpd"), true, doc, true));
  EXPECT_EQ(fake_.yield_count() - yields_before, 2);  // after 1001 and 2002
  EXPECT_EQ(fake_.wait().message, "TPDファイルに保存中");
  EXPECT_EQ(fake_.wait().max, 2500);
  EXPECT_EQ(fake_.wait().value, 2500);
  EXPECT_EQ(fake_.wait().updates, 3);
  EXPECT_FALSE(fake_.wait().open);

  ASSERT_TRUE(tpd_.SaveFile(Path("w.tpj"), false, doc, true));
  EXPECT_EQ(fake_.wait().message, "TPJファイルに保存中");

  yields_before = fake_.yield_count();
  DocumentRecord loaded;
  ASSERT_TRUE(tpd_.LoadFile(Path("w.tpd"), loaded));
  EXPECT_EQ(fake_.yield_count() - yields_before, 2);
  EXPECT_EQ(fake_.wait().message, "TPDファイルの読込中");
  EXPECT_EQ(fake_.wait().max, 2500);
  EXPECT_EQ(fake_.wait().value, 2500);
  EXPECT_EQ(loaded.SingleData, doc.SingleData);
}

TEST(DocumentRecordTest, NewDocumentKeepsTheRoundAndVoteStatus) {
  DocumentRecord doc = testing::SampleDocument();
  ResetToNewDocument(doc);
  EXPECT_EQ(doc.Kaisaikai, 512);
  EXPECT_EQ(doc.Kumi, "B");
  EXPECT_EQ(doc.Vote.Kaisaikai, 512);
  EXPECT_EQ(doc.Multi, MultiTable{});
  EXPECT_EQ(doc.Conditions, DefaultReductionConditions());
  EXPECT_EQ(doc.Engine, EngineSettings{});
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_TRUE(doc.SingleData.empty());
  EXPECT_EQ(doc.MsTousen, (std::array<int, 6>{}));
  EXPECT_TRUE(doc.SakugenMessage.empty());
}

}  // namespace
}  // namespace zelvo
