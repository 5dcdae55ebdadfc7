#include "support/text.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "support/random.h"

namespace zelvo {
namespace {

TEST(Cp932Test, TildeAndMinusMapAsWindowsWritesThem) {
  EXPECT_EQ(ToCp932("～"), "\x81\x60");
  EXPECT_EQ(ToCp932("－"), "\x81\x7C");
  EXPECT_EQ(FromCp932("\x81\x60"), "～");
  EXPECT_EQ(FromCp932("\x81\x7C"), "－");
  // Look-alikes pasted from other programs fold to the same bytes.
  EXPECT_EQ(ToCp932("\u301C"), "\x81\x60");
  EXPECT_EQ(ToCp932("\u2212"), "\x81\x7C");
}

TEST(Cp932Test, EveryQuotedTextRoundTrips) {
  // Texts the program writes into files or measures in columns.
  const char* texts[] = {
      "システムデータフォルダ(SysData)が見つかりません",
      "データファイル(TeamName.dat)が見つかりません",
      ";totoオフィシャル開催情報URL",
      ";totoオフィシャルURL(mini toto-A組)",
      "totoSettings.iniファイルが破損しています。",
      "Zelvo mini.iniファイルが破損しています。",
      "チーム名：横浜Ｆ・マリノス が見つかりません。",
      "最新のチーム名データをダウンロードするかチーム名を追加して下さい。",
      "略称は最大6文字です。海外チーム名は半角カナで入力して下さい。",
      "略称は6文字以内で入力して下さい。",
      "ナビスコカップ",
      "天皇杯",
      "◎○▲△×☆",
      "本命◎ 対抗○ 穴　▲ 大穴△ 注意× 特注☆",
      "１等当せん金：1万円以上",
      "条件間違い数   ：0～1,→",
      "１等保証（削減圧縮をしない）",
      "２等保証　試行検索エンジン",
      "<開催状態>中止</開催状態>",
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
      "マルチ総数：",
      "該当するパターンは存在しません",
      "ﾚｳﾞｧｰ",
      "ＦＣ東京 京都サンガF.C. 東京Ｖ Ｇ大阪",
      "1／3 ―――",
      "①②③ ㈱ ～",
  };
  for (const char* t : texts) {
    std::string bytes = ToCp932(t);
    EXPECT_EQ(FromCp932(bytes), t) << t;
    std::string_view original(t);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '?'),
              std::count(original.begin(), original.end(), '?'))
        << t;
  }
}

TEST(Cp932Test, EveryUserFacingTextRoundTrips) {
  // Every message, caption, file line and marker the program shows or writes.
  std::ifstream in(std::string(ZELVO_TEST_DATA_DIR) + "/user_texts.txt");
  ASSERT_TRUE(in) << "user_texts.txt missing";
  int checked = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) continue;
    EXPECT_EQ(FromCp932(ToCp932(line)), line) << line;
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

TEST(Cp932Test, InvalidBytesBecomeReplacementCharacters) {
  // A lone lead byte, an undefined byte and a truncated pair.
  EXPECT_EQ(FromCp932("a\xFF"
                      "b"),
            "a\uFFFD"
            "b");
  EXPECT_EQ(FromCp932("x\x82"), "x\uFFFD");
  EXPECT_EQ(FromCp932("\x82\xA0ok"), FromCp932("\x82\xA0") + "ok");
  EXPECT_EQ(ToCp932("\U0001F600"), "?");  // no emoji in CP932
}

TEST(ColumnTest, FullWidthTakesTwoColumns) {
  EXPECT_EQ(Cp932Width("abc"), 3);
  EXPECT_EQ(Cp932Width("本命/全て"), 9);
  EXPECT_EQ(Cp932Width("ｱｲｳ"), 3);  // half-width katakana
  // Eleven full-width characters fill 22 columns exactly; a longer label is cut.
  std::string eleven = "あいうえおかきくけこさ";
  EXPECT_EQ(PadCutColumns(eleven, 22), eleven);
  EXPECT_EQ(PadCutColumns(eleven + "し", 22), eleven);
  EXPECT_EQ(PadCutColumns("ab", 5), "ab   ");
  // A double-byte character straddling the edge leaves a blank, never 23 columns.
  EXPECT_EQ(PadCutColumns("aあい", 4), "aあ ");
  EXPECT_EQ(Cp932Width(PadCutColumns("aあい", 4)), 4);
  EXPECT_EQ(PadLeftColumns("81", 7), "     81");
}

