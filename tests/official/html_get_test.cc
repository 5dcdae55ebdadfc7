// The page wrapper: body texts, the title, address joining, and pages read
// from files and from the local server.
#include "official/html_get.h"

#include <gtest/gtest.h>

#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class HtmlGetTest : public ::testing::Test {
 protected:
  std::vector<std::string> TextsOf(std::string_view html) {
    dir_.WriteCp932("page.html", html);
    EXPECT_GT(get_.GetFile("page.html"), 0);
    std::vector<std::string> texts;
    int count = get_.GetTextData(texts);
    EXPECT_EQ(count, static_cast<int>(texts.size()));
    return texts;
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  clsHtmlGet get_;
};

using Texts = std::vector<std::string>;

TEST_F(HtmlGetTest, LineBreaksJoinTextsAndOtherTagsSeparateThem) {
  EXPECT_EQ(TextsOf("<body>a<br>b</body>"), Texts{"ab"});
  EXPECT_EQ(TextsOf("<body>a<BR>b<Br >c<span>d</body>"), (Texts{"abc", "d"}));
  EXPECT_EQ(TextsOf("<body>a<i>b</body>"), (Texts{"a", "b"}));
  // "br/" is not a line break; "br /" and an end tag named br are.
  EXPECT_EQ(TextsOf("<body>a<br/>b<br />c</br>d</body>"), (Texts{"a", "bcd"}));
  // A line break before the first text has nothing to join to.
  EXPECT_EQ(TextsOf("<body><br>a</body>"), Texts{"a"});
  // A comment is a tag here too.
  EXPECT_EQ(TextsOf("<body>a<br><!-- x -->b</body>"), (Texts{"a", "b"}));
}

TEST_F(HtmlGetTest, OnlyBodyTextsCountAndTheirBlanksGo) {
  EXPECT_EQ(TextsOf("<head><title>T</title></head>before<body>"
                    "<td> 1,234 円 </td><td>第\t1　回</td><!-- <b> hidden -->"
                    "</body>after"),
            (Texts{"1,234円", "第1回"}));
  EXPECT_EQ(get_.GetHtmlTitle(), "T");
  // Names lose their blanks, token texts keep them.
  EXPECT_EQ(get_.Items()[8].text, "1,234 円");
}

TEST_F(HtmlGetTest, TitleJoinsTheTokenTextsBetweenItsTags) {
  TextsOf(
      "<html><head><TITLE>第１回 &amp; <b>mini</b> toto</Title></head><body>"
      "<title>body title</title></body>");
  EXPECT_EQ(get_.GetHtmlTitle(), "第１回 &<b>mini</b>toto");
}

TEST_F(HtmlGetTest, FileThatCannotBeReadGivesAnEmptyPage) {
  TextsOf("<body>a</body>");
  EXPECT_EQ(get_.GetFile("missing.html"), 0);
  EXPECT_EQ(get_.Count(), 0);
  std::vector<std::string> texts{"old"};
  EXPECT_EQ(get_.GetTextData(texts), 0);
  EXPECT_TRUE(texts.empty());
  EXPECT_TRUE(fake_.messages().empty());
}

TEST(HtmlGetAddressTest, JoinsRelativeAndRootedAddresses) {
  const std::string base = "http://example.jp/a/b/c.html";
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees(base, "../d.html"), "http://example.jp/a/d.html");
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees(base, "/x.html"), "http://example.jp/x.html");
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees(base, "e/f.html"), "http://example.jp/a/b/e/f.html");
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees(base, "../../../../g.html"), "http://example.jp/g.html");
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees("example.jp/top.html", "h.html"),
            "http://example.jp/h.html");
  // An https page keeps its scheme; an absolute link stays as it is.
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees("https://example.jp/a/b.html", "c.html"),
            "https://example.jp/a/c.html");
  EXPECT_EQ(clsHtmlGet::GetPlusAddrees(base, "https://other.jp/x"), "https://other.jp/x");
}

TEST_F(HtmlGetTest, DownloadsTokenizesAndSavesThePage) {
  testing::HttpTestServer server;
  const std::string page =
      "<html><head><title>結果</title></head><body>くじ<br>結果<td>１</body></html>";
  server.SetPage("/result.html", page);
  get_.SetProgressOpen(false);
  std::string url = server.Url("/result.html?kaisai=1234");
  EXPECT_EQ(get_.GetHttp(url, "", 8), 14);
  EXPECT_EQ(get_.Url(), url);
  EXPECT_EQ(get_.PageText(), page);
  std::vector<std::string> texts;
  EXPECT_EQ(get_.GetTextData(texts), 2);
  EXPECT_EQ(texts, (Texts{"くじ結果", "１"}));

  ASSERT_TRUE(get_.SaveToFile("saved.html"));
  EXPECT_EQ(dir_.ReadBytes("saved.html"), ToCp932(page));

  // Bytes are saved unchanged, whatever they are.
  std::string image = std::string("\x89PNG\r\n\x1a\n\0\xff", 10);
  server.SetPage("/logo.png", image, "image/png");
  EXPECT_TRUE(get_.SaveToImage("logo.png", server.Url("/logo.png"), ""));
  EXPECT_EQ(dir_.ReadBytes("logo.png"), image);

  // A failed download, an error answer too, replaces the page with an empty one.
  EXPECT_EQ(get_.GetHttp(server.Url("/empty"), "", 8), 0);
  EXPECT_TRUE(get_.PageText().empty());
  server.SetPage("/empty", "");
  EXPECT_EQ(get_.GetHttp(server.Url("/empty"), "", 8), 0);
  EXPECT_TRUE(get_.PageText().empty());
  EXPECT_FALSE(get_.SaveToImage("none.bin", server.Url("/empty"), ""));
  EXPECT_FALSE(FileExists(dir_.path() + "/none.bin"));
  EXPECT_TRUE(fake_.messages().empty());
}

}  // namespace
}  // namespace zelvo
