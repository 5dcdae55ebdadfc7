#include "core/multi_editor.h"

#include <vector>

#include "core/multi_counts.h"
#include "support/error_report.h"
#include "support/platform.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTMulti";
constexpr int kRows = 6;
constexpr int kCols = 3;

// Grid column 1 shows outcome 1, column 2 outcome 0, column 3 outcome 2.
constexpr int kOutcomeOfCol[] = {0, 1, 0, 2};
constexpr int kColOfOutcome[] = {2, 1, 3};

const std::vector<std::string>& MarkMenuTexts() {
  static const std::vector<std::string> texts = {"無し",   "◎ 本命", "○ 対抗", "▲ 穴",
                                                 "△ 大穴", "× 注意", "☆ 特注"};
  return texts;
}

std::vector<MenuEntry> MarkMenu(int checked) {
  std::vector<MenuEntry> entries;
  const auto& texts = MarkMenuTexts();
  for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
    MenuEntry e;
    e.text = texts[i];
    e.checked = i == checked;
    entries.push_back(e);
  }
  return entries;
}

MenuEntry Separator() {
  MenuEntry e;
  e.separator = true;
  return e;
}

MenuEntry Entry(const std::string& text) {
  MenuEntry e;
  e.text = text;
  return e;
}

}  // namespace

const std::array<std::string, 7>& MarkSymbols() {
  static const std::array<std::string, 7> symbols = {"", "◎", "○", "▲", "△", "×", "☆"};
  return symbols;
}

void clsTMulti::Initialize(Grid* grid, int width, int height) {
  try {
    grid_ = grid;
    if (!grid_) return;
    grid_->Resize(kRows, kCols);
    grid_->SetDefaultSize(width, height);
    grid_->SetText(1, 1, "1");
    grid_->SetText(1, 2, "0");
    grid_->SetText(1, 3, "2");
    grid_->SetRowBack(1, kColorButtonFace);
    for (int c = 1; c <= kCols; ++c) grid_->SetColAlign(c, Align::kCenter);
    grid_->on_click = [this](const GridClick& click) { OnClick(click); };
    grid_->name = "マルチ";
    grid_->cell_name = [this](int row, int col) { return CellName(row, col); };
    grid_->on_key = [this](int row, int col, char key) { return OnKey(row, col, key); };
    Draw();
  } catch (const std::exception& e) {
    ReportException(kClass, "Initialize", e);
  }
}

void clsTMulti::Clear() {
  cells_ = MultiTable{};
  Draw();
}

void clsTMulti::SetValue(const MultiTable& value) {
  cells_ = value;
  Draw();
}

void clsTMulti::GetVisible(MultiFlags& visible) const {
  for (int o = 0; o < 3; ++o) {
    for (int m = 0; m < 5; ++m) visible[o][m] = cells_[o][m] > 0;
  }
}

void clsTMulti::SetTaishou(const MultiFlags& targets) {
  if (!grid_) return;
  try {
    for (int o = 0; o < 3; ++o) {
      for (int m = 0; m < 5; ++m) {
        Color back =
            !targets[o][m] ? kColorButtonFace : (m % 2 == 0 ? kColorWhite : kColorLightYellow);
        grid_->SetBack(m + 2, kColOfOutcome[o], back);
      }
    }
    grid_->Refresh();
  } catch (const std::exception& e) {
    ReportException(kClass, "SetTaishou", e);
  }
}

void clsTMulti::Refresh() { Draw(); }

void clsTMulti::Draw() {
  if (!grid_) return;
  try {
    const auto& symbols = MarkSymbols();
    for (int o = 0; o < 3; ++o) {
      for (int m = 0; m < 5; ++m) {
        int mark = cells_[o][m];
        // A damaged document may hold a number outside 0 to 6: show it blank.
        grid_->SetText(m + 2, kColOfOutcome[o], mark >= 0 && mark <= 6 ? symbols[mark] : "");
      }
    }
    grid_->Refresh();
  } catch (const std::exception& e) {
    ReportException(kClass, "Refresh", e);
  }
}

