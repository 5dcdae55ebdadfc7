// The purchase analysis window (ツール → 購入の分析): how the current singles
// fare over the possible results (matches right, the results left outside
// grade-2 and grade-3 reach), their chances and expected return from the
// vote rates, and the proven minimum number of singles for the guarantee.
#ifndef ZELVOMINI_UI_ANALYSIS_WINDOW_H_
#define ZELVOMINI_UI_ANALYSIS_WINDOW_H_

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
  // 1 all 243.  Recomputes.
  OptionGroup& ResultsOption() { return results_option_; }
  // Grade of the minimum: 0 grade 2, 1 grade 3.
  OptionGroup& GradeOption() { return grade_option_; }
  // The "最小口数を計算" button: the exact minimum with a time limit.
  void ComputeMinimum(double seconds = 10);

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

  DocumentRecord doc_;
  std::vector<int> reduced_;
  OptionGroup results_option_;
  OptionGroup grade_option_;
  Grid coverage_, chances_, values_;
  CoverageReport coverage_report_;
  ChancesReport chances_report_;
  std::string summary_, chances_note_, minimum_text_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ANALYSIS_WINDOW_H_
