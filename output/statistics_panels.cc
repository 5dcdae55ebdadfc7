#include "output/statistics_panels.h"

#include "support/error_report.h"
#include "support/format.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr int kColOfOutcome[] = {2, 1, 3};  // columns "1" "0" "2"

std::string CountText(int value) { return value == 0 ? "" : std::to_string(value) + " "; }

}  // namespace

// ---- clsTMeisai ----

void clsTMeisai::Initialize(Grid* grid, int label_width, int value_width, int row_height) {
  try {
    grid_ = grid;
    if (!grid_) return;
    grid_->Resize(8, 2);
    grid_->SetDefaultSize(value_width, row_height);
    grid_->SetColWidth(1, label_width);
    grid_->SetColWidth(2, value_width);
    grid_->SetRowBack(1, kColorButtonFace);
    for (int r : {3, 5, 7}) grid_->SetRowBack(r, kColorLightYellow);
    grid_->SetFore(7, 2, kColorBlue);
    grid_->SetColAlign(1, Align::kCenter);
    grid_->SetColAlign(2, Align::kRight);
    // The ratio begins with a blank and reads from the left.
    grid_->SetAlign(8, 2, Align::kLeft);
    grid_->SetText(2, 1, "シングル");
    grid_->SetText(3, 1, "ダ ブ ル");
    grid_->SetText(4, 1, "トリプル");
    grid_->SetText(6, 1, "マルチ数");
    grid_->SetText(7, 1, "圧縮口数");
    grid_->SetText(8, 1, "圧 縮 率");
    Refresh();
  } catch (const std::exception& e) {
    ReportException("clsTMeisai", "Initialize", e);
  }
}

void clsTMeisai::Clear() {
  histogram_.fill(0);
  single_count_ = 0;
  Refresh();
}

void clsTMeisai::SetValue(const MultiTable& multi) {
  histogram_.fill(0);
  for (int m = 0; m < 5; ++m) {
    int selected = 0;
    for (int o = 0; o < 3; ++o) selected += multi[o][m] != 0;
    ++histogram_[selected];
  }
  Refresh();
}

void clsTMeisai::SetSingleCount(int value) {
  single_count_ = value;
  Refresh();
}

void clsTMeisai::SetTousen(const std::array<int, 6>& tousen) {
  tousen_ = tousen;
  Refresh();
}

long long clsTMeisai::MultiSize() const {
  if (single_count_ == 0) return 0;
  long long size = 1;
  for (int i = 0; i < histogram_[3]; ++i) size *= 3;
  for (int i = 0; i < histogram_[2]; ++i) size *= 2;
  for (int i = 0; i < histogram_[4]; ++i) size *= 4;
  return size;
}

void clsTMeisai::Refresh() {
  if (!grid_) return;
  try {
    grid_->SetText(2, 2, CountText(histogram_[1]));
    grid_->SetText(3, 2, CountText(histogram_[2]));
    grid_->SetText(4, 2, CountText(histogram_[3]));
    long long size = MultiSize();
    grid_->SetText(6, 2, FormatNumber(static_cast<int64_t>(size), "#,##0") + " ");
    grid_->SetText(7, 2, FormatNumber(static_cast<int64_t>(single_count_), "#,##0") + " ");
    grid_->SetText(
        8, 2,
        single_count_ == 0
            ? " 0"
            : " 1／" + FormatNumber(static_cast<double>(size) / single_count_, "#,##0.00"));
    grid_->Refresh();
  } catch (const std::exception& e) {
    ReportException("clsTMeisai", "Refresh", e);
  }
}

// ---- clsTCount ----

void clsTCount::Initialize(Grid* grid, int width, int height) {
  try {
    grid_ = grid;
    if (!grid_) return;
    grid_->Resize(6, 3);
    grid_->SetDefaultSize(width, height);
    grid_->SetText(1, 1, "1");
    grid_->SetText(1, 2, "0");
    grid_->SetText(1, 3, "2");
    grid_->SetRowBack(1, kColorButtonFace);
    for (int r = 2; r <= 6; ++r) grid_->SetRowBack(r, r % 2 == 0 ? kColorWhite : kColorLightYellow);
    for (int c = 1; c <= 3; ++c) {
      grid_->SetColAlign(c, Align::kRight);
      grid_->SetAlign(1, c, Align::kCenter);
    }
    grid_->on_click = [this](const GridClick& click) { OnClick(click); };
    Refresh();
  } catch (const std::exception& e) {
    ReportException("clsTCount", "Initialize", e);
  }
}

