#include "results/result_panels.h"

#include "core/toto_rules.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/platform.h"

namespace zelvo {

// ---- clsTMultiResult --------------------------------------------------------

void clsTMultiResult::Initialize() {
  grid_.Resize(6, 3);
  grid_.SetRowBack(1, kColorButtonFace);
  for (int c = 1; c <= 3; ++c) grid_.SetText(1, c, std::to_string(kOutcomeOfColumn[c - 1]));
  grid_.on_click = [this](const GridClick& click) { OnClick(click); };
  Clear();
}

std::string clsTMultiResult::MarkText(int mark) {
  switch (mark) {
    case kMarkOfficial:
      return "◎";
    case kMarkProvisional:
      return "○";
    case kMarkCancelled:
      return "－";
    default:
      return "";
  }
}

void clsTMultiResult::Clear() {
  marks_ = {};
  reported_ = {};
  popup_match_ = -1;
  Draw();
}

void clsTMultiResult::SetValue(const ResultMarks& marks) {
  marks_ = marks;
  Draw();
  ReportIfChanged(false);
}

ResultFlags clsTMultiResult::GetVisible() const {
  ResultFlags flags{};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) flags[m][o] = marks_[m][o] > 0;
  }
  return flags;
}

void clsTMultiResult::SetPopup(int index) {
  if (index != 0 || popup_match_ < 0 || popup_match_ > 4) return;
  marks_[popup_match_].fill(kMarkCancelled);
  Draw();
  ReportIfChanged(true);
}

void clsTMultiResult::OnClick(const GridClick& click) {
  try {
    if (click.row < 2 || click.row > 6 || click.col < 1 || click.col > 3) return;
    int match = click.row - 2;
    if (click.button == MouseButton::kRight) {
      popup_match_ = match;
      MenuEntry cancel;
      cancel.text = "中止";
      int choice = platform().PopupMenu("", {cancel});
      if (choice >= 0) SetPopup(choice);
      return;
    }
    if (click.button != MouseButton::kLeft) return;
    int outcome = kOutcomeOfColumn[click.col - 1];
    int previous = marks_[match][outcome];
    marks_[match].fill(kMarkNone);
    if (previous == kMarkNone) {
      bool official = record_.Kaisaikai > 0 && record_.matches[match].result == outcome;
      marks_[match][outcome] = official ? kMarkOfficial : kMarkProvisional;
    }
    Draw();
    ReportIfChanged(true);
  } catch (const std::exception& e) {
    ReportException("clsTMultiResult", "Grid_Click", e);
  }
}

void clsTMultiResult::Draw() {
  if (grid_.Rows() != 6) return;
  for (int m = 0; m < 5; ++m) {
    for (int c = 1; c <= 3; ++c)
      grid_.SetText(m + 2, c, MarkText(marks_[m][kOutcomeOfColumn[c - 1]]));
  }
  grid_.Refresh();
}

void clsTMultiResult::ReportIfChanged(bool click) {
  if (marks_ == reported_) return;
  reported_ = marks_;
  if (Change) Change(click);
}

// ---- clsTResultGrade --------------------------------------------------------

void clsTResultGrade::Initialize() {
  grid_.Resize(7, 3);
  // Wide enough for "1,000,000" singles and a share of "100%".
  grid_.SetColWidth(1, 30);
  grid_.SetColWidth(2, 60);
  grid_.SetColWidth(3, 40);
  grid_.SetRowBack(1, kColorButtonFace);
  grid_.SetText(1, 2, "口数");
  grid_.SetText(1, 3, "比率");
  for (int r = 2; r <= 7; ++r) {
    grid_.SetText(r, 1, std::to_string(r - 1) + "等");
    grid_.SetAlign(r, 2, Align::kRight);
    grid_.SetAlign(r, 3, Align::kRight);
  }
  Clear();
}

void clsTResultGrade::Clear() {
  if (grid_.Rows() != 7) return;
  for (int r = 2; r <= 7; ++r) {
    grid_.SetText(r, 2, "");
    grid_.SetText(r, 3, "");
  }
  grid_.Refresh();
}

void clsTResultGrade::SetValue(const std::array<int, 6>& counts, int kaisaikai) {
  if (grid_.Rows() != 7) return;
  int64_t total = 0;
  for (int c : counts) total += c;
  int max_grade = totoRules().GetMaxGrade(kaisaikai);
  for (int g = 1; g <= 6; ++g) {
    int r = g + 1;
    int64_t count = counts[g - 1];
    grid_.SetText(r, 2, FormatNumber(count, "#,##0"));
    double share = total == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(total) * 100;
    grid_.SetText(r, 3, FormatNumber(share, "##0") + "%");
    Color fore = g <= max_grade ? kColorBlue : kColorBlack;
    for (int c = 1; c <= 3; ++c) grid_.SetFore(r, c, fore);
  }
  grid_.Refresh();
}

// ---- clsTResultGrid ---------------------------------------------------------

void clsTResultGrid::Initialize() {
  grid_.Resize(kRows, 6);
  header_.Resize(1, 6);
  static const char* const kHeaders[] = {"第1", "第2", "第3", "第4", "第5", "等級"};
  for (int c = 1; c <= 6; ++c) {
    header_.SetText(1, c, kHeaders[c - 1]);
    header_.SetBack(1, c, kColorButtonFace);
  }
  header_.Refresh();
  Clear();
}

const std::array<Color, 4>& clsTResultGrid::SetColorImage() {
  static const std::array<Color, 4> kLegend = {kColorBlue, kColorYellow, kColorRed, kColorGreen};
  return kLegend;
}

Color clsTResultGrid::HitColor(int hit) {
  switch (hit) {
    case 0:
      return kColorRed;
    case kMarkOfficial:
    case kMarkProvisional:
      return kColorBlue;
    case kMarkCancelled:
      return kColorYellow;
    default:
      return kColorWhite;
  }
}

void clsTResultGrid::Clear() {
  for (int row = 0; row < kRows; ++row) SetClear(row);
  grid_.Refresh();
}

void clsTResultGrid::SetClear(int row) {
  if (row < 0 || row >= grid_.Rows()) return;
  for (int c = 1; c <= grid_.Cols(); ++c) {
    grid_.SetText(row + 1, c, "");
    grid_.SetBack(row + 1, c, kColorWhite);
  }
}

void clsTResultGrid::SetValue(int row, const std::array<uint8_t, 5>& digits, int grade,
                              const std::array<int, 5>& hits, int kaisaikai) {
  if (row < 0 || row >= grid_.Rows()) return;
  for (int m = 0; m < 5; ++m) {
    grid_.SetText(row + 1, m + 1, std::to_string(digits[m]));
    const Color back = HitColor(hits[m]);
    grid_.SetBack(row + 1, m + 1, back);
    // Digits stay readable on the saturated hit and miss colours.
    grid_.SetFore(row + 1, m + 1, back == kColorBlue || back == kColorRed ? kColorWhite : kColorBlack);
  }
  grid_.SetText(row + 1, 6, std::to_string(grade));
  grid_.SetBack(row + 1, 6,
                grade <= totoRules().GetMaxGrade(kaisaikai) ? kColorGreen : kColorWhite);
}

}  // namespace zelvo
