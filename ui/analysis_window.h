// The purchase analysis window (ツール → 購入の分析): how the current singles
// fare over the possible results (matches right, the results left outside
// grade-2 and grade-3 reach), their chances and expected return from the
// vote rates, and the proven minimum number of singles for the guarantee.
#ifndef ZELVOMINI_UI_ANALYSIS_WINDOW_H_
#define ZELVOMINI_UI_ANALYSIS_WINDOW_H_

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/chances.h"
#include "analysis/coverage.h"
#include "analysis/minimum.h"
#include "files/document_record.h"
#include "support/grid.h"
#include "ui/option_group.h"

namespace zelvo {

class frmAnalysis {
 public:
  static constexpr const char* kTitle = "購入の分析";
  static constexpr int kValueRows = 243;

  frmAnalysis();

  // Takes the window's document and computes the report (the reduction is
  // run again for the results the document keeps).
  void SetDocument(const DocumentRecord& doc);
  // The results the purchase is measured against: 0 the reduced singles,
  // 1 all 243.  Recomputes, and drops a minimum computed for the others.
  OptionGroup& ResultsOption() { return results_option_; }
  // Grade of the minimum: 0 grade 2, 1 grade 3.  A change drops the minimum.
  OptionGroup& GradeOption() { return grade_option_; }
  // The "最小口数を計算" button: the exact minimum with a time limit.
  void ComputeMinimum(double seconds = 10);
  // The singles of the minimum found, "1-0-2-0-1" each; empty without one.
  const std::vector<int>& MinimumSingles() const { return minimum_singles_; }
  std::string MinimumSinglesText() const;
  bool TakeMinimumEnabled() const { return !minimum_singles_.empty() && on_take_singles; }
  // "このシングルに置き換える": after the user's yes, the minimum's singles
  // replace the document's through on_take_singles, and the report is made
  // anew for them.
  bool TakeMinimum();
  // The document's singles are replaced by these (the main window's).
  std::function<void(const std::vector<int>&)> on_take_singles;

  // The user's own probabilities instead of the vote rates: a file of five
  // lines home,draw,away, percentages or (option 1) decimal odds.
  OptionGroup& ProbabilityFormOption() { return form_option_; }
  bool LoadProbabilities();
  // Back to the vote rates.
  void UseVoteRates();
  bool OwnProbabilities() const { return own_.has_value(); }

  // 6 x 3: matches right 5 to 0, the number of results and their share.
  Grid& CoverageGrid() { return coverage_; }
  // 4 x 2: win, four or more, three or more, expected return per 100 yen.
  Grid& ChancesGrid() { return chances_; }
  // One row per different bought single, highest expected value first.
  Grid& ValueGrid() { return values_; }
  const std::string& Summary() const { return summary_; }
  const std::string& ChancesNote() const { return chances_note_; }
  const std::string& MinimumText() const { return minimum_text_; }
  const CoverageReport& Coverage() const { return coverage_report_; }
  const ChancesReport& Chances() const { return chances_report_; }

 private:
  // The results chosen by the results option.
  std::vector<int> Results() const;
  void Recompute();
  void ShowCoverage();
  void ShowChances();
  void ClearMinimum();

  DocumentRecord doc_;
  std::vector<int> reduced_;
  OptionGroup results_option_;
  OptionGroup grade_option_;
  OptionGroup form_option_;
  // The vote rates as fractions, for the value ratio.
  OutcomeProbabilities OfficialShares() const;
  std::optional<OutcomeProbabilities> own_;
  std::string own_source_;
  std::vector<int> minimum_singles_;
  Grid coverage_, chances_, values_;
  CoverageReport coverage_report_;
  ChancesReport chances_report_;
  std::string summary_, chances_note_, minimum_text_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ANALYSIS_WINDOW_H_