void clsTCount::Clear() {
  counts_ = FrameTable{};
  Refresh();
}

void clsTCount::SetValue(const FrameTable& counts) {
  counts_ = counts;
  Refresh();
}

void clsTCount::SetVisibleProperty(bool visible) {
  if (grid_) grid_->SetVisible(visible);
}

void clsTCount::SetPercent(bool percent) {
  percent_ = percent;
  Refresh();
}

void clsTCount::Refresh() {
  if (!grid_) return;
  try {
    for (int m = 0; m < 5; ++m) {
      int total = counts_[0][m] + counts_[1][m] + counts_[2][m];
      for (int o = 0; o < 3; ++o) {
        int count = counts_[o][m];
        std::string text;
        if (count != 0 || shown_[o][m]) {
          std::string value =
              !percent_ ? std::to_string(count)
                        : (total == 0 ? "0" : FormatNumber(count * 100.0 / total, "0")) + "%";
          text = PadLeftColumns(" " + value, 7);
        }
        grid_->SetText(m + 2, kColOfOutcome[o], text);
        grid_->SetFore(m + 2, kColOfOutcome[o], colored_[o][m] ? kColorBlue : kColorBlack);
      }
    }
    grid_->Refresh();
  } catch (const std::exception& e) {
    ReportException("clsTCount", "Refresh", e);
  }
}

void clsTCount::OnClick(const GridClick& click) {
  if (click.row < 2 || click.row > 6) return;
  SetPercent(!percent_);
  if (Click) Click(click);
}

// ---- clsTKouseiBunseki ----

void clsTKouseiBunseki::Initialize(Grid* grid) {
  try {
    grid_ = grid;
    if (!grid_) return;
    grid_->Resize(7, 3);
    grid_->SetRowBack(1, kColorButtonFace);
    grid_->SetText(1, 2, "口数");
    grid_->SetText(1, 3, "比率");
    for (int r = 2; r <= 7; ++r) {
      grid_->SetText(r, 1, std::to_string(r - 2));
      grid_->SetAlign(r, 2, Align::kRight);
      grid_->SetAlign(r, 3, Align::kRight);
    }
    Draw();
  } catch (const std::exception& e) {
    ReportException("clsTKouseiBunseki", "Initialize", e);
  }
}

void clsTKouseiBunseki::Clear() {
  counts_.fill(0);
  Draw();
}

void clsTKouseiBunseki::SetValue(const std::array<int, 6>& counts) {
  counts_ = counts;
  Draw();
}

void clsTKouseiBunseki::Draw() {
  if (!grid_) return;
  try {
    long long total = 0;
    for (int c : counts_) total += c;
    for (int v = 0; v < 6; ++v) {
      grid_->SetText(v + 2, 2, std::to_string(counts_[v]));
      grid_->SetText(v + 2, 3,
                     (total == 0 ? "0" : FormatNumber(counts_[v] * 100.0 / total, "##0")) + "%");
    }
    grid_->Refresh();
  } catch (const std::exception& e) {
    ReportException("clsTKouseiBunseki", "SetValue", e);
  }
}

void clsTKouseiBunseki::ForeColorRow(int row, Color color) {
  if (!grid_) return;
  try {
    for (int c = 1; c <= grid_->Cols(); ++c) grid_->SetFore(row, c, color);
  } catch (const std::exception& e) {
    ReportException("clsTKouseiBunseki", "ForeColorRow", e);
  }
}

void clsTKouseiBunseki::GridRefresh() {
  if (grid_) grid_->Refresh();
}

int clsTKouseiBunseki::Width() const { return grid_ ? grid_->TotalWidth() : 0; }

int clsTKouseiBunseki::Height() const { return grid_ ? grid_->TotalHeight() : 0; }

// ---- frmKouseiBunseki ----

frmKouseiBunseki::frmKouseiBunseki() { panel_.Initialize(&grid_); }

void frmKouseiBunseki::SetMarkMax(int n) {
  for (int r = 1; r <= 7; ++r) panel_.ForeColorRow(r, n >= r - 1 ? kColorBlack : kColorRed);
  panel_.GridRefresh();
}

}  // namespace zelvo
