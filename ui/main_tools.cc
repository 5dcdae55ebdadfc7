#include "ui/main_tools.h"

#include <algorithm>
#include <utility>

#include "core/single_number.h"
#include "files/toto_settings.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

// "https://host" of an address, "" when it has none.
std::string SchemeAndHost(const std::string& url) {
  size_t scheme = url.find("://");
  if (scheme == std::string::npos) return "";
  size_t path = url.find('/', scheme + 3);
  return path == std::string::npos ? url : url.substr(0, path);
}

// Without a browser the request ends silently; the address lets the user
// open the page some other way.
void OpenInBrowser(const std::string& url) {
  if (platform().OpenUrl(url)) return;
  platform().MessageBox(
      "ブラウザを開けませんでした。\r\n次のアドレスをブラウザで開いて下さい。\r\n" + url, kAppTitle,
      MsgIcon::kInformation);
}

}  // namespace

MainTools::MainTools(MainShell& shell, RoundPanel& round, MultiPage& multi, SinglesPage& singles,
                     SearchRun& run, const OpenDocument& document,
                     const FolderCheck& folder_writable)
    : shell_(shell),
      round_(round),
      multi_(multi),
      singles_(singles),
      run_(run),
      document_(document),
      folder_writable_(folder_writable) {}

bool MainTools::State(Cmd cmd, ActionState& s) const {
  switch (cmd) {
    case Cmd::kUserVote:
    case Cmd::kUserTeams:
    case Cmd::kAnalysis:
    case Cmd::kArchiveDownload:
    case Cmd::kBacktest:
    case Cmd::kModelEvaluation:
    case Cmd::kOwnProbs:
    case Cmd::kOwnProbsButton:
    case Cmd::kMatchDay:
    case Cmd::kMatchDayButton:
      s.enabled = shell_.IsIdle();
      return true;
    default:
      return false;
  }
}

bool MainTools::Execute(Cmd cmd) {
  switch (cmd) {
    case Cmd::kManual:
      OpenManual();
      return true;
    case Cmd::kMakerTeams:
      MakerTeamNames();
      return true;
    case Cmd::kMakerTeamsRestore:
      if (!shell_.CheckBusy() &&
          clsPendralcoveDownload::RestoreTeamName2(round_.DownloadConfirm().Checked())) {
        round_.Round().ScheduleInitialize();
      }
      return true;
    case Cmd::kUserVote:
    case Cmd::kUserVoteButton:
      EnterUserVoteRates();
      return true;
    case Cmd::kOwnProbs:
    case Cmd::kOwnProbsButton:
      EnterOwnProbabilities();
      return true;
    case Cmd::kUserTeams:
    case Cmd::kUserTeamsButton:
      UserTeamNames();
      return true;
    case Cmd::kPrint:
      PrintCommand();
      return true;
    case Cmd::kAnalysis:
      PurchaseAnalysis();
      return true;
    case Cmd::kArchiveDownload:
      ArchiveDownload();
      return true;
    case Cmd::kBacktest:
      Backtest();
      return true;
    case Cmd::kModelEvaluation:
      ModelEvaluation();
      return true;
    case Cmd::kSaleSchedule:
      OpenSaleSchedule();
      return true;
    case Cmd::kMatchDay:
    case Cmd::kMatchDayButton:
      ShowMatchDay();
      return true;
    default:
      return false;
  }
}

void MainTools::RefreshFigurePages() {
  const int page = shell_.CurrentPage();
  if (page == 1 || page == 2) shell_.ShowPage(page);
}

// ---------------------------------------------------------------- vote rates and own probabilities

void MainTools::EnterUserVoteRates() {
  const ScheduleRecord& schedule = round_.Schedule();
  frmOdds::Rates rates{};
  frmOdds::Teams teams;
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) {
      rates[o][m] = static_cast<int>(
          (round_.Vote().matches[m].outcomes[o].rate * Money::FromInt(100)).RoundToInt());
    }
    teams[m] = {schedule.matches[m].home, schedule.matches[m].away};
  }
  frmOdds odds;
  odds.Setup(rates, teams);
  if (!shell_.Host() || !shell_.Host()->RunOdds(odds)) return;
  // The user's rates make a vote status of their own: this round and group,
  // no as-of time, the counts per ten thousand.
  VoteStatusRecord vote;
  vote.Kaisaikai = round_.Kaisaikai();
  vote.Kumi = round_.Kumi();
  for (int m = 0; m < 5; ++m) {
    vote.matches[m].home = schedule.matches[m].home;
    vote.matches[m].away = schedule.matches[m].away;
    vote.matches[m].match_date = schedule.matches[m].match_date;
    for (int o = 0; o < 3; ++o) {
      const int r = odds.ResultRates()[o][m];
      vote.matches[m].outcomes[o].count = Money::FromInt(r);
      vote.matches[m].outcomes[o].rate =
          Money::FromRaw(static_cast<int64_t>(r) * Money::kScale / 100);
    }
  }
  vote.sale_start = schedule.sale_start;
  vote.sale_end = schedule.sale_end;
  round_.SetVote(vote);
  // Ranks, estimates and the match table follow the new rates.
  RefreshFigurePages();
}