TEST(WidthTest, NarrowAndWideIncludeKatakana) {
  EXPECT_EQ(ToHalfWidth("ＡＢＣ１２３"), "ABC123");
  EXPECT_EQ(ToHalfWidth("レヴァー"), "ﾚｳﾞｧｰ");
  EXPECT_EQ(ToHalfWidth("ガンバ"), "ｶﾞﾝﾊﾞ");
  EXPECT_EQ(ToHalfWidth("１,２３４円(５.６％)"), "1,234円(5.6%)");
  EXPECT_EQ(ToHalfWidth("ひらがな漢字"), "ひらがな漢字");
  EXPECT_EQ(ToFullWidth("ABC1"), "ＡＢＣ１");
  EXPECT_EQ(ToFullWidth("ｶﾞﾝﾊﾞ"), "ガンバ");
}

// The program's own tables against ICU's transliterators, the forms they were
// taken from: every code point alone, every narrow kana before each voiced
// mark, and random mixtures of the characters either side changes.
TEST(WidthTest, NarrowAndWideFormsAreIcusTransliterations) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> narrow(
      icu::Transliterator::createInstance("Fullwidth-Halfwidth", UTRANS_FORWARD, status));
  std::unique_ptr<icu::Transliterator> wide(
      icu::Transliterator::createInstance("Halfwidth-Fullwidth", UTRANS_FORWARD, status));
  ASSERT_TRUE(U_SUCCESS(status));
  auto icu = [](icu::Transliterator& t, const std::string& utf8) {
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    t.transliterate(text);
    std::string out;
    return text.toUTF8String(out);
  };
  std::vector<std::string> changing;
  for (char32_t c = 1; c < 0x30000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string one = FromCodePoint(c);
    ASSERT_EQ(ToHalfWidth(one), icu(*narrow, one)) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(ToFullWidth(one), icu(*wide, one)) << std::hex << static_cast<uint32_t>(c);
    if (ToHalfWidth(one) != one || ToFullWidth(one) != one) changing.push_back(one);
  }
  for (char32_t kana = 0xFF61; kana <= 0xFF9F; ++kana) {
    for (char32_t mark : {0xFF9E, 0xFF9F, 0x3099, 0x309A}) {
      const std::string pair = FromCodePoint(kana) + FromCodePoint(mark);
      EXPECT_EQ(ToFullWidth(pair), icu(*wide, pair))
          << std::hex << static_cast<uint32_t>(kana) << " " << static_cast<uint32_t>(mark);
    }
  }
  SeedRandom(28);
  for (int n = 0; n < 2000; ++n) {
    std::string text;
    for (int k = 0; k < 8; ++k) text += changing[RandomIndex(static_cast<int>(changing.size()))];
    EXPECT_EQ(ToHalfWidth(text), icu(*narrow, text)) << text;
    EXPECT_EQ(ToFullWidth(text), icu(*wide, text)) << text;
  }
}

TEST(TrimTest, BlanksOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("　a　"), "　a　");
  EXPECT_EQ(Trim("   "), "");
}

TEST(CaseTest, AsciiAndFullWidthLettersFold) {
  EXPECT_TRUE(EqualsNoCase("Version", "VERSION"));
  EXPECT_TRUE(EqualsNoCase("ｊ１", "ｊ１"));
  EXPECT_TRUE(EqualsNoCase("ＦＣ", "ｆｃ"));
  EXPECT_FALSE(EqualsNoCase("ＦＣ", "FC"));
  EXPECT_TRUE(StartsWithNoCase("zmini-045b.csv", "Zmini-"));
}

TEST(CharTest, CountsCodePoints) {
  EXPECT_EQ(CharCount("第1234回"), 6u);
  EXPECT_EQ(SubChars("第1234回", 1, 4), "1234");
  EXPECT_EQ(SubChars("abc", 5), "");
  EXPECT_EQ(LeftChars("東京Ｖ", 2), "東京");
}

TEST(SplitTest, KeepsEmptyParts) {
  EXPECT_EQ(Split("a,,b", ","), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Split("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(Split("a\r\nb\r\n", "\r\n"), (std::vector<std::string>{"a", "b", ""}));
}

TEST(ConvertTest, NumbersAndBooleansAsTheSettingsFilesHoldThem) {
  int v = 0;
  EXPECT_TRUE(ConvertToLong(" 12 ", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(ConvertToLong("2.5", v));
  EXPECT_EQ(v, 2);  // half to even
  EXPECT_TRUE(ConvertToLong("3.5", v));
  EXPECT_EQ(v, 4);
  EXPECT_FALSE(ConvertToLong("abc", v));
  EXPECT_FALSE(ConvertToLong("99999999999", v));
  bool b = false;
  EXPECT_TRUE(ConvertToBool("1", b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(ConvertToBool("0", b));
  EXPECT_FALSE(b);
  EXPECT_TRUE(ConvertToBool("True", b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(ConvertToBool("-1", b));
  EXPECT_TRUE(b);
  EXPECT_FALSE(ConvertToBool("yes", b));
  EXPECT_EQ(DoubleToText(2.5), "2.5");
  EXPECT_EQ(DoubleToText(0), "0");
  EXPECT_EQ(DoubleToText(-1.25), "-1.25");
}

}  // namespace
}  // namespace zelvo
