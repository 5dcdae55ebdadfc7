#include "ui/archive_windows.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "files/tpd_file.h"
#include "model/backtest_probabilities.h"
#include "official/xml_schedule.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

const char* KindText(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::kSchedule:
      return "日程";
    case ArchiveKind::kVote:
      return "投票状況";
    case ArchiveKind::kResult:
      break;
  }
  return "くじ結果";
}

std::vector<std::string> GroupsOf(int option) {
  if (option == 1) return {"A"};
  if (option == 2) return {"B"};
  return {"A", "B"};
}

std::string Yen(Money m) { return FormatNumber(m, "#,##0"); }
std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }
std::string Percent(int part, int whole) {
  return whole > 0 ? FormatNumber(100.0 * part / whole, "##0.0") + "%" : "-";
}

std::string PageName(const ArchiveEvent& e) {
  return "第" + std::to_string(e.round) + "回 " + e.group + "組 " + KindText(e.kind);
}

// The page came but could not be read as the page (nor was it refused).
constexpr const char* kUnreadablePage = "ページの内容を読み取れません（形式が想定と異なります）";

// Why a file of the cache was left out, as the window names it.
std::string LeftOutText(const CachedFile& f) {
  std::string why;
  switch (f.state) {
    case CacheFileState::kMisfiled:
      why = "第" + std::to_string(f.held_round) + "回" +
            (f.held_group.empty() ? "" : f.held_group + "組") + "のデータです";
      break;
    case CacheFileState::kDamaged:
      why = "ファイルが壊れています";
      break;
    default:
      why = "内容が検証を通りません";
      break;
  }
  return "除外したファイル：" + FileNamePart(f.path) + "（" + why + "）";
}

std::string RemainingText(uint32_t ms) {
  uint32_t s = (ms + 999) / 1000;
  if (s < 60) return std::to_string(s) + "秒";
  return std::to_string(s / 60) + "分" + std::to_string(s % 60) + "秒";
}

}  // namespace

AxisScale NiceScale(double top, int most, double least) {
  AxisScale scale;
  if (!(top > 0) || most < 1) return scale;
  const double raw = std::max(top / most, least);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  scale.step = 10 * power;
  for (double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw * (1 - 1e-9)) {
      scale.step = m * power;
      break;
    }
  }
  scale.top = scale.step * std::ceil(top / scale.step - 1e-9);
  return scale;
}

// ---------------------------------------------------------------- 過去回データの取得

frmArchive::frmArchive() : group_({"A組とB組", "A組", "B組"}) {
  for (NumberEntry* e : {&from_, &to_}) e->SetRange(Money::FromInt(1), Money::FromInt(9999));
  pause_.SetRange(Money::FromInt(1), Money::FromInt(60));
  pause_.SetIntValue(1);
  from_.SetIntValue(1);
  to_.SetIntValue(1);
}

bool frmArchive::CancelRequested() {
  platform().Yield();
  return cancel_;
}

