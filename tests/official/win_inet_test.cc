// The real HTTP client against the local server: bodies, encodings, error
// pages, redirects, time-outs, the size cap, request headers and progress.
#include "official/win_inet.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"

namespace zelvo {
namespace {

using Lines = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

long MaxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

class WinInetTest : public ::testing::Test {
 protected:
  WinInetTest() { inet_.SetProgressSink(&log_); }

  std::string Get(const std::string& path, int expected_bytes) {
    std::string bytes = "stale";
    EXPECT_EQ(inet_.GetHttpData(server_.Url(path), bytes, ""), expected_bytes) << path;
    EXPECT_EQ(bytes.size(), static_cast<size_t>(expected_bytes));
    return bytes;
  }

  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  WinInetProgressLog log_;
  clsWinInet inet_;
};

TEST_F(WinInetTest, Utf8AndCp932PagesDecode) {
  const std::string page = "<html><body>第1234回 ｍｉｎｉ　toto ～</body></html>";
  server_.SetPage("/utf8.html", page);
  server_.SetPage("/sjis.html", ToCp932(page), "text/html; charset=Shift_JIS");
  EXPECT_EQ(Get("/utf8.html", static_cast<int>(page.size())), page);
  EXPECT_EQ(inet_.GetHttpDataStringUTF8(server_.Url("/utf8.html"), ""), page);
  EXPECT_EQ(inet_.GetHttpDataString(server_.Url("/utf8.html"), "", 8), page);
  EXPECT_EQ(inet_.GetHttpDataString(server_.Url("/sjis.html"), "", 0), page);
  // The wrong code page spoils characters, not the page.
  std::string wrong = inet_.GetHttpDataString(server_.Url("/sjis.html"), "", 8);
  EXPECT_TRUE(Contains(wrong, "<html><body>"));
  EXPECT_TRUE(Contains(wrong, "\xEF\xBF\xBD"));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(WinInetTest, SendsTheAgentLanguageAndNoCacheHeaders) {
  server_.SetPage("/vote", "ok");
  Get("/vote?kaisai=1500&kumi=A", 2);
  auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const auto& r = requests[0];
  EXPECT_EQ(r.method, "GET");
  EXPECT_EQ(r.path, "/vote");
  EXPECT_EQ(r.query, "kaisai=1500&kumi=A");
  EXPECT_EQ(r.Header("User-Agent"), "Pendralcove WinInet");
  EXPECT_EQ(r.Header("Accept-Language"), "ja-JP");
  EXPECT_EQ(r.Header("Cache-Control"), "no-cache");
  EXPECT_EQ(r.Header("Pragma"), "no-cache");
}

TEST_F(WinInetTest, EmptyBodiesAndErrorPages) {
  server_.SetPage("/empty", "");
  Get("/empty", 0);
  EXPECT_EQ(inet_.GetHttpDataString(server_.Url("/empty"), "", 8), "");

  // An answer other than 2xx is a failed transfer, however page-like its
  // body: a cached or maintenance page must not be scraped.
  Get("/nowhere.html", 0);
  EXPECT_EQ(inet_.LastStatus(), 404);
  testing::HttpRoute failing;
  failing.body = testing::ReadPage("vote_1487_A.html");
  for (int status : {500, 503, 304, 203}) {
    SCOPED_TRACE(status);
    failing.status = status;
    server_.SetRoute("/broken", failing);
    Get("/broken", status == 203 ? static_cast<int>(failing.body.size()) : 0);
    EXPECT_EQ(inet_.LastStatus(), status);
  }
}

TEST_F(WinInetTest, FollowsRedirects) {
  server_.SetPage("/new.html", "moved here");
  server_.SetRedirect("/old.html", "/new.html", 301);
  server_.SetRedirect("/older.html", server_.Url("/old.html"));
  EXPECT_EQ(Get("/older.html", 10), "moved here");
  auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].path, "/old.html");
  EXPECT_EQ(requests[2].path, "/new.html");
  EXPECT_EQ(requests[2].Header("Accept-Language"), "ja-JP");
}

TEST_F(WinInetTest, ASilentServerTimesOut) {
  inet_.SetReceiveTimeoutMs(300);
  testing::HttpRoute slow;
  slow.body = "late";
  slow.delay_ms = 3000;
  server_.SetRoute("/slow", slow);
  auto start = Clock::now();
  Get("/slow", 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));

  // Stopping half-way through the body fails the whole page, not half of it.
  testing::HttpRoute stalling;
  stalling.body = std::string(4000, 'a');
  stalling.stall_ms = 3000;
  server_.SetRoute("/stall", stalling);
  start = Clock::now();
  Get("/stall", 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));

  // A short pause under the time-out is fine.
  slow.delay_ms = 100;
  inet_.SetReceiveTimeoutMs(1500);
  server_.SetRoute("/slow", slow);
  EXPECT_EQ(Get("/slow", 4), "late");
}