void MainTools::EnterOwnProbabilities() {
  const ScheduleRecord& schedule = round_.Schedule();
  frmOwnProbs window;
  frmOwnProbs::Teams teams;
  for (int m = 0; m < 5; ++m) teams[m] = {schedule.matches[m].home, schedule.matches[m].away};
  window.Setup(multi_.OwnProbs(), teams);
  window.model_prediction = [this] {
    return PredictRound(round_.Schedule(), round_.Vote(), multi_.TotoData());
  };
  if (!shell_.Host() || !shell_.Host()->RunOwnProbs(window)) return;
  multi_.SetOwnProbs(window.ResultProbabilities());
  // The match table and the singles' figures follow.
  RefreshFigurePages();
  // One undo step of its own, like any other command.
  shell_.CommitEdits();
}

ChancesReport MainTools::OwnChances() const {
  const OwnProbabilities& own = multi_.OwnProbs();
  if (!own.set) return {};
  // Priced only where `chances` prices: a vote status with votes in every match.
  OutcomeProbabilities official{};
  std::string error;
  clsTMoney money;
  const bool priced = ProbabilitiesFromVote(round_.Vote(), official, error);
  if (priced) money.SetVote(round_.Vote());
  std::vector<int> bought;
  bought.reserve(singles_.Singles().size());
  for (int s : singles_.Singles()) {
    if (s >= 0 && s < kSingles) bought.push_back(s);
  }
  return AnalyseChances(bought, own.p, priced ? &money : nullptr);
}

std::string MainTools::OwnChancesText() const {
  if (!multi_.OwnProbs().set) return "";
  // Worked out again only when the singles, the probabilities or the votes
  // moved on: the window asks after every action, a page turn included.
  if (chances_.revision == singles_.Revision() && chances_.own == multi_.OwnProbs() &&
      chances_.vote == round_.Vote()) {
    return chances_.text;
  }
  const ChancesReport r = OwnChances();
  std::string text = "自分の確率で　的中 " + FormatNumber(r.win * 100, "0.00") + "%";
  if (r.has_payout && r.tickets > 0) {
    text += "　期待値 " + FormatNumber(r.per_100, "#,##0.0") + "円／100円";
  }
  chances_ = {singles_.Revision(), multi_.OwnProbs(), round_.Vote(), text};
  return text;
}

// ---------------------------------------------------------------- team names, printing

void MainTools::UserTeamNames() {
  frmTeamName dialog;
  if (shell_.Host() && shell_.Host()->RunTeamName(dialog)) round_.Round().ScheduleInitialize();
}

void MainTools::MakerTeamNames() {
  if (shell_.CheckBusy()) return;
  // The download replaces SysData/TeamName2.dat: a folder this user cannot
  // write to would only fail after the transfer, so say so before it.
  const std::string folder = SysDataPath();
  if (!folder_writable_(folder)) {
    platform().MessageBox("システムデータフォルダに書き込めないため、ダウンロードできません。\r\n" +
                              folder + "\r\nこのフォルダに書き込めるユーザーで実行して下さい。",
                          "管理権限不足エラー", MsgIcon::kWarning);
    return;
  }
  if (maker_.DownloadTeamName2(round_.DownloadConfirm().Checked())) {
    round_.Round().ScheduleInitialize();
  }
}

void MainTools::PrintCommand() {
  const ScheduleRecord& schedule = round_.Schedule();
  frmPrint print;
  frmPrint::Teams teams;
  for (int m = 0; m < 5; ++m) teams[m] = {schedule.matches[m].home, schedule.matches[m].away};
  print.ShowForm(singles_.Count(), singles_.Singles(), round_.Kaisaikai(), round_.Kumi(),
                 document_.FileName(), teams);
  if (shell_.Host()) shell_.Host()->RunPrint(print);
}

// ---------------------------------------------------------------- analysis, archive, backtest