void clsTMulti::OnClick(const GridClick& click) {
  try {
    if (click.col < 1 || click.col > kCols || click.row < 1 || click.row > kRows) return;
    clicked_col_ = click.col;
    clicked_match_ = click.row - 2;
    int outcome = kOutcomeOfCol[click.col];
    bool header = click.row == 1;
    if (click.button == MouseButton::kLeft) {
      if (header) {
        LeftHeader();
      } else {
        int& cell = cells_[outcome][clicked_match_];
        if (automatic_) {
          cell = (cell >= 0 && cell < 6) ? cell + 1 : 0;
        } else {
          cell = cell == pen_ ? 0 : pen_;
        }
      }
    } else if (click.button == MouseButton::kRight) {
      if (header) {
        RightHeader();
      } else {
        RightCell(outcome, clicked_match_);
      }
    }
    Draw();
  } catch (const std::exception& e) {
    ReportException(kClass, "MouseDown", e);
  }
}

std::string clsTMulti::CellName(int row, int col) const {
  static const char* const kOutcomes[] = {"引分け", "ホーム", "アウェイ"};
  if (col < 1 || col > kCols || row < 1 || row > kRows) return "";
  const char* outcome = kOutcomes[kOutcomeOfCol[col]];
  if (row == 1) return std::string(outcome) + " 見出し";
  const int mark = cells_[kOutcomeOfCol[col]][row - 2];
  return "第" + std::to_string(row - 1) + "試合 " + outcome + " " +
         (mark > 0 && mark <= 6 ? MarkSymbols()[mark] : std::string("なし"));
}

// The digit of a mark (1 ◎ to 6 ☆, 0 none) puts that mark on a cell.
bool clsTMulti::OnKey(int row, int col, char key) {
  if (row < 2 || row > kRows || col < 1 || col > kCols || key < '0' || key > '6') return false;
  cells_[kOutcomeOfCol[col]][row - 2] = key - '0';
  Draw();
  return true;
}

void clsTMulti::LeftHeader() {
  std::vector<MenuEntry> entries = MarkMenu(automatic_ ? -1 : pen_);
  entries.push_back(Separator());
  MenuEntry automatic = Entry("自動");
  automatic.checked = pen_ == kPenAutomatic;
  entries.push_back(automatic);
  int choice = platform().PopupMenu("左クリック動作", entries);
  int automatic_index = static_cast<int>(entries.size()) - 1;
  if (choice == automatic_index) {
    pen_ = kPenAutomatic;
    automatic_ = true;
  } else if (choice >= 0 && choice <= 6) {
    pen_ = choice;
    automatic_ = false;
  }
}

void clsTMulti::RightCell(int outcome, int match) {
  int choice = platform().PopupMenu("マーク変更", MarkMenu(cells_[outcome][match]));
  if (choice >= 0 && choice <= 6) cells_[outcome][match] = choice;
}

void clsTMulti::RightHeader() {
  std::vector<MenuEntry> entries = {Entry("全てマークを消去"), Entry("全て本命でマーク"),
                                    Entry("全て対抗でマーク"), Separator(),
                                    Entry("全て投票率順でマーク")};
  int choice = platform().PopupMenu("", entries);
  switch (choice) {
    case 0:
    case 1:
    case 2:
      for (auto& row : cells_) row.fill(choice);
      break;
    case 4:
      MarkByVoteRates();
      break;
    default:
      break;
  }
}

void clsTMulti::MarkByVoteRates() {
  if (vote_.Kaisaikai == 0) return;
  for (int m = 0; m < 5; ++m) {
    std::array<int, 3> ranks = PopularityRanks(vote_.matches[m]);
    for (int o = 0; o < 3; ++o) cells_[o][m] = ranks[o] + 1;
  }
}

}  // namespace zelvo
