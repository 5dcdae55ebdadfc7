#include "ui/analysis_window.h"

#include <algorithm>
#include <numeric>

#include "analysis/document_singles.h"
#include "core/single_number.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "frmAnalysis";

std::string Percent(double share) { return FormatNumber(share * 100, "0.00") + "%"; }

// "1-0-2-0-1": the outcomes of matches 1 to 5.
std::string Outcomes(int single) {
  std::string text;
  for (int m = 0; m < kMatches; ++m) {
    if (m) text += "-";
    text += std::to_string(OutcomeOf(single, m));
  }
  return text;
}

}  // namespace

frmAnalysis::frmAnalysis()
    : results_option_({"削減後のシングルに対して", "全243通りに対して"}),
      grade_option_({"２等保証（1試合違いまで）", "３等保証（2試合違いまで）"}),
      form_option_({"百分率", "オッズ"}) {
  // A minimum belongs to the results and the grade it was computed for.
  results_option_.on_change = [this] {
    ClearMinimum();
    Recompute();
  };
  grade_option_.on_change = [this] { ClearMinimum(); };
  coverage_.Resize(7, 3);
  coverage_.SetColWidth(1, 96);
  coverage_.SetColWidth(2, 70);
  coverage_.SetColWidth(3, 70);
  coverage_.SetText(1, 1, "的中数");
  coverage_.SetText(1, 2, "結果の数");
  coverage_.SetText(1, 3, "比率");
  coverage_.SetRowBack(1, kColorButtonFace);
  for (int k = 5; k >= 0; --k) coverage_.SetText(7 - k, 1, std::to_string(k) + "試合的中");
  coverage_.SetColAlign(2, Align::kRight);
  coverage_.SetColAlign(3, Align::kRight);

  chances_.Resize(4, 2);
  chances_.SetColWidth(1, 160);
  chances_.SetColWidth(2, 90);
  static const char* const kRows[] = {"１等（5試合的中）", "4試合以上的中", "3試合以上的中",
                                      "期待払戻（100円あたり）"};
  for (int r = 1; r <= 4; ++r) {
    chances_.SetText(r, 1, kRows[r - 1]);
    chances_.SetBack(r, 1, kColorButtonFace);
    chances_.SetAlign(r, 2, Align::kRight);
  }

  values_.Resize(1, 5);
  static const char* const kHeads[] = {"シングル", "口数", "確率", "推定金額", "期待値(円)"};
  static const int kWidths[] = {90, 50, 80, 100, 80};
  for (int c = 1; c <= 5; ++c) {
    values_.SetText(1, c, kHeads[c - 1]);
    values_.SetColWidth(c, kWidths[c - 1]);
  }
  values_.SetRowBack(1, kColorButtonFace);
}

void frmAnalysis::SetDocument(const DocumentRecord& doc) {
  try {
    doc_ = doc;
    doc_.SingleData.resize(std::min<size_t>(doc_.SingleData.size(),
                                            static_cast<size_t>(std::max(doc_.SingleCount, 0))));
    reduced_ = ReducedSingles(doc_);
    // The document's own probabilities come first; 投票率で計算 goes back to
    // the public's.
    own_.reset();
    if (doc_.OwnProbs.set) {
      own_ = doc_.OwnProbs.p;
      own_source_ = "文書の自分の確率";
    }
    ClearMinimum();
    Recompute();
  } catch (const std::exception& e) {
    ReportException(kClass, "SetDocument", e);
  }
}

std::vector<int> frmAnalysis::Results() const {
  if (results_option_.Index() == 0) return reduced_;
  std::vector<int> all(kSingles);
  std::iota(all.begin(), all.end(), 0);
  return all;
}

void frmAnalysis::Recompute() {
  try {
    coverage_report_ = AnalyseCoverage(doc_.SingleData, Results());
    ShowCoverage();
    ShowChances();
  } catch (const std::exception& e) {
    ReportException(kClass, "Recompute", e);
  }
}

