// The result screen: checks the document's singles against the round's
// result, official or entered by hand.
#ifndef ZELVOMINI_RESULTS_RESULT_CHECK_H_
#define ZELVOMINI_RESULTS_RESULT_CHECK_H_

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "official/result_record.h"
#include "results/prize_table.h"
#include "results/result_panels.h"

namespace zelvo {

class clsTResult {
 public:
  // What the screen needs of its count panel (the statistics count panel of
  // the window); the window hands in an adapter over its own panel.
  class CountPanel {
   public:
    virtual ~CountPanel() = default;
    // The singles' distribution, [outcome code][match] as the document keeps it.
    virtual void SetValue(const FrameTable& counts) = 0;
    // Cells of the marked outcomes, [match][outcome code].
    virtual void SetColor(const ResultFlags& coloured) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void Refresh() = 0;
  };

  // Sets up the panels.  The screen's grids are the panels' own models; the
  // estimate picture of the window is not used here.
  void Initialize();
  bool Ready() const { return ready_; }
  // Not owned; may be null (no count panel shown).
  void SetCountPanel(CountPanel* panel) { count_panel_ = panel; }

  void SetResultData(int kaisaikai, const std::string& kumi, const ResultRecord& record,
                     bool show_all);
  void SetSingle(int count, std::span<const int> singles);
  void SetNextData();
  void SetAlltData();
  bool FullResult() const { return revealed_ >= 5; }
  // Reorders the caller's singles by grade (ascending when `sorted`).
  void GradeSort(std::vector<int>& singles, bool sorted);
  void SetPopup(int index);
  void Clear();
  void SetSingleFrame(const FrameTable& value, bool visible);
  // The count panel was clicked; turning its percent mode off hides it.
  void CountPanelClicked(bool percent);

  // Arrow clicks (a double click is one more click).
  void MovePrevious();
  void MoveNext();
  void ShowPage(int page);

  // What the labels and arrow pictures show.
  const std::string& SingleCountLabel() const { return single_count_label_; }
  const std::string& PageLabel() const { return page_label_; }
  bool MovePreviousEnabled() const { return previous_enabled_; }
  bool MoveNextEnabled() const { return next_enabled_; }
  // imgResult 0-3.
  Color imgResult(int index) const;
  // Labels or arrows changed.
  std::function<void()> on_view_changed;

  clsTMultiResult& MultiResult() { return multi_; }
  clsTResultGrade& ResultGrade() { return grade_panel_; }
  clsTResultGrid& ResultGrid() { return grid_panel_; }
  clsTResultKakutei& Kakutei() { return kakutei_; }

  int Kaisaikai() const { return kaisaikai_; }
  const std::string& Kumi() const { return kumi_; }
  bool Official() const { return official_; }
  int RevealedCount() const { return revealed_; }
  int SingleCount() const { return count_; }
  int Page() const { return page_; }
  int LastPage() const { return last_page_; }
  const std::array<int, 6>& GradeCounts() const { return grade_counts_; }
  // Grade 1 (all five right) to 6 of the i-th single given to SetSingle.
  int Grade(int index) const { return grades_.at(index); }
  const ResultMarks& HitTable() const { return hits_; }
  // Matches whose result is known (an official or agreeing mark, or cancelled).
  int DecidedCount() const;

  // SysData\Temp\Zelvomini_Result_005_A.dat under the program folder.
  static std::string ResultTempPath(int kaisaikai, const std::string& kumi);
  // The first round whose provisional marks are kept in a file.
  static constexpr int kFirstSavedRound = 195;

 private:
  enum class Reveal { kNone, kNext, kAll };

  bool CheckReady(const char* proc);
  // True when the marks panel reported the new table as a change.
  bool BuildMarks(Reveal mode);
  void OnMarksChange(bool click);
  void Evaluate(bool with_prize_table);
  void UpdateLabels();
  bool LoadResultTemp(ResultMarks& marks);
  void SaveResultTemp();

  bool ready_ = false;
  clsTMultiResult multi_;
  clsTResultGrade grade_panel_;
  clsTResultGrid grid_panel_;
  clsTResultKakutei kakutei_;
  CountPanel* count_panel_ = nullptr;

  int kaisaikai_ = 0;
  std::string kumi_;
  bool official_ = false;
  ResultRecord result_;
  int revealed_ = 0;
  int change_count_ = 0;

  int count_ = 0;
  // The outcome digits of the singles, match-major: digits_[m * count_ + i].
  std::vector<uint8_t> digits_;
  std::vector<uint8_t> grades_;
  std::array<int, 6> grade_counts_{};
  ResultMarks hits_{};
  int page_ = 0;
  int last_page_ = 0;

  std::string single_count_label_ = "0";
  std::string page_label_ = "1／1";
  bool previous_enabled_ = false;
  bool next_enabled_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_RESULTS_RESULT_CHECK_H_