void frmArchive::Start() {
  if (running_) return;
  const int from = from_.IntValue(), to = to_.IntValue();
  if (to < from) {
    platform().MessageBox("終了回は開始回以降にして下さい。", kTitle, MsgIcon::kWarning);
    return;
  }
  const std::vector<std::string> groups = GroupsOf(group_.Index());
  const int pairs = (to - from + 1) * static_cast<int>(groups.size());
  if (platform().MessageBox("第" + std::to_string(from) + "回から第" + std::to_string(to) +
                                "回までのデータ（" + std::to_string(pairs) +
                                "組）をインターネットよりダウンロードします。よろしいですか？",
                            kTitle, MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
    return;
  }
  running_ = true;
  cancel_ = false;
  lines_.clear();
  report_ = ArchiveDownloadReport();
  report_.total = pairs;
  status_ = "0 / " + std::to_string(pairs) + " 組";
  Changed();

  ArchiveDownloadOptions options;
  options.from = from;
  options.to = to;
  options.groups = groups;
  options.pause_ms = pause_.IntValue() * 1000;
  ArchiveDownload download;
  download.stop_requested = [this] {
    platform().Yield();
    return cancel_;
  };
  causes_.clear();
  heard_.clear();
  download.on_event = [this](const ArchiveEvent& e) {
    const std::string cause = heard_.empty() ? kUnreadablePage : heard_;
    heard_.clear();
    if (e.what == ArchiveEvent::What::kCached) return;
    std::string line = PageName(e) + "：";
    switch (e.what) {
      case ArchiveEvent::What::kFetched:
      case ArchiveEvent::What::kRetried:
        line += "取得しました";
        if (!e.note.empty()) line += "（使えないキャッシュファイルを置き換えました）";
        break;
      case ArchiveEvent::What::kNoData:
        line += "データがありません";
        if (e.other_round != 0) {
          line += "（公式サイトは第" + std::to_string(e.other_round) + "回のページを返しました）";
        }
        break;
      default: {
        line += "失敗しました（" + cause + "）後で再試行します";
        auto it = std::find_if(causes_.begin(), causes_.end(),
                               [&](const auto& c) { return c.first == PageName(e); });
        if (it == causes_.end()) {
          causes_.emplace_back(PageName(e), cause);
        } else {
          it->second = cause;
        }
        break;
      }
    }
    lines_.push_back(line);
    Changed();
  };
  download.on_progress = [this](const ArchiveDownloadReport& r, uint32_t elapsed) {
    report_.done = r.done;
    uint32_t left =
        r.done > 0
            ? static_cast<uint32_t>(static_cast<double>(elapsed) / r.done * (r.total - r.done))
            : 0;
    status_ = std::to_string(r.done) + " / " + std::to_string(r.total) + " 組　残り約" +
              RemainingText(left);
    Changed();
  };
  WinInetProgressSink* previous = SetDefaultWinInetProgressSink(this);
  ArchiveDownloadReport report = download.Run(options);
  SetDefaultWinInetProgressSink(previous);
  report_ = report;
  running_ = false;
  status_ =
      report.interrupted ? "中止しました（取得済みのデータは保存されています）" : "完了しました";
  status_ += "　取得 " + std::to_string(report.fetched) + " 件、キャッシュ済み " +
             std::to_string(report.cached) + " 件、データなし " +
             std::to_string(report.no_data.size()) + " 組";
  if (!report.failures.empty()) {
    status_ += "、失敗 " + std::to_string(report.failures.size()) + " 件";
    for (size_t i = 0; i < report.failures.size(); ++i) {
      const std::string page = PageName(report.failures[i]);
      auto it = std::find_if(causes_.begin(), causes_.end(),
                             [&](const auto& c) { return c.first == page; });
      const std::string cause = it == causes_.end() ? "" : it->second;
      if (i == 0 && !cause.empty()) status_ += "\n最初の失敗の原因：" + cause;
      lines_.push_back("失敗：" + page + (cause.empty() ? "" : "（" + cause + "）"));
    }
  }
  Changed();
}

// ---------------------------------------------------------------- 過去回の検証

const std::vector<std::string>& frmBacktest::Columns() {
  static const std::vector<std::string> columns = {
      "回", "組", "口数", "購入額", "的中", "当せん金", "結果", "推定金額", "◎数", "人気1/2/3"};
  return columns;
}

frmBacktest::frmBacktest()
    : strategy_({"現在のドキュメント", "条件ファイル"}),
      group_({"A組とB組", "A組", "B組"}),
      multi_({"投票率順でマーク", "全243通り", "ドキュメントのマルチ"}),
      data_({"キャッシュの回", "同梱の架空の回（試用）"}),
      probs_({"なし", "モデルから"}) {
  for (NumberEntry* e : {&from_, &to_}) e->SetRange(Money::FromInt(0), Money::FromInt(9999));
}

void frmBacktest::ChooseConditionsFile() {
  FileDialogRequest request;
  request.title = "条件ファイルを開く";
  request.filter = "条件ファイル(*.tpj)";
  request.default_ext = "tpj";
  std::string path = platform().OpenFileDialog(request);
  if (path.empty()) return;
  conditions_file_ = path;
  strategy_.Choose(1);
}

bool frmBacktest::Run() {
  DocumentRecord strategy = document_;
  if (strategy_.Index() == 1) {
    if (conditions_file_.empty()) {
      platform().MessageBox("条件ファイルを選択して下さい。", kTitle, MsgIcon::kWarning);
      return false;
    }
    clsTFileTPD tpd;
    if (!LoadDocumentFile(tpd, conditions_file_, false, true, strategy)) return false;
  }
  BacktestOptions options;
  options.multi = multi_.Index() == 0   ? BacktestMulti::kVoteOrder
                  : multi_.Index() == 1 ? BacktestMulti::kAll
                                        : BacktestMulti::kDocument;
  const bool sample = data_.Index() == 1;
  ArchiveLoad load =
      SelectArchive(from_.IntValue(), to_.IntValue(), GroupsOf(group_.Index()), sample);
  notes_.clear();
  for (const CachedFile& f : load.left_out) notes_.push_back(LeftOutText(f));
  if (load.made_up_left_out > 0) {
    notes_.push_back("キャッシュにある同梱の架空の回 " + std::to_string(load.made_up_left_out) +
                     " 組は、実際の回と混ぜずに除外しました。");
  }
  if (load.MadeUp() && !sample) {
    notes_.push_back("キャッシュに実際の回がないため、同梱の架空の回で検証しました。");
  }
  if (load.rounds.empty()) {
    platform().MessageBox(
        load.MadeUp()
            ? "指定の範囲に、同梱の架空の回はありません。"
            : "指定の範囲に、日程・最終投票状況・くじ結果の揃った回がキャッシュにありません。",
        kTitle, MsgIcon::kInformation);
    return false;
  }
  made_up_ = load.MadeUp();
  const std::vector<ArchivedRound>& rounds = load.rounds;
  clsTotoData toto_data;
  // An engine without a time limit of its own would search a round until
  // stopped; the progress names the limit.
  options.round_seconds = kRoundSeconds;
  const std::string progress_text =
      "過去回を検証中（1回の検索は最長" + std::to_string(static_cast<int>(kRoundSeconds)) + "秒）";
  platform().SetBusyCursor(true);
  platform().WaitBegin(progress_text, static_cast<int64_t>(rounds.size()));
  const bool model = probs_.Index() == 1;
  auto predicted = std::make_shared<int>(0);
  std::vector<std::string> history_refused;
  if (model) {
    options.own_probabilities = ModelProbabilitiesPerRound(toto_data, predicted, &history_refused);
  }
  report_ = RunBacktest(strategy, rounds, options, toto_data, [&](int done, int total) {
    platform().WaitProgress(
        progress_text + " " + std::to_string(done) + " / " + std::to_string(total) + " 回", total,
        done);
    platform().Yield();
    return true;
  });
  platform().WaitEnd();
  platform().SetBusyCursor(false);

  rows_.clear();
  cumulative_stake_.clear();
  cumulative_return_.clear();
  double stake = 0, returned = 0;
  for (const BacktestRound& r : report_.rounds) {
    rows_.push_back({std::to_string(r.round), r.group, Count(r.kept), Count(r.stake),
                     r.winning_kept > 0 ? "○" : "",
                     r.winning_kept > 0 ? Yen(r.prize) + (r.prize_estimated ? "*" : "") : "0",
                     r.result_digits, Yen(r.winner_estimate), std::to_string(r.favourites),
                     std::to_string(r.popularity[0]) + "/" + std::to_string(r.popularity[1]) + "/" +
                         std::to_string(r.popularity[2])});
    stake += static_cast<double>(r.stake);
    returned += r.prize.ToDouble();
    cumulative_stake_.push_back(stake);
    cumulative_return_.push_back(returned);
  }
  const int n = static_cast<int>(report_.rounds.size());
  totals_ = {
      "検証回数：" + std::to_string(n) +
          (report_.skipped > 0 ? "（中止回 " + std::to_string(report_.skipped) + " を除く）" : ""),
      "的中：" + std::to_string(report_.hits) + " 回（" + Percent(report_.hits, n) + "）",
      "購入額：" + Count(report_.stake) + " 円",
      "払戻額：" + Yen(report_.returned) + " 円（100円あたり " +
          FormatNumber(report_.ReturnPer100(), "0.00") + " 円）",
      "最長連続不的中：" + std::to_string(report_.longest_without_win) + " 回",
      "乱数の種：" + std::to_string(report_.seed)};
  if (report_.time_limited > 0) {
    totals_.push_back("時間切れ：" + std::to_string(report_.time_limited) +
                      " 回（それまでの最良の組を購入）");
  }
  if (model) {
    totals_.push_back("自分の確率：モデルから（各回の前までの試合で推定、" +
                      std::to_string(*predicted) + " / " +
                      std::to_string(report_.rounds.size() + report_.skipped) +
                      " 回。知らないクラブの試合は投票率）");
    // Beside the archive's files left out, in the wrapped notes: a path is
    // too long for a totals line.
    for (const std::string& r : history_refused) {
      notes_.push_back("読めない試合結果ファイル（推定に不使用）：" + r);
    }
  }
  if (report_.own_probabilities_missing) {
    // A document's own probabilities are for its own round's matches.
    totals_.push_back("自分の確率：過去の回には無いため、期待値・確率比の条件は働いていません");
  }
  shares_.clear();
  for (const BacktestShare& s : report_.shares) {
    shares_.push_back(s.label + "：" + std::to_string(s.passed) + " / " + std::to_string(s.rounds) +
                      "（" + Percent(s.passed, s.rounds) + "）");
  }
  return true;
}

AxisScale frmBacktest::RoundScale(int most) const {
  return NiceScale(static_cast<double>(cumulative_stake_.size()), most, 1);
}

AxisScale frmBacktest::YenScale(int most) const {
  if (cumulative_stake_.empty()) return {};
  double top = 100;
  for (const auto* series : {&cumulative_stake_, &cumulative_return_}) {
    for (double v : *series) top = std::max(top, v);
  }
  const double unit = top >= 10000 ? 10000 : 1;
  AxisScale scale = NiceScale(top / unit, most, unit > 1 ? 0 : 100);
  scale.unit = unit;
  scale.unit_name = unit > 1 ? "万円" : "円";
  return scale;
}

bool frmBacktest::OpenRound(int row) {
  if (row < 0 || row >= static_cast<int>(report_.rounds.size())) return false;
  const BacktestRound& r = report_.rounds[row];
  // The main window shows the cache; the made-up rounds stay out of it.
  if (made_up_ && !FileExists(clsXmlSchedule::GetFileName(r.round, r.group))) {
    platform().MessageBox("第" + std::to_string(r.round) + "回" + r.group +
                              "組は同梱の架空の回で、キャッシュにないため開けません。",
                          kTitle, MsgIcon::kInformation);
    return false;
  }
  if (!on_open_round) return false;
  // With the own probabilities the replay had for that round, if any: never
  // those typed for the strategy's own round.
  on_open_round(r.replayed);
  return true;
}

}  // namespace zelvo