void frmAnalysis::ShowCoverage() {
  const CoverageReport& r = coverage_report_;
  for (int k = 5; k >= 0; --k) {
    const int row = 7 - k;
    coverage_.SetText(row, 2, FormatNumber(static_cast<int64_t>(r.right[k]), "#,##0"));
    coverage_.SetText(row, 3, r.results ? Percent(static_cast<double>(r.right[k]) / r.results) : "");
  }
  coverage_.Refresh();
  summary_ = "購入 " + FormatNumber(r.tickets, "#,##0") + "口（" +
             FormatNumber(static_cast<int64_t>(r.bought_distinct), "#,##0") + "通り）、結果 " +
             FormatNumber(static_cast<int64_t>(r.results), "#,##0") + "通り";
  if (r.worst_right >= 0) {
    summary_ += "　最悪でも " + std::to_string(r.worst_right) + "試合的中　２等圏外 " +
                std::to_string(r.outside_grade2.size()) + "通り　３等圏外 " +
                std::to_string(r.outside_grade3.size()) + "通り";
  }
}

void frmAnalysis::ClearMinimum() {
  minimum_text_.clear();
  minimum_singles_.clear();
}

std::string frmAnalysis::MinimumSinglesText() const {
  std::string text;
  for (size_t i = 0; i < minimum_singles_.size(); ++i) {
    if (i) text += i % 5 == 0 ? "\n" : "　";
    text += Outcomes(minimum_singles_[i]);
  }
  return text;
}

bool frmAnalysis::TakeMinimum() {
  try {
    if (!TakeMinimumEnabled()) return false;
    const std::vector<int> singles = minimum_singles_;
    if (platform().MessageBox("現在のシングル（" + std::to_string(doc_.SingleData.size()) +
                                  "口）を最小口数のシングル（" + std::to_string(singles.size()) +
                                  "口）に置き換えますか？",
                              kTitle, MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    on_take_singles(singles);
    doc_.SingleData = singles;
    doc_.SingleCount = static_cast<int>(singles.size());
    ClearMinimum();
    Recompute();
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "cmdTake_Click", e);
    return false;
  }
}

bool frmAnalysis::LoadProbabilities() {
  try {
    const bool odds = form_option_.Index() == 1;
    FileDialogRequest request;
    request.title = odds ? "オッズのファイルを開く" : "確率のファイルを開く";
    request.filter = "CSVファイル(*.csv)";
    request.default_ext = "csv";
    const std::string path = platform().OpenFileDialog(request);
    if (path.empty()) return false;
    std::string text;
    if (!ReadTextFile(path, text, false)) {
      platform().MessageBox(
          "ファイルを読み込めませんでした。\r\n" + path + "\r\n" + UnreadableFileReason(path),
          kTitle, MsgIcon::kWarning);
      return false;
    }
    const ProbabilityParse parse =
        ParseProbabilities(text, odds ? ProbabilityForm::kOdds : ProbabilityForm::kPercent);
    if (!parse.ok) {
      // Five lines home,draw,away; the detail names the line and the value.
      platform().MessageBox(
          "確率のファイルではありません（1試合1行、ホーム,引分,アウェイ の5行）。\r\n" + path +
              (parse.line > 0 ? "（" + std::to_string(parse.line) + "行目）" : std::string()) +
              "\r\n" + parse.error,
          kTitle, MsgIcon::kWarning);
      return false;
    }
    own_ = parse.p;
    own_source_ = FileNamePart(path) + (odds ? " のオッズ（控除率を除く）" : " の確率");
    Recompute();
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "cmdProbabilities_Click", e);
    return false;
  }
}

void frmAnalysis::UseVoteRates() {
  own_.reset();
  own_source_.clear();
  Recompute();
}

OutcomeProbabilities frmAnalysis::OfficialShares() const {
  OutcomeProbabilities p{};
  std::string error;
  ProbabilitiesFromVote(doc_.Vote, p, error);
  return p;
}