void MainTools::PurchaseAnalysis() {
  frmAnalysis analysis;
  analysis.SetDocument(shell_.BuildDocument());
  // The minimum's singles come in as an import does.
  analysis.on_take_singles = [this](const std::vector<int>& singles) {
    {
      OperationScope operation(shell_);
      singles_.SetSingles(static_cast<int>(singles.size()), singles);
    }
    shell_.ShowPage(2);
  };
  if (shell_.Host()) shell_.Host()->ShowAnalysis(analysis);
}

void MainTools::ArchiveDownload() {
  frmArchive archive;
  archive.From().SetIntValue(std::max(1, round_.Round().Kaisaikai() - 20));
  archive.To().SetIntValue(std::max(1, round_.Round().Kaisaikai()));
  if (shell_.Host()) shell_.Host()->RunArchive(archive);
}

void MainTools::ShowMatchDay() {
  WindowHost* host = shell_.Host();
  if (!host) return;
  const DocumentRecord doc = shell_.BuildDocument();
  host->ShowMatchDay(singles_.Count() > 0 ? &doc : nullptr, document_.FileName());
}

void MainTools::Backtest() {
  frmBacktest backtest;
  backtest.SetDocument(shell_.BuildDocument());
  // The round opens as a new document behind the backtest window, which
  // stays open for the next row.
  backtest.on_open_round = [this](const DocumentRecord& replayed) {
    shell_.OpenAsNewDocument(replayed);
  };
  if (shell_.Host()) shell_.Host()->RunBacktest(backtest);
}

void MainTools::ModelEvaluation() {
  frmModelEvaluation evaluation(multi_.TotoData());
  if (shell_.Host()) shell_.Host()->RunModelEvaluation(evaluation);
}

// ---------------------------------------------------------------- composition analyses

void MainTools::OpenKouseiBunseki(int kind, int row, int group) {
  try {
    static const ConditionTable kKinds[3] = {ConditionTable::kHonmei, ConditionTable::kNinki,
                                             ConditionTable::kMark};
    static const char* const kNames[3] = {"本命", "人気", "勝敗"};
    const ConditionEntry& entry = multi_.CountCondition(kind).panel.Entries().at(group);
    if (row < 0 || row >= static_cast<int>(entry.captions.size())) return;
    MultiTable multi;
    multi_.Multi().GetValue(multi);
    clsTX& reduction = run_.Search().Reduction();
    reduction.SetVote(round_.Vote());
    std::array<int, 6> histogram{};
    reduction.KouseiBunseki(kKinds[kind - 1], multi, entry, row, histogram);
    auto window = std::make_unique<frmKouseiBunseki>();
    window->SetTitle(std::string(frmKouseiBunseki::kTag) + " - " + kNames[kind - 1] + " [" +
                     ConditionGroupLabels()[group] + "] " + entry.captions[row]);
    window->SetValue(histogram);
    int matches = 0;
    for (bool t : entry.target_matches) matches += t;
    window->SetMarkMax(matches);
    kousei_windows_.push_back(std::move(window));
    if (shell_.Host()) shell_.Host()->ShowKouseiBunseki(*kousei_windows_.back());
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "KoseiBunseki", e);
  }
}

void MainTools::CloseKouseiWindows() {
  std::vector<std::unique_ptr<frmKouseiBunseki>> windows = std::move(kousei_windows_);
  kousei_windows_.clear();
  for (auto& w : windows) {
    if (shell_.Host()) shell_.Host()->CloseKouseiBunseki(*w);
  }
}

void MainTools::KouseiWindowClosed(frmKouseiBunseki* window) {
  auto it = std::find_if(kousei_windows_.begin(), kousei_windows_.end(),
                         [window](const auto& w) { return w.get() == window; });
  if (it != kousei_windows_.end()) kousei_windows_.erase(it);
}

// ---------------------------------------------------------------- browser pages

void MainTools::OpenManual() {
  std::string host = SchemeAndHost(clsPendralcoveDownload::ServerBaseUrl());
  if (host.empty()) {
    platform().MessageBox("マニュアルのサーバーが設定されていません", kAppTitle,
                          MsgIcon::kInformation);
    return;
  }
  // The page is named after the program: "Zelvo mini" -> "zelvomini".
  std::string page;
  for (char c : std::string(kAppTitle)) {
    if (c != ' ') page += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  OpenInBrowser(host + "/manual/" + page + ".html");
}

void MainTools::OpenSaleSchedule() {
  std::string host = SchemeAndHost(totoSettings().totoOfficialScheduleUrl);
  if (host.empty()) host = kOfficialHost;
  OpenInBrowser(host + "/dci/I/IPA/IPA01.do?op=inittotoSerLotSchedule");
}

}  // namespace zelvo
