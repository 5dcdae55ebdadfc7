// モデルの検証 (ツール menu): the goal model tried on a season it has not seen,
// refitted at the start of every month on everything before it, with its
// scores beside the training base rates, the uniform third and, where the
// archive holds them, the public's final vote rates, and the calibration of
// its probabilities for the chart.
#ifndef ZELVOMINI_UI_MODEL_WINDOW_H_
#define ZELVOMINI_UI_MODEL_WINDOW_H_

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/toto_data.h"
#include "model/evaluation.h"
#include "support/check_box.h"
#include "support/number_entry.h"

namespace zelvo {

class frmModelEvaluation {
 public:
  static constexpr const char* kTitle = "モデルの検証";
  static const std::vector<std::string>& ScoreColumns();

  // `toto` (not owned) names the clubs; the history is read when the
  // window opens, the season set to its last one.
  explicit frmModelEvaluation(const clsTotoData& toto);

  // The test: a season of the history, its leagues, and the half-life of
  // the fits.
  NumberEntry& Season() { return season_; }
  CheckBox& League(int league) { return leagues_.at(league - 1); }
  NumberEntry& HalfLife() { return half_life_; }
  // What the history holds, one line.
  const std::string& HistoryText() const { return history_text_; }

  // 検証: evaluates the season; false, with a message, when it has no match
  // of the chosen leagues.
  bool Run();
  bool HasReport() const { return has_report_; }
  const EvaluationReport& Report() const { return report_; }
  // A row per forecast: its name, matches, mean log loss, RPS, Brier score.
  const std::vector<std::vector<std::string>>& ScoreRows() const { return score_rows_; }
  // The test period, the refits, the skipped matches and the gain on the
  // base rates, a line each.
  const std::vector<std::string>& Lines() const { return lines_; }
  // The chart's points: mean predicted probability against observed
  // frequency per tenth that has forecasts; `sparse` when the tenth has too
  // few forecasts for its frequency to mean much.
  struct CalibrationPoint {
    double predicted = 0, observed = 0;
    int count = 0;
    bool sparse = false;
  };
  static constexpr int kSparseBelow = 20;
  std::vector<CalibrationPoint> ModelCalibration() const;
  std::vector<CalibrationPoint> PublicCalibration() const;

  // CSVに保存...: one row per test match, as `model evaluate --csv` writes.
  bool SaveCsv();

  std::function<void()> on_changed;

 private:
  void Changed() {
    if (on_changed) on_changed();
  }

  const clsTotoData& toto_;
  NumberEntry season_, half_life_;
  std::array<CheckBox, 3> leagues_;
  std::string history_text_;
  bool has_report_ = false;
  EvaluationReport report_;
  std::vector<std::vector<std::string>> score_rows_;
  std::vector<std::string> lines_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MODEL_WINDOW_H_