void frmAnalysis::ShowChances() {
  OutcomeProbabilities p{};
  std::string error;
  chances_report_ = ChancesReport();
  values_.Resize(1, 5);
  const bool have_vote = doc_.Vote.Kaisaikai > 0 && ProbabilitiesFromVote(doc_.Vote, p, error);
  if (own_) p = *own_;
  if (!own_ && !have_vote) {
    chances_note_ = "投票状況がないため、確率は計算できません";
    for (int r = 1; r <= 4; ++r) chances_.SetText(r, 2, "");
    chances_.Refresh();
    values_.Refresh();
    return;
  }
  // The payout estimate needs the vote counts, whoever gives the chances.
  clsTMoney money;
  if (have_vote) money.SetVote(doc_.Vote);
  chances_report_ = AnalyseChances(doc_.SingleData, p, have_vote ? &money : nullptr);
  const ChancesReport& c = chances_report_;
  chances_note_ =
      own_ ? "確率は " + own_source_ + "から求めています" : "確率は投票率から求めています";
  chances_.SetText(1, 2, Percent(c.win));
  chances_.SetText(2, 2, Percent(c.at_least4));
  chances_.SetText(3, 2, Percent(c.at_least3));
  chances_.SetText(4, 2, c.has_payout ? FormatNumber(c.per_100, "#,##0.00") + "円" : "");
  chances_.Refresh();

  std::vector<SingleChance> rows = c.singles;
  std::sort(rows.begin(), rows.end(),
            [](const SingleChance& a, const SingleChance& b) { return a.value > b.value; });
  // Own probabilities against the public's: the value ratio of each single.
  const bool ratio = own_ && have_vote;
  const OutcomeProbabilities official = ratio ? OfficialShares() : OutcomeProbabilities{};
  const int cols = ratio ? 6 : 5;
  values_.Resize(static_cast<int>(rows.size()) + 1, cols);
  if (ratio) {
    values_.SetText(1, 6, "確率比");
    values_.SetColWidth(6, 60);
    values_.SetBack(1, 6, kColorButtonFace);
  }
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const SingleChance& s = rows[i];
    const int r = i + 2;
    values_.SetText(r, 1, Outcomes(s.single));
    values_.SetText(r, 2, FormatNumber(s.tickets, "#,##0"));
    values_.SetText(r, 3, Percent(s.probability));
    values_.SetText(r, 4, s.payout > 0 ? FormatNumber(s.payout, "#,##0") : "");
    values_.SetText(r, 5, FormatNumber(s.value, "#,##0.00"));
    if (ratio) {
      const double share = ResultProbability(official, s.single);
      values_.SetText(r, 6, share > 0 ? FormatNumber(s.probability / share, "0.00") : "");
    }
    for (int col = 2; col <= cols; ++col) values_.SetAlign(r, col, Align::kRight);
  }
  values_.Refresh();
}

void frmAnalysis::ComputeMinimum(double seconds) {
  try {
    MinimumRequest request;
    request.targets = Results();
    request.grade = grade_option_.Index() == 0 ? 2 : 3;
    request.time_limit = seconds;
    request.reference = doc_.SingleData;
    platform().SetBusyCursor(true);
    ClearMinimum();
    MinimumResult r = FindMinimum(request);
    platform().SetBusyCursor(false);
    minimum_singles_ = r.singles;
    switch (r.status) {
      case MinimumStatus::kProven:
        minimum_text_ = "最小口数：" + std::to_string(r.best) + "口（証明済み）";
        break;
      case MinimumStatus::kLimitReached:
        minimum_text_ = "最小口数：" + std::to_string(r.lower_bound) + "口以上、" +
                        std::to_string(r.best) + "口以下（時間切れ）";
        break;
      case MinimumStatus::kNotBuiltIn:
        minimum_text_ = "この版には最小口数の計算が組み込まれていません";
        return;
      case MinimumStatus::kFailed:
        minimum_text_ = "最小口数を計算できませんでした";
        return;
    }
    switch (r.reference) {
      case ReferenceVerdict::kOptimal: minimum_text_ += "　現在のシングルは最小です"; break;
      case ReferenceVerdict::kNotOptimal:
        minimum_text_ += "　現在のシングル（" + std::to_string(r.reference_size) +
                         "口）より少なくできます";
        break;
      case ReferenceVerdict::kNotCovering:
        minimum_text_ += "　現在のシングルは保証を満たしていません（圏外 " +
                         std::to_string(r.reference_missed) + "通り）";
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    platform().SetBusyCursor(false);
    ReportException(kClass, "ComputeMinimum", e);
  }
}

}  // namespace zelvo
