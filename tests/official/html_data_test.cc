// The page tokenizer: cutting, cleaning, comments, body tracking, and that
// no page, however broken, can crash it.
#include "official/html_data.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/text.h"

namespace zelvo {
namespace {

std::vector<HtmlItem> Tokens(std::string_view html) {
  clsHtmlData data;
  data.GetHtmlData(html);
  return data.Items();
}

TEST(HtmlDataTest, CutsTextsAndTagsAndDropsAnUnfinishedTail) {
  auto items = Tokens("a<b>c");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "a");
  EXPECT_FALSE(items[0].is_tag);
  EXPECT_EQ(items[0].name, "a");
  EXPECT_EQ(items[1].text, "<b>");
  EXPECT_TRUE(items[1].is_tag);
  EXPECT_EQ(items[1].name, "b");

  // An unclosed tag is dropped too, and a "<" inside a tag belongs to it.
  items = Tokens("x<p <i>y<a href=");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].text, "<p <i>");
  EXPECT_EQ(items[1].name, "p");
  EXPECT_EQ(items[1].attribute_count, 1);
  EXPECT_EQ(items[2].name, "y");
}

TEST(HtmlDataTest, CleansControlsBlanksAndTheSixEntities) {
  auto items = Tokens("<p>x &amp; y</p>");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].name, "x & y");
  EXPECT_TRUE(items[2].is_end_tag);
  EXPECT_EQ(items[2].name, "p");

  EXPECT_EQ(clsHtmlData::CleanToken("\r\n  a\t\tb \x01 c  "), "a b c");
  EXPECT_EQ(clsHtmlData::CleanToken("&lt;&gt;&quot;&amp;&#169;&#174;"), "<>\"&(c)(r)");
  // Decoded in order, once: "&amp;lt;" becomes "&lt;", not "<".
  EXPECT_EQ(clsHtmlData::CleanToken("&amp;lt;"), "&lt;");
  EXPECT_EQ(clsHtmlData::CleanToken("a&nbsp;b&#160;"), "a&nbsp;b&#160;");
  // Double-byte text keeps its characters; the ideographic space is no blank.
  EXPECT_EQ(clsHtmlData::CleanToken(" 第１回　"), "第１回　");
  EXPECT_TRUE(Tokens(" \r\n\t ").empty());
}

TEST(HtmlDataTest, TagNamesAttributesAndEndTags) {
  auto items = Tokens("<td  class=\"a\"\n  colspan=2><br/><br /></TD>");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text, "<td class=\"a\" colspan=2>");
  EXPECT_EQ(items[0].name, "td");
  EXPECT_EQ(items[0].attribute_count, 2);
  EXPECT_EQ(items[0].Attributes(), (std::vector<std::string>{"td", "class=\"a\"", "colspan=2"}));
  EXPECT_EQ(items[1].name, "br/");
  EXPECT_EQ(items[2].name, "br");
  EXPECT_EQ(items[2].attribute_count, 1);
  EXPECT_TRUE(items[3].is_end_tag);
  EXPECT_EQ(items[3].name, "TD");
}

TEST(HtmlDataTest, CommentsOpenCloseAndContinue) {
  auto items = Tokens("<body><!-- a <b> c --><p>d<!--e--><!-->f</body>");
  ASSERT_EQ(items.size(), 9u);
  // "<!-- a <b>" opens a comment; " c -->" continues and closes it.
  EXPECT_TRUE(items[1].is_comment);
  EXPECT_TRUE(items[1].is_tag);
  EXPECT_TRUE(items[1].name.empty());
  EXPECT_EQ(items[2].text, "c -->");
  EXPECT_TRUE(items[2].is_comment);
  EXPECT_FALSE(items[2].is_tag);
  EXPECT_FALSE(items[2].in_body);
  EXPECT_TRUE(items[2].name.empty());
  EXPECT_FALSE(items[3].is_comment);
  EXPECT_EQ(items[4].name, "d");
  EXPECT_TRUE(items[4].in_body);
  EXPECT_EQ(items[5].name, "e");
  EXPECT_TRUE(items[5].is_comment);
  EXPECT_TRUE(items[6].is_comment);
  EXPECT_TRUE(items[6].name.empty());
  EXPECT_EQ(items[7].name, "f");
  EXPECT_TRUE(items[8].is_end_tag);

  // Text right after the closing "-->" is part of the continuation token.
  items = Tokens("<body><!-- a <b> c -->d</body>");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2].text, "c -->d");
  EXPECT_TRUE(items[2].is_comment);
  EXPECT_FALSE(items[3].is_comment);

  // A comment never closed swallows the rest of the page.
  items = Tokens("<body><!-- open <p>text</p></body>");
  for (size_t i = 2; i < items.size(); ++i) {
    EXPECT_TRUE(items[i].is_comment) << i;
    EXPECT_FALSE(items[i].is_tag) << i;
    EXPECT_FALSE(items[i].in_body) << i;
  }
}

