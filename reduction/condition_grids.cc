#include "reduction/condition_grids.h"

#include <algorithm>

#include "reduction/conditions.h"
#include "support/error_report.h"

namespace zelvo {
namespace {

// Title column widths: the longest title is "条件間違い数".
constexpr int kTitleWidth = 84;
constexpr int kCaptionWidth = 110;

}  // namespace

void clsXGridB::Initialize(Grid* grid, const std::string& title,
                           const std::vector<std::string>& captions) {
  try {
    grid_ = grid;
    flags_.assign(captions.size(), false);
    if (!grid_) return;
    grid_->Resize(1, static_cast<int>(captions.size()) + 1);
    grid_->SetText(1, 1, title);
    grid_->SetBack(1, 1, kColorButtonFace);
    grid_->SetColWidth(1, kTitleWidth);
    for (size_t i = 0; i < captions.size(); ++i) {
      grid_->SetText(1, static_cast<int>(i) + 2, captions[i]);
    }
    grid_->on_click = [this](const GridClick& click) { OnClick(click); };
    Draw();
  } catch (const std::exception& e) {
    ReportException("clsXGridB", "Initialize", e);
  }
}

void clsXGridB::SetValue(const std::vector<bool>& flags) {
  for (size_t i = 0; i < flags_.size(); ++i) flags_[i] = i < flags.size() && flags[i];
  Draw();
}

void clsXGridB::Draw() {
  if (!grid_) return;
  for (int i = 0; i < Count() && i + 2 <= grid_->Cols(); ++i) {
    grid_->SetBack(1, i + 2, flags_[i] ? kColorTicked : kColorWhite);
  }
  grid_->Refresh();
}

void clsXGridB::OnClick(const GridClick& click) {
  try {
    if (click.button == MouseButton::kRight) {
      int index = menu_.ShowConditionMenu(frmMenu::ConditionMenu::kTarget);
      if (index != frmMenu::kTargetAll && index != frmMenu::kTargetNone) return;
      std::fill(flags_.begin(), flags_.end(), index == frmMenu::kTargetAll);
    } else if (click.button == MouseButton::kLeft) {
      int i = click.col - 2;
      if (click.row != 1 || i < 0 || i >= Count()) return;
      flags_[i] = !flags_[i];
    } else {
      return;
    }
    Draw();
    if (Change) Change();
  } catch (const std::exception& e) {
    ReportException("clsXGridB", "Grid_Click", e);
  }
}

void clsXGridM::Initialize(Grid* grid) {
  try {
    grid_ = grid;
    captions_.clear();
    cells_.clear();
    if (!grid_) return;
    grid_->Resize(1, kCounts + 1);
    grid_->SetText(1, 1, "合計");
    // Wide enough for a caption of four items ("◎+○+▲+△").
    grid_->SetColWidth(1, kCaptionWidth);
    for (int c = 0; c < kCounts; ++c) grid_->SetText(1, c + 2, std::to_string(c));
    grid_->SetRowBack(1, kColorButtonFace);
    grid_->on_click = [this](const GridClick& click) { OnClick(click); };
    Draw();
  } catch (const std::exception& e) {
    ReportException("clsXGridM", "Initialize", e);
  }
}

void clsXGridM::SetRows(const std::vector<std::string>& captions,
                        const std::vector<CountCells>& cells) {
  try {
    size_t rows = std::min(captions.size(), cells.size());
    captions_.assign(captions.begin(), captions.begin() + rows);
    cells_.assign(cells.begin(), cells.begin() + rows);
    Draw();
  } catch (const std::exception& e) {
    ReportException("clsXGridM", "SetRows", e);
  }
}

void clsXGridM::SetTargetCount(int targets) {
  targets_ = targets;
  Draw();
}

void clsXGridM::Draw() {
  if (!grid_) return;
  grid_->Resize(RowCount() + 1, kCounts + 1);
  for (int c = 0; c < kCounts; ++c) {
    grid_->SetFore(1, c + 2, c > targets_ ? kColorRed : kColorBlack);
  }
  for (int r = 0; r < RowCount(); ++r) {
    int row = r + 2;
    grid_->SetText(row, 1, captions_[r]);
    grid_->SetAlign(row, 1, Align::kLeft);
    grid_->SetBack(row, 1, kColorButtonFace);
    for (int c = 0; c < kCounts; ++c) {
      grid_->SetText(row, c + 2, CellStateText(cells_[r][c]));
      grid_->SetAlign(row, c + 2, Align::kCenter);
      grid_->SetBack(row, c + 2, kColorWhite);
      grid_->SetFore(row, c + 2, c > targets_ ? kColorRed : kColorBlack);
    }
  }
  grid_->Refresh();
}

void clsXGridM::Fill(int row, int from, int to, uint8_t state) {
  for (int c = std::max(from, 0); c <= std::min(to, kCounts - 1); ++c) cells_[row][c] = state;
}

void clsXGridM::OnClick(const GridClick& click) {
  try {
    bool right = click.button == MouseButton::kRight;
    if (!right && click.button != MouseButton::kLeft) return;
    if (click.row == 1) {
      if (!right) return;
      int index = menu_.ShowConditionMenu(frmMenu::ConditionMenu::kGridMark);
      uint8_t state;
      switch (index) {
        case frmMenu::kGridClear:
          state = kCellAllowed;
          break;
        case frmMenu::kGridExcluded:
          state = kCellExcluded;
          break;
        case frmMenu::kGridTolerated:
          state = kCellTolerated;
          break;
        default:
          return;
      }
      for (int r = 0; r < RowCount(); ++r) Fill(r, 0, kCounts - 1, state);
    } else {
      int r = click.row - 2;
      if (r < 0 || r >= RowCount()) return;
      if (click.col == 1) {
        if (!right) return;
        int index = menu_.ShowConditionMenu(frmMenu::ConditionMenu::kConditionList);
        if (index != frmMenu::kCancel && ListMenu) ListMenu(r, index);
        return;
      }
      int c = click.col - 2;
      if (c < 0 || c >= kCounts) return;
      // Shift marks excluded and Ctrl tolerated, from the cell towards the
      // side of the button: the left button fills to the left, the right
      // button to the right.  Shift wins when both are held.
      if (click.shift || click.ctrl) {
        uint8_t state = click.shift ? kCellExcluded : kCellTolerated;
        if (right) {
          Fill(r, c, kCounts - 1, state);
        } else {
          Fill(r, 0, c, state);
        }
      } else if (!right) {
        // Anything but allowed (a tolerated cell, or a damaged value) clicks
        // back to allowed.
        cells_[r][c] = cells_[r][c] == kCellAllowed ? kCellExcluded : kCellAllowed;
      } else {
        switch (menu_.ShowConditionMenu(frmMenu::ConditionMenu::kCellMark)) {
          case frmMenu::kMarkClear:
            cells_[r][c] = kCellAllowed;
            break;
          case frmMenu::kMarkExcluded:
            cells_[r][c] = kCellExcluded;
            break;
          case frmMenu::kMarkTolerated:
            cells_[r][c] = kCellTolerated;
            break;
          case frmMenu::kRowClear:
            Fill(r, 0, kCounts - 1, kCellAllowed);
            break;
          case frmMenu::kLeftExcluded:
            Fill(r, 0, c, kCellExcluded);
            break;
          case frmMenu::kRightExcluded:
            Fill(r, c, kCounts - 1, kCellExcluded);
            break;
          case frmMenu::kLeftTolerated:
            Fill(r, 0, c, kCellTolerated);
            break;
          case frmMenu::kRightTolerated:
            Fill(r, c, kCounts - 1, kCellTolerated);
            break;
          default:
            return;
        }
      }
    }
    Draw();
    if (Change) Change();
  } catch (const std::exception& e) {
    ReportException("clsXGridM", "Grid_Click", e);
  }
}

}  // namespace zelvo