TEST_F(WinInetTest, BodiesOverTheCapFailWithoutBeingHeld) {
  const int64_t cap = static_cast<int64_t>(clsWinInet::kMaxBodyBytes);
  testing::HttpRoute big;
  big.streamed_bytes = cap + 1;
  big.chunked = true;  // the size shows only while reading
  server_.SetRoute("/big-chunked", big);
  big.chunked = false;
  server_.SetRoute("/big-declared", big);
  Get("/big-chunked", 0);
  Get("/big-declared", 0);
  big.streamed_bytes = 1024 * 1024;
  big.chunked = true;
  server_.SetRoute("/fits", big);
  Get("/fits", 1024 * 1024);

  // An endless page is cut off at the cap: reading 2 GiB would take long
  // and show in the memory peak.
  inet_.SetMaxBodyBytes(256 * 1024);
  big.streamed_bytes = int64_t{2} << 30;
  server_.SetRoute("/endless", big);
  long rss_before = MaxRssKb();
  auto start = Clock::now();
  Get("/endless", 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  EXPECT_LT(MaxRssKb() - rss_before, 64 * 1024);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(WinInetTest, ProgressLinesOfARequest) {
  server_.SetPage("/p", std::string(2500, 'z'));
  inet_.SetProgressDialogMessage("ファイルバージョン取得中 (Pendralcove)");
  Get("/p", 2500);
  ASSERT_EQ(log_.lines.size(), 5u);
  EXPECT_EQ(log_.lines[0], " ファイルバージョン取得中 (Pendralcove)");
  EXPECT_EQ(log_.lines[1], " [コネクション開始]");
  EXPECT_EQ(log_.lines[2], " " + server_.Url("/p"));
  EXPECT_TRUE(log_.lines[3].starts_with(" 受信中 ."));
  EXPECT_EQ(log_.lines[3].find_first_not_of('.', 11), std::string::npos);
  EXPECT_GE(log_.lines[3].size(), std::string(" 受信中 ").size() + 3);  // one per 1 KiB
  EXPECT_EQ(log_.lines[4], " [コネクション終了]");
  EXPECT_EQ(log_.opened, 1);
  EXPECT_EQ(log_.closed, 1);
  EXPECT_FALSE(log_.open);

  // A server that cannot be reached never starts receiving.
  int closed_port;
  {
    testing::HttpTestServer gone;
    closed_port = gone.port();
  }
  log_.lines.clear();
  inet_.SetProgressDialogMessage("");
  std::string url = "http://127.0.0.1:" + std::to_string(closed_port) + "/";
  std::string bytes;
  EXPECT_EQ(inet_.GetHttpData(url, bytes, ""), 0);
  EXPECT_EQ(log_.lines, (Lines{" [コネクション開始]", " " + url}));

  // Left open when asked; nothing at all without ProgressOpen.
  inet_.SetProgressClose(false);
  Get("/p", 2500);
  EXPECT_TRUE(log_.open);
  log_.lines.clear();
  inet_.SetProgressOpen(false);
  Get("/p", 2500);
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(WinInetTest, NothingHappensForAnEmptyAddress) {
  std::string bytes = "stale";
  EXPECT_EQ(inet_.GetHttpData("", bytes, ""), 0);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(log_.opened, 0);
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(WinInetTest, AWrongCodeIsReportedWithoutARequest) {
  server_.SetPage("/page", "text");
  EXPECT_EQ(inet_.GetHttpDataString(server_.Url("/page"), "", 1), "");
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "コード番号が異常です（1）");
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / clsWinInet / GetHttpDataString");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(WinInetTest, OnlyWebAddressesAreFetched) {
  std::string bytes;
  EXPECT_EQ(inet_.GetHttpData("file:///etc/hostname", bytes, ""), 0);
  EXPECT_EQ(inet_.GetHttpData("not a url", bytes, ""), 0);
  // A redirect may not lead to a local file either.
  server_.SetRedirect("/to-file", "file:///etc/hostname");
  Get("/to-file", 0);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST(WinInetDefaultSinkTest, ClientsWithoutTheirOwnSinkUseTheDefault) {
  testing::FakePlatform fake;
  testing::HttpTestServer server;
  server.SetPage("/x", "x");
  WinInetProgressLog window;
  WinInetProgressSink* previous = SetDefaultWinInetProgressSink(&window);
  clsWinInet inet;
  EXPECT_TRUE(inet.Connection());
  std::string bytes;
  EXPECT_EQ(inet.GetHttpData(server.Url("/x"), bytes, ""), 1);
  SetDefaultWinInetProgressSink(previous);
  EXPECT_EQ(window.lines.size(), 4u);
  EXPECT_EQ(window.closed, 1);
}

}  // namespace
}  // namespace zelvo
