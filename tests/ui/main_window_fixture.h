// The main window's controller on the shipped program folder, headless, with
// a host that records the windows it is asked to show: the fixture of the
// tests of frmMain and its rooms.
#ifndef ZELVOMINI_TESTS_UI_MAIN_WINDOW_FIXTURE_H_
#define ZELVOMINI_TESTS_UI_MAIN_WINDOW_FIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/single_number.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/main_window.h"

namespace zelvo::testing {

class MainWindowHost : public QuietHost {
 public:
  void ShowKouseiBunseki(frmKouseiBunseki& w) override { shown.push_back(&w); }
  void CloseKouseiBunseki(frmKouseiBunseki& w) override { closed.push_back(&w); }
  void ShowAnalysis(frmAnalysis& a) override {
    analysed = a.Coverage().results;
    if (analysis_action) analysis_action(a);
  }
  bool RunOdds(frmOdds& odds) override { return odds_answer ? odds_answer(odds) : false; }
  void RunPrint(frmPrint&) override { ++printed; }
  bool RunTeamNames(frmTeamNames& dialog) override {
    return team_names ? team_names(dialog) : false;
  }
  void ShowBatch(BatchTarget& target) override { batch = &target; }
  void ShowAbout() override { ++about; }
  void RunBacktest(frmBacktest& b) override {
    if (backtest_answer) backtest_answer(b);
  }
  std::function<bool(frmOdds&)> odds_answer;
  std::function<bool(frmTeamNames&)> team_names;
  std::function<void(frmAnalysis&)> analysis_action;
  std::function<void(frmBacktest&)> backtest_answer;
  BatchTarget* batch = nullptr;
  int printed = 0, about = 0;
  int analysed = -1;
  std::vector<frmKouseiBunseki*> shown, closed;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallShippedProgramFolder(dir_);
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    fake_.ClearRecords();
  }
  bool OpenSample(const char* name = "sample-guarantee.tpd") {
    return main_->FileLoadTPD(SampleDocumentPath(name), true, false);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  FakePlatform fake_;
  TempProgramDir dir_;
  MainWindowHost host_;
  std::unique_ptr<frmMain> main_;
};

class MainWindowCommandsTest : public MainWindowTest {
 protected:
  // Singles through the clipboard import: one line of five digits each.
  void Import(const std::vector<int>& singles) {
    std::string text;
    for (int s : singles) {
      for (int m = 0; m < 5; ++m) text += std::to_string(OutcomeOf(s, m));
      text += "\r\n";
    }
    fake_.SetClipboardText(text);
    main_->Execute(Cmd::kImportSinglesRows);
  }
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_UI_MAIN_WINDOW_FIXTURE_H_
