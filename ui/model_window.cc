#include "ui/model_window.h"

#include <cstdio>

#include "model/history_sources.h"
#include "model/round_model.h"
#include "support/format.h"
#include "support/output_target.h"
#include "support/platform.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }
std::string Fixed(double v) { return FormatNumber(v, "0.0000"); }
std::string Signed(double v, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.*f", decimals, v);
  return buf;
}

std::vector<std::string> ScoreRow(const std::string& name, const ScoreTotals& t) {
  return {name, Count(t.matches), Fixed(t.MeanLogLoss()), Fixed(t.MeanRps()), Fixed(t.MeanBrier())};
}

std::vector<frmModelEvaluation::CalibrationPoint> Points(const Calibration& c) {
  std::vector<frmModelEvaluation::CalibrationPoint> points;
  for (const CalibrationBin& bin : c) {
    if (bin.count == 0) continue;
    points.push_back({bin.MeanPredicted(), bin.Observed(), bin.count,
                      bin.count < frmModelEvaluation::kSparseBelow});
  }
  return points;
}

}  // namespace

const std::vector<std::string>& frmModelEvaluation::ScoreColumns() {
  static const std::vector<std::string> kColumns = {"予測", "試合数", "対数損失", "RPS",
                                                    "ブライアスコア"};
  return kColumns;
}

frmModelEvaluation::frmModelEvaluation(const clsTotoData& toto) : toto_(toto) {
  const std::shared_ptr<const LoadedHistory> history = LoadHistory(toto_);
  const std::vector<HistoryMatch>& all = history->history.Matches();
  const int first = all.empty() ? 2015 : YearOfDay(all.front().day);
  const int last = all.empty() ? 2015 : YearOfDay(all.back().day);
  season_.SetRange(Money::FromInt(first), Money::FromInt(last));
  season_.SetIntValue(last);
  half_life_.SetRange(Money::FromInt(7), Money::FromInt(3650));
  half_life_.SetIntValue(static_cast<long long>(DefaultGoalModelOptions().half_life_days));
  for (int league = 1; league <= 3; ++league) {
    CheckBox& box = leagues_[league - 1];
    box.caption = LeagueName(league);
    box.SetChecked(league <= 2);
  }
  history_text_ =
      "過去の試合結果：" + Count(static_cast<int64_t>(history->history.size())) + "試合";
  if (!all.empty()) {
    history_text_ += "（" + DayText(all.front().day) + "〜" + DayText(all.back().day) + "）";
  }
  const HistorySummary& s = history->summary;
  history_text_ += "　同梱" + Count(s.shipped_matches) + "・過去回" + Count(s.archive_matches) +
                   "・追加" + Count(s.added_matches);
}

bool frmModelEvaluation::Run() {
  const std::shared_ptr<const LoadedHistory> history = LoadHistory(toto_);
  const int year = season_.IntValue();
  std::vector<HistoryMatch> test;
  for (const HistoryMatch& m : history->history.Matches()) {
    if (YearOfDay(m.day) == year && m.league >= 1 && m.league <= 3 &&
        leagues_[m.league - 1].Checked()) {
      test.push_back(m);
    }
  }
  if (test.empty()) {
    platform().MessageBox(
        std::to_string(year) + "年の選んだリーグの試合が過去の試合結果にありません。", kTitle,
        MsgIcon::kInformation);
    return false;
  }
  GoalModelOptions options = DefaultGoalModelOptions();
  options.half_life_days = half_life_.IntValue();
  platform().SetBusyCursor(true);
  report_ =
      EvaluateRolling(history->history, test, options, ArchivedVoteRates(toto_), [](int, int) {
        // A refit takes a few hundredths of a second;
        // the window stays drawn between them.
        platform().Yield();
        return true;
      });
  platform().SetBusyCursor(false);
  has_report_ = true;

  score_rows_ = {ScoreRow("モデル", report_.model),
                 ScoreRow("基準率（勝・分・敗の割合）", report_.base),
                 ScoreRow("一様（1/3ずつ）", report_.uniform)};
  if (report_.public_votes.matches > 0) {
    score_rows_.push_back(ScoreRow("モデル（投票率のある試合）", report_.public_model));
    score_rows_.push_back(ScoreRow("投票率（同じ試合）", report_.public_votes));
  }
  lines_.clear();
  if (!report_.matches.empty()) {
    lines_.push_back("検証期間：" + DayText(report_.matches.front().match.day) + "〜" +
                     DayText(report_.matches.back().match.day) + "、" + Count(report_.refits) +
                     "回の月初の再推定（各回それより前の試合のみで推定）");
    const double base_rps = report_.base.MeanRps();
    lines_.push_back("基準率との差：対数損失 " +
                     Signed(report_.model.MeanLogLoss() - report_.base.MeanLogLoss(), 4) +
                     "、RPS " +
                     Signed(base_rps > 0 ? (report_.model.MeanRps() / base_rps - 1) * 100 : 0, 2) +
                     "%（小さいほど良い）");
  }
  std::string skipped = "除外：" + Count(report_.SkippedCount()) + "試合";
  for (const auto& [why, count] : report_.skipped) {
    skipped += "（" + why + ": " + Count(count) + "）";
  }
  lines_.push_back(skipped);
  if (report_.public_votes.matches == 0) {
    lines_.push_back("投票率との比較：この期間の試合を含む最終投票率の過去回がありません。");
  }
  Changed();
  return true;
}

std::vector<frmModelEvaluation::CalibrationPoint> frmModelEvaluation::ModelCalibration() const {
  return has_report_ ? Points(report_.calibration) : std::vector<CalibrationPoint>{};
}

std::vector<frmModelEvaluation::CalibrationPoint> frmModelEvaluation::PublicCalibration() const {
  return has_report_ ? Points(report_.public_calibration) : std::vector<CalibrationPoint>{};
}

bool frmModelEvaluation::SaveCsv() {
  if (!has_report_) return false;
  FileDialogRequest request;
  request.title = "検証結果をCSVに保存";
  request.filter = "CSVファイル(*.csv)";
  request.default_ext = "csv";
  request.initial_name = "model-" + std::to_string(season_.IntValue()) + ".csv";
  const std::string path = platform().SaveFileDialog(request);
  if (path.empty()) return false;
  const OutputVerdict verdict = CheckOutputTarget(path, HistoryFiles());
  if (verdict.refusal != OutputRefusal::kNone) {
    platform().MessageBox(OutputRefusalMessage(verdict, path), kTitle, MsgIcon::kWarning);
    return false;
  }
  if (!WriteFileBytes(path, EvaluationCsv(report_), false)) {
    platform().MessageBox("保存できませんでした。\r\n" + path + "\r\n" + LastWriteError(), kTitle,
                          MsgIcon::kWarning);
    return false;
  }
  return true;
}

}  // namespace zelvo
