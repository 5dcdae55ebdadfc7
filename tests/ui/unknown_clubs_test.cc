// A schedule download whose page names clubs no table knows, through the main
// window as a user meets it: one dialog for all of them, then the schedule.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "official/xml_schedule.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/main_window.h"

namespace zelvo {
namespace {

class TeamNamesHost : public testing::QuietHost {
 public:
  bool RunTeamNames(frmTeamNames& dialog) override {
    ++shown;
    for (int row = 0; row < dialog.Count(); ++row) {
      listed.push_back(dialog.Meisho(row));
      suggested.push_back(dialog.Ryakusho(row));
    }
    return answer(dialog);
  }

  std::function<bool(frmTeamNames&)> answer;
  int shown = 0;
  std::vector<std::string> listed, suggested;
};

const std::vector<std::string> kPageClubs = {
    "バイエルンミュンヘン", "ボルシア・ドルトムント",       "レヴァークーゼン",
    "ウニオンベルリン",     "アイントラハトフランクフルト", "ＲＢライプツィヒ",
    "ヴェルダーブレーメン", "ヴォルフスブルク",             "フライブルク",
    "マインツ"};

class UnknownClubsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    // The edition of the overseas table that knew no club abroad.
    dir_.WriteCp932("SysData/TeamName2.dat",
                    testing::CrLf({"Version = 1", "Revision = 0", ";[End]"}));
    testing::PointSettingsAt(server_);
    server_.SetPage("/schedule", testing::ReadPage("schedule_1500_overseas.html"));
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    if (main_->DownloadConfirm().Checked()) main_->DownloadConfirm().Click();
    main_->Round().SetKumi("A");
    main_->Round().SetKaisaikai(1500);
    fake_.ClearRecords();
    server_.ClearRequests();
  }
  bool Cached() const { return FileExists(clsXmlSchedule::GetFileName(1500, "A")); }
  std::string TeamName3() const { return FromCp932(dir_.ReadBytes("SysData/TeamName3.dat")); }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  testing::HttpTestServer server_;
  TeamNamesHost host_;
  std::unique_ptr<frmMain> main_;
};

TEST_F(UnknownClubsTest, CancelWritesAndCachesNothing) {
  host_.answer = [](frmTeamNames& dialog) {
    dialog.Cancel();
    return dialog.Result();
  };
  main_->Execute(Cmd::kDownloadSchedule);
  EXPECT_EQ(host_.shown, 1);
  EXPECT_EQ(host_.listed, kPageClubs);
  EXPECT_EQ(host_.suggested[0], "ﾊﾞｲｴﾙﾝ");  // half-width, cut to six characters
  EXPECT_EQ(host_.suggested[9], "ﾏｲﾝﾂ");
  EXPECT_FALSE(FileExists(dir_.SysData("TeamName3.dat")));
  EXPECT_FALSE(Cached());
  EXPECT_EQ(main_->Round().Schedule().Kaisaikai, 0);
  // The download fails as it always did, without one warning per club.
  EXPECT_EQ(fake_.MessageTexts(),
            std::vector<std::string>{"インターネットよりダウンロードに失敗しました。"});
}

TEST_F(UnknownClubsTest, AddChecksEveryRowThenWritesAllAndCaches) {
  host_.answer = [this](frmTeamNames& dialog) {
    dialog.Ryakusho(1) = "";
    dialog.Ryakusho(3) = "ｳﾆｵﾝﾍﾞﾙﾘﾝ";
    // The first bad row speaks; the dialog stays open and nothing is written.
    EXPECT_FALSE(dialog.Add());
    EXPECT_EQ(fake_.MessageTexts().back(), "略称を入力して下さい。");
    dialog.Ryakusho(1) = "ﾄﾞﾙﾄ";
    EXPECT_FALSE(dialog.Add());
    EXPECT_EQ(fake_.MessageTexts().back(), "略称は6文字以内で入力して下さい。");
    EXPECT_FALSE(dialog.Closed());
    EXPECT_FALSE(FileExists(dir_.SysData("TeamName3.dat")));
    dialog.Ryakusho(3) = "ｳﾆｵﾝ";
    EXPECT_TRUE(dialog.Add());
    return dialog.Result();
  };
  main_->Execute(Cmd::kDownloadSchedule);
  EXPECT_EQ(host_.shown, 1);
  EXPECT_EQ(server_.Requests().size(), 1u);  // read again from the page in hand
  ASSERT_TRUE(Cached());
  const ScheduleRecord& s = main_->Round().Schedule();
  EXPECT_EQ(s.Kaisaikai, 1500);
  for (const ScheduleMatch& m : s.matches) {
    EXPECT_FALSE(m.home.empty());
    EXPECT_FALSE(m.away.empty());
  }
  EXPECT_EQ(s.matches[0].away, "ﾄﾞﾙﾄ");
  EXPECT_EQ(s.matches[1].away, "ｳﾆｵﾝ");
  std::string text = TeamName3();
  EXPECT_TRUE(text.starts_with(kTeamName3Header));
  EXPECT_EQ(Split(text, "\r\n").size(), 1u + 10u + 1u);
  EXPECT_TRUE(Contains(text, "\r\nﾊﾞｲｴﾙﾝ = バイエルンミュンヘン\r\nﾄﾞﾙﾄ   = ボルシア・ドルトムント\r\n"));
  EXPECT_EQ(fake_.MessageTexts().back(), "チーム名を10件追加しました。");
  // The home page's one-team dialog finds nothing left to propose.
  EXPECT_EQ(LastUnresolvedTeamName(), "");
}

}  // namespace
}  // namespace zelvo
