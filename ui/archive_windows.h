// The windows of the round archive (ツール menu): 過去回データの取得, which
// fetches a range of past rounds into the cache with its progress and a
// cancel button, and 過去回の検証, the backtest of a strategy over the cached
// rounds with its table, totals, shares and the cumulative chart.
#ifndef ZELVOMINI_UI_ARCHIVE_WINDOWS_H_
#define ZELVOMINI_UI_ARCHIVE_WINDOWS_H_

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/backtest.h"
#include "files/document_record.h"
#include "official/round_archive.h"
#include "official/win_inet.h"
#include "support/number_entry.h"
#include "ui/option_group.h"

namespace zelvo {

// The shipped sample rounds: made up for trying the program, not history.
inline constexpr const char* kMadeUpNote =
    "同梱の第1487回と第9001〜9012回は、試用のための架空のデータです（実際の回ではありません）。"
    "実際の回は ツール → 過去回データの取得 でダウンロードしてください。";

// A chart axis from 0 to `top` in steps of `step`, in units of `unit` (1 or
// 10,000 yen: "円" or "万円"), so that its labels stay short.
struct AxisScale {
  double top = 0;
  double step = 0;
  double unit = 1;
  std::string unit_name;
};
// From 0 to at least `top` at a round step (1, 2 or 5 times a power of ten,
// at least `least`), in at most `most` steps.
AxisScale NiceScale(double top, int most, double least = 0);

class frmArchive : public WinInetProgressSink {
 public:
  static constexpr const char* kTitle = "過去回データの取得";

  frmArchive();

  NumberEntry& From() { return from_; }
  NumberEntry& To() { return to_; }
  // 0 A組とB組, 1 A組, 2 B組.
  OptionGroup& GroupOption() { return group_; }
  // Seconds between two requests (at least 1).
  NumberEntry& Pause() { return pause_; }

  // 開始: asks first, then fetches; returns when done or cancelled.
  void Start();
  // キャンセル: the run ends before its next request (or during a transfer).
  void Cancel() { cancel_ = true; }
  bool Running() const { return running_; }

  const std::vector<std::string>& Lines() const { return lines_; }
  int Done() const { return report_.done; }
  int Total() const { return report_.total; }
  const std::string& Status() const { return status_; }

  std::function<void()> on_changed;

  // WinInetProgressSink: the transfers of a run report here instead of
  // opening the download window for every page.
  void Open() override {}
  void AddLine(const std::string&) override {}
  void AppendToLastLine(const std::string&) override {}
  void Close() override {}
  bool CancelRequested() override;
  void Failed(const std::string& reason) override {
    if (heard_.empty()) heard_ = reason;
  }

 private:
  void Changed() {
    if (on_changed) on_changed();
  }

  NumberEntry from_, to_, pause_;
  OptionGroup group_;
  bool running_ = false;
  bool cancel_ = false;
  ArchiveDownloadReport report_;
  std::vector<std::string> lines_;
  std::string status_;
  // The cause the HTTP client gave for the request under way, and the cause
  // of each failed page as "第N回 A組 日程" -> cause.
  std::string heard_;
  std::vector<std::pair<std::string, std::string>> causes_;
};

class frmBacktest {
 public:
  static constexpr const char* kTitle = "過去回の検証";
  // The columns of the table.
  static const std::vector<std::string>& Columns();

  frmBacktest();

  // The main window's current document: the default strategy.
  void SetDocument(const DocumentRecord& doc) { document_ = doc; }
  // 0 the current document, 1 a conditions file.
  OptionGroup& StrategyOption() { return strategy_; }
  // 参照...: chooses the conditions file (and the option with it).
  void ChooseConditionsFile();
  const std::string& ConditionsFile() const { return conditions_file_; }
  // Rounds from and to (0: no bound), the groups, the multi.
  NumberEntry& From() { return from_; }
  NumberEntry& To() { return to_; }
  OptionGroup& GroupOption() { return group_; }
  OptionGroup& MultiOption() { return multi_; }
  // 0 the rounds of the cache, 1 the shipped made-up rounds (also used when
  // the cache holds no real complete round).
  OptionGroup& DataOption() { return data_; }
  // 0 no own probabilities (a document's are its own round's only), 1 the
  // goal model's, fitted for each round on the matches before it.
  OptionGroup& ProbabilityOption() { return probs_; }

  // Seconds an engine may search in one replayed round.
  static constexpr double kRoundSeconds = 10;

  // 検証: loads the complete rounds and replays the strategy.  False (with a
  // message) when there is no strategy or no round.
  bool Run();

  const BacktestReport& Report() const { return report_; }
  // One row of cells per round, as Columns() heads them.
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  // The totals and the condition shares, a line each.
  const std::vector<std::string>& Totals() const { return totals_; }
  const std::vector<std::string>& Shares() const { return shares_; }
  // What the run left out or stood in with, a line each: files of the cache
  // that cannot be used (named), copies of the made-up rounds in the cache,
  // the made-up rounds used for want of real ones.
  const std::vector<std::string>& Notes() const { return notes_; }
  // The chart: per round, the stake and the return added up so far.
  const std::vector<double>& CumulativeStake() const { return cumulative_stake_; }
  const std::vector<double>& CumulativeReturn() const { return cumulative_return_; }
  // The chart's axes for at most `most` steps: rounds along, amounts up (in
  // 万円 from 10,000 yen on); top 0 before a run has rounds to show.
  AxisScale RoundScale(int most) const;
  AxisScale YenScale(int most) const;
  // Whether the rounds shown include the shipped made-up ones.
  bool ShowsMadeUpRounds() const { return made_up_; }

  // A row was chosen: the main window opens that round as it was replayed,
  // as a new document (a made-up round only when the cache holds it; it is
  // told so otherwise).  True when it was handed over.
  bool OpenRound(int row);
  std::function<void(const DocumentRecord& replayed)> on_open_round;

 private:
  DocumentRecord document_;
  std::string conditions_file_;
  OptionGroup strategy_, group_, multi_, data_, probs_;
  NumberEntry from_, to_;
  BacktestReport report_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::string> totals_, shares_, notes_;
  std::vector<double> cumulative_stake_, cumulative_return_;
  bool made_up_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ARCHIVE_WINDOWS_H_
