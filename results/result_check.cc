#include "results/result_check.h"

#include <algorithm>

#include "core/single_number.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/sort.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsTResult";
constexpr int kWaitThreshold = 10001;
constexpr int kYieldInterval = 1001;
constexpr const char* kWaitMessage = "シングル構成の解析中";

// The group names a file, so only plain letters and digits may reach the
// path: a damaged document must not point the file at another folder.
bool IsPlainKumi(const std::string& kumi) {
  return std::all_of(kumi.begin(), kumi.end(), [](unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

// Closes the wait dialog on every way out of the decoding loop.
class WaitScope {
 public:
  WaitScope(bool open, int64_t max) : open_(open) {
    if (open_) platform().WaitBegin(kWaitMessage, max);
  }
  ~WaitScope() {
    if (open_) platform().WaitEnd();
  }
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;

 private:
  bool open_;
};

}  // namespace

void clsTResult::Initialize() {
  multi_.Initialize();
  grade_panel_.Initialize();
  grid_panel_.Initialize();
  kakutei_.Initialize();
  multi_.Change = [this](bool click) { OnMarksChange(click); };
  ready_ = true;
  UpdateLabels();
}

bool clsTResult::CheckReady(const char* proc) {
  if (!ready_) ReportNotInitialized(kClassName, proc);
  return ready_;
}

Color clsTResult::imgResult(int index) const {
  const auto& legend = clsTResultGrid::SetColorImage();
  return index >= 0 && index < static_cast<int>(legend.size()) ? legend[index] : kColorWhite;
}

std::string clsTResult::ResultTempPath(int kaisaikai, const std::string& kumi) {
  if (!IsPlainKumi(kumi)) return {};
  std::string name = "SysData\\Temp\\Zelvomini_Result_" +
                     FormatNumber(static_cast<int64_t>(kaisaikai), "000") +
                     (kumi.empty() ? "" : "_" + kumi) + ".dat";
  return ResolveProgramPath(name);
}

void clsTResult::SetResultData(int kaisaikai, const std::string& kumi, const ResultRecord& record,
                               bool show_all) {
  if (!CheckReady("SetResultData")) return;
  try {
    kaisaikai_ = kaisaikai;
    kumi_ = kumi;
    official_ = record.Kaisaikai > 0;
    result_ = record;
    multi_.SetResult(record);
    revealed_ = 0;
    BuildMarks(show_all ? Reveal::kAll : Reveal::kNone);
  } catch (const std::exception& e) {
    ReportException(kClassName, "SetResultData", e);
  }
}

void clsTResult::SetNextData() {
  if (!CheckReady("SetNextData")) return;
  try {
    if (!official_) return;
    // The marks may already read the same (the user marked the outcomes);
    // the newly revealed match must still be evaluated, prize table included.
    if (!BuildMarks(Reveal::kNext)) {
      Evaluate(revealed_ == 5);
      ShowPage(page_);
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "SetNextData", e);
  }
}

void clsTResult::SetAlltData() {
  if (!CheckReady("SetAlltData")) return;
  try {
    if (!official_) return;
    if (!BuildMarks(Reveal::kAll)) {
      Evaluate(true);
      ShowPage(page_);
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "SetAlltData", e);
  }
}

bool clsTResult::BuildMarks(Reveal mode) {
  ResultMarks marks{};
  std::string path = ResultTempPath(kaisaikai_, kumi_);
  if (!path.empty() && FileExists(path)) {
    if (official_) {
      RemoveFile(path);
    } else {
      LoadResultTemp(marks);
    }
  }
  if (official_) {
    int reveal = 0;
    switch (mode) {
      case Reveal::kNone:
        reveal = 0;
        break;
      case Reveal::kNext:
        reveal = std::min(revealed_ + 1, 5);
        revealed_ = reveal;
        break;
      case Reveal::kAll:
        reveal = 5;
        revealed_ = 5;
        break;
    }
    for (int m = 0; m < reveal; ++m) {
      int o = result_.matches[m].result;
      if (o >= 0 && o <= 2) {
        marks[m][o] = kMarkOfficial;
      } else if (o == kResultCancelled) {
        marks[m].fill(kMarkCancelled);
      }
    }
  }
  int changes_before = change_count_;
  multi_.SetValue(marks);
  return change_count_ != changes_before;
}

void clsTResult::OnMarksChange(bool click) {
  ++change_count_;
  Evaluate(revealed_ == 5);
  ShowPage(page_);
  if (click) SaveResultTemp();
}

void clsTResult::SetSingle(int count, std::span<const int> singles) {
  if (!CheckReady("SetSingle")) return;
  try {
    if (count < 0 || static_cast<size_t>(count) > singles.size()) throw RuntimeError(kErrSubscript);
    std::vector<uint8_t> digits(static_cast<size_t>(count) * kMatches);
    {
      WaitScope wait(count >= kWaitThreshold, count - 1);
      for (int i = 0; i < count; ++i) {
        int single = singles[i];
        if (single < 0 || single >= kSingles) throw RuntimeError(kErrSubscript);
        for (int m = 0; m < kMatches; ++m) {
          digits[static_cast<size_t>(m) * count + i] = static_cast<uint8_t>(OutcomeOf(single, m));
        }
        if ((i + 1) % kYieldInterval == 0) {
          if (count >= kWaitThreshold) platform().WaitProgress(kWaitMessage, count - 1, i);
          platform().Yield();
        }
      }
    }
    count_ = count;
    digits_ = std::move(digits);
    grades_.assign(count, 0);
    single_count_label_ = FormatNumber(static_cast<int64_t>(count), "#,##0");
    last_page_ = count > 0 ? (count - 1) / 10 : 0;
    Evaluate(true);
    ShowPage(0);
  } catch (const std::exception& e) {
    ReportException(kClassName, "SetSingle_Sub", e);
  }
}

void clsTResult::Evaluate(bool with_prize_table) {
  const ResultMarks& marks = multi_.GetValue();
  hits_ = marks;
  for (auto& match : hits_) {
    if (match[0] == 0 && match[1] == 0 && match[2] == 0) match.fill(kHitUndecided);
  }
  std::array<int, 6> counts{};
  for (int i = 0; i < count_; ++i) {
    int right = 0;
    for (int m = 0; m < kMatches; ++m) {
      if (hits_[m][digits_[static_cast<size_t>(m) * count_ + i]] != 0) ++right;
    }
    int grade = 6 - right;
    grades_[i] = static_cast<uint8_t>(grade);
    ++counts[grade - 1];
  }
  grade_counts_ = counts;
  grade_panel_.SetValue(counts, kaisaikai_);
  if (with_prize_table) {
    if (DecidedCount() == 5) {
      kakutei_.SetResult(result_);
      kakutei_.SetValue(counts);
    } else {
      kakutei_.Clear();
    }
  }
  if (count_panel_) {
    count_panel_->SetColor(multi_.GetVisible());
    count_panel_->Refresh();
  }
}

int clsTResult::DecidedCount() const {
  int decided = 0;
  for (const auto& match : multi_.GetValue()) {
    if (std::any_of(match.begin(), match.end(),
                    [](int v) { return v == kMarkOfficial || v == kMarkCancelled; })) {
      ++decided;
    }
  }
  return decided;
}

void clsTResult::ShowPage(int page) {
  page_ = std::clamp(page, 0, last_page_);
  for (int row = 0; row < clsTResultGrid::kRows; ++row) {
    int index = page_ * 10 + row;
    if (index >= count_) {
      grid_panel_.SetClear(row);
      continue;
    }
    std::array<uint8_t, 5> digits;
    std::array<int, 5> hits;
    for (int m = 0; m < kMatches; ++m) {
      digits[m] = digits_[static_cast<size_t>(m) * count_ + index];
      hits[m] = hits_[m][digits[m]];
    }
    grid_panel_.SetValue(row, digits, grades_[index], hits, kaisaikai_);
  }
  grid_panel_.Refresh();
  UpdateLabels();
}

void clsTResult::MovePrevious() {
  if (page_ > 0) ShowPage(page_ - 1);
}

void clsTResult::MoveNext() {
  if (page_ < last_page_) ShowPage(page_ + 1);
}

void clsTResult::UpdateLabels() {
  page_label_ = std::to_string(page_ + 1) + "／" + std::to_string(last_page_ + 1);
  previous_enabled_ = page_ > 0;
  next_enabled_ = page_ < last_page_;
  if (on_view_changed) on_view_changed();
}

void clsTResult::GradeSort(std::vector<int>& singles, bool sorted) {
  if (!CheckReady("GradeSort")) return;
  try {
    if (singles.size() != static_cast<size_t>(count_)) {
      ReportError(kClassName, "GradeSort_Sub", "シングル数が一致しません");
      return;
    }
    if (count_ < 2) return;
    std::vector<uint8_t> keys = grades_;
    std::vector<int> order(count_);
    for (int i = 0; i < count_; ++i) order[i] = i;
    QuickSortIndex(keys.data(), order.data(), 0, count_ - 1, sorted);
    std::vector<int> out(count_);
    for (int i = 0; i < count_; ++i) out[i] = singles[order[i]];
    singles = std::move(out);
  } catch (const std::exception& e) {
    ReportException(kClassName, "GradeSort_Sub", e);
  }
}

void clsTResult::SetPopup(int index) {
  if (!CheckReady("SetPopup")) return;
  multi_.SetPopup(index);
}

void clsTResult::Clear() {
  if (!CheckReady("Clear")) return;
  try {
    official_ = false;
    result_ = ResultRecord();
    revealed_ = 0;
    multi_.SetResult(result_);
    count_ = 0;
    digits_.clear();
    grades_.clear();
    grade_counts_.fill(0);
    hits_ = {};
    page_ = 0;
    last_page_ = 0;
    single_count_label_ = "0";
    multi_.Clear();
    grade_panel_.Clear();
    grid_panel_.Clear();
    kakutei_.Clear();
    if (count_panel_) {
      count_panel_->SetValue(FrameTable{});
      count_panel_->SetColor(ResultFlags{});
      count_panel_->Refresh();
    }
    UpdateLabels();
  } catch (const std::exception& e) {
    ReportException(kClassName, "Clear", e);
  }
}

void clsTResult::SetSingleFrame(const FrameTable& value, bool visible) {
  if (!count_panel_) return;
  count_panel_->SetValue(value);
  count_panel_->SetVisible(visible);
}

void clsTResult::CountPanelClicked(bool percent) {
  if (!percent && count_panel_) count_panel_->SetVisible(false);
}

bool clsTResult::LoadResultTemp(ResultMarks& marks) {
  ResultMarks read{};
  try {
    std::string text;
    if (!ReadTextFile(ResultTempPath(kaisaikai_, kumi_), text, false)) return false;
    std::vector<std::string> lines = Split(text, "\n");
    if (lines.size() < 5) throw RuntimeError(kErrSubscript);
    for (int m = 0; m < 5; ++m) {
      std::string line = lines[m];
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> fields = Split(line, ",");
      if (fields.size() < 3) throw RuntimeError(kErrSubscript);
      for (int o = 0; o < 3; ++o) {
        if (!ConvertToLong(fields[o], read[m][o])) throw RuntimeError(kErrTypeMismatch);
      }
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "LoadResultTemp", e);
    return false;
  }
  marks = read;
  return true;
}

void clsTResult::SaveResultTemp() {
  if (official_ || kaisaikai_ < kFirstSavedRound) return;
  std::string path = ResultTempPath(kaisaikai_, kumi_);
  if (path.empty()) return;
  const ResultMarks& marks = multi_.GetValue();
  std::string text;
  for (const auto& match : marks) {
    text += std::to_string(match[0]) + "," + std::to_string(match[1]) + "," +
            std::to_string(match[2]) + "\r\n";
  }
  WriteTextFile(path, text);
}

}  // namespace zelvo
