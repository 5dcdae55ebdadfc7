// Hostile answers from the official site: every download ends within the
// configured time-outs, tells the user why with the service's message, and
// writes no cache file.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "files/toto_settings.h"
#include "official/services.h"
#include "official/win_inet.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/raw_http_server.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using Clock = std::chrono::steady_clock;
using testing::RawPiece;

constexpr int kReceiveMs = 600;
constexpr int kTransferMs = 1500;
const char kFailed[] = "インターネットよりダウンロードに失敗しました。";

class HostileNetworkTest : public ::testing::Test {
 protected:
  HostileNetworkTest() : previous_(SetDefaultWinInetTimeouts({1000, kReceiveMs, kTransferMs})) {
    testing::InstallShippedTeamNames(dir_);
  }
  ~HostileNetworkTest() override { SetDefaultWinInetTimeouts(previous_); }

  void PointAt(const std::string& base) {
    SetDefaultTotoSettings();
    totoSettings().totoOfficialScheduleUrl = base + "/schedule?holdCntId=";
    totoSettings().totoOfficialVoteUrl = base + "/vote?holdCntId=";
    totoSettings().totoOfficialResultUrl = base + "/result?holdCntId=";
  }

  // Downloads round 1487 A of every kind: each fails in time, with
  // `message`, and leaves no cache file.
  void ExpectEveryKindRefused(const std::string& message) {
    struct Kind {
      const char* name;
      std::function<bool()> get;
      std::function<void()> false_dialog;
      std::string cache;
    };
    clsSchedule schedule;
    clsVote vote;
    clsResult result;
    schedule.Initialize();
    vote.Initialize();
    result.Initialize();
    const int mode = kSourceFile | kSourceDownload;
    const Kind kinds[] = {
        {"schedule", [&] { return schedule.GetSchedule(1487, "A", mode, false); },
         [&] { schedule.FalseDialog(1487); }, clsXmlSchedule::GetFileName(1487, "A")},
        {"vote", [&] { return vote.GetVote(1487, "A", mode, false); },
         [&] { vote.FalseDialog(1487); }, clsXmlVote::GetFileName(1487, "A")},
        {"result", [&] { return result.GetResult(1487, "A", mode, false); },
         [&] { result.FalseDialog(1487); }, clsXmlResult::GetFileName(1487, "A")},
    };
    for (const Kind& k : kinds) {
      SCOPED_TRACE(k.name);
      fake_.ClearRecords();
      auto start = Clock::now();
      EXPECT_FALSE(k.get());
      EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kTransferMs + 1000));
      k.false_dialog();
      std::vector<std::string> texts = fake_.MessageTexts();
      ASSERT_FALSE(texts.empty());
      std::string expected = message;
      if (message.empty()) {
        std::string kind = k.name == std::string("schedule") ? "開催情報"
                           : k.name == std::string("vote")   ? "投票状況"
                                                             : "くじ結果";
        expected = "第1487回 " + kind + "は発表されていません。";
      }
      EXPECT_EQ(texts.back(), expected);
      EXPECT_FALSE(FileExists(k.cache));
    }
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  WinInetTimeouts previous_;
};

TEST_F(HostileNetworkTest, TricklingServersEndAtTheTransferLimit) {
  const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n";
  {
    // A body that never ends, one byte at a time, each well inside the
    // receive time-out.
    testing::RawHttpServer server({{head}, {"x", kReceiveMs / 4, 1000}});
    PointAt(server.Url(""));
    ExpectEveryKindRefused(kFailed);
  }
  {
    // Headers one byte at a time.
    std::vector<RawPiece> script;
    for (char c : head + "<html></html>") script.push_back({std::string(1, c), kReceiveMs / 4});
    testing::RawHttpServer server(script);
    PointAt(server.Url(""));
    ExpectEveryKindRefused(kFailed);
  }
}

TEST_F(HostileNetworkTest, AnswersThatAreNoPage) {
  testing::HttpTestServer server;
  PointAt(server.Url(""));
  const std::string valid_result = testing::ReadPage("result_1487.html");
  auto every_path = [&](const std::function<void(const std::string&)>& set) {
    for (const char* path : {"/schedule", "/vote", "/result"}) set(path);
  };
  struct Case {
    const char* name;
    std::function<void(const std::string&)> set;
    std::string message;  // empty: the page tells nothing of the round
  };
  const Case cases[] = {
      {"redirect loop", [&](const std::string& p) { server.SetRedirect(p, p); }, kFailed},
      {"redirect to another scheme",
       [&](const std::string& p) { server.SetRedirect(p, "file:///etc/passwd"); }, kFailed},
      {"3xx without Location",
       [&](const std::string& p) {
         testing::HttpRoute r;
         r.status = 302;
         r.body = valid_result;
         server.SetRoute(p, r);
       },
       kFailed},
      {"compressed body",
       [&](const std::string& p) {
         testing::HttpRoute r;
         r.body = valid_result;
         r.headers["Content-Encoding"] = "gzip";
         server.SetRoute(p, r);
       },
       kFailed},
      // A text that runs to the end of the page is no item: the page is empty.
      {"10 MB on one line",
       [&](const std::string& p) { server.SetPage(p, std::string(10 << 20, 'x')); }, kFailed},
      {"10 MB on one line in a body",
       [&](const std::string& p) {
         server.SetPage(p, "<html><body>" + std::string(10 << 20, 'x') + "</body></html>");
       },
       ""},
      {"invalid UTF-8 in the markers",
       [&](const std::string& p) {
         server.SetPage(p, ReplaceAll(valid_result, "くじ結果", "く\xFF\xFEじ結果"));
       },
       ""},
      {"a CP932 page", [&](const std::string& p) { server.SetPage(p, ToCp932(valid_result)); }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    every_path(c.set);
    ExpectEveryKindRefused(c.message);
  }
}

}  // namespace
}  // namespace zelvo