TEST(HtmlDataTest, BodyTagsThemselvesLieOutsideTheBody) {
  auto items = Tokens("<html><title>t</title><BODY bgcolor=white>x<!--body-->y</Body>z<br>");
  ASSERT_EQ(items.size(), 11u);
  std::vector<bool> in_body;
  for (const HtmlItem& item : items) in_body.push_back(item.in_body);
  EXPECT_EQ(in_body, (std::vector<bool>{false, false, false, false, false, true, true, true, false,
                                        false, false}));
  EXPECT_EQ(items[4].name, "BODY");
}

TEST(HtmlDataTest, EntityDecodedToALeadingBracketReadsAsATag) {
  // The cleaned token decides: a text "&lt;b" becomes the token "<b".
  auto items = Tokens("<i>&lt;b</i>");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[1].is_tag);
  EXPECT_EQ(items[1].name, "b");
}

// Every item keeps to its invariants whatever the input.
void CheckItems(const clsHtmlData& data) {
  for (const HtmlItem& item : data.Items()) {
    ASSERT_FALSE(item.text.empty());
    ASSERT_NE(item.text.front(), ' ');
    ASSERT_NE(item.text.back(), ' ');
    ASSERT_TRUE(!item.is_end_tag || item.is_tag);
    ASSERT_TRUE(item.is_tag || item.is_comment || item.name == item.text);
  }
}

TEST(HtmlDataTest, RandomBytesAndTruncatedPagesNeverBreakIt) {
  std::mt19937 rng(20260108);
  const std::string alphabet = "<>!-/ \r\n\t&;#abdyoBODY\"'=\x81\x82\xe3\x80\x80\xff\x00";
  clsHtmlData data;
  for (int round = 0; round < 300; ++round) {
    std::string page;
    size_t size = rng() % 2000;
    for (size_t i = 0; i < size; ++i) {
      page.push_back(round % 2 ? static_cast<char>(rng() & 0xff)
                               : alphabet[rng() % alphabet.size()]);
    }
    data.GetHtmlData(page);
    CheckItems(data);
  }

  const std::string page =
      "<html><head><title>第１２３４回 mini toto</title>"
      "<script>if (a < b && c > d) { document.write('<p>'); }</script></head>"
      "<body><!-- header <div> --><table><tr><td>１,２３４円(５.６％)</td></tr>"
      "<tr><td>a<br>b</td></tr></table><!-- never closed";
  for (size_t cut = 0; cut <= page.size(); ++cut) {
    data.GetHtmlData(std::string_view(page).substr(0, cut));
    CheckItems(data);
  }
  // CP932 bytes read as if they were UTF-8, after sanitising.
  data.GetHtmlData(SanitizeUtf8(ToCp932("<body>第１回　開催</body>")));
  CheckItems(data);
  EXPECT_EQ(data.Count(), 3);
}

TEST(HtmlDataTest, AHugePageIsCutAtTheItemLimit) {
  std::string page;
  page.reserve(3 * (clsHtmlData::kMaxItems + 10));
  for (size_t i = 0; i < clsHtmlData::kMaxItems + 10; ++i) page += "<a>";
  clsHtmlData data;
  EXPECT_EQ(static_cast<size_t>(data.GetHtmlData(page)), clsHtmlData::kMaxItems);
  // A new page replaces the old items.
  EXPECT_EQ(data.GetHtmlData("x<b>"), 2);
}

}  // namespace
}  // namespace zelvo
