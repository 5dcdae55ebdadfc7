// The condition panels driven through their grid, check box and entry models,
// with menus answered by the fake platform.
#include "reduction/condition_panels.h"

#include <gtest/gtest.h>

#include "core/toto_data.h"
#include "reduction/condition_grids.h"
#include "reduction/item_dialog.h"
#include "reduction/league_targets.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

GridClick Left(int row, int col, bool shift = false, bool ctrl = false) {
  return {MouseButton::kLeft, shift, ctrl, row, col, false};
}
GridClick Right(int row, int col, bool shift = false, bool ctrl = false) {
  return {MouseButton::kRight, shift, ctrl, row, col, false};
}

std::vector<std::string> MenuTexts(const testing::RecordedMenu& menu) {
  std::vector<std::string> texts;
  for (const MenuEntry& e : menu.entries) texts.push_back(e.separator ? "-" : e.text);
  return texts;
}

// Row of a count grid as the cells' texts, counts 0 to 5.
std::string RowText(const Grid& g, int row) {
  std::string s;
  for (int c = 2; c <= 7; ++c) s += g.Text(row, c) == "　" ? "." : g.Text(row, c);
  return s;
}

// ------------------------------------------------------------ check grids

TEST(CheckGridTest, LayoutColoursAndToggle) {
  testing::FakePlatform fake;
  Grid g;
  clsXGridB grid;
  grid.Initialize(&g, "対象試合", {"1", "2", "3", "4", "5"});
  int changes = 0, redraws = 0;
  grid.Change = [&] { ++changes; };
  g.on_changed = [&] { ++redraws; };
  ASSERT_EQ(g.Rows(), 1);
  ASSERT_EQ(g.Cols(), 6);
  EXPECT_EQ(g.Text(1, 1), "対象試合");
  EXPECT_EQ(g.Text(1, 6), "5");
  grid.SetValue({true, false, true});
  EXPECT_EQ(g.Cell(1, 2).back, 0x00FF00u);
  EXPECT_EQ(g.Cell(1, 3).back, kColorWhite);
  EXPECT_EQ(g.Cell(1, 6).back, kColorWhite);  // missing values read unticked
  EXPECT_EQ(changes, 0);

  g.Click(Left(1, 3));
  EXPECT_TRUE(grid.Value(1));
  EXPECT_EQ(g.Cell(1, 3).back, 0x00FF00u);
  g.Click(Left(1, 2));
  EXPECT_FALSE(grid.Value(0));
  EXPECT_EQ(changes, 2);
  EXPECT_GE(redraws, 2);
  g.Click(Left(1, 1));  // the title is no check cell
  EXPECT_EQ(changes, 2);
}

TEST(CheckGridTest, RightClickTicksOrUnticksAll) {
  testing::FakePlatform fake;
  Grid g;
  clsXGridB grid;
  grid.Initialize(&g, "対象結果", {"1", "0", "2"});
  int changes = 0;
  grid.Change = [&] { ++changes; };
  fake.QueueMenuChoice(2);  // 全て対象
  g.Click(Right(1, 3));
  ASSERT_EQ(fake.menus().size(), 1u);
  EXPECT_EQ(MenuTexts(fake.menus()[0]),
            (std::vector<std::string>{"キャンセル", "-", "全て対象", "全て対象外"}));
  EXPECT_EQ(grid.GetValue(), (std::vector<bool>{true, true, true}));
  fake.QueueMenuChoice(3);  // 全て対象外
  g.Click(Right(1, 1));
  EXPECT_EQ(grid.GetValue(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(changes, 2);
  fake.QueueMenuChoice(0);  // キャンセル
  g.Click(Right(1, 2));
  g.Click(Right(1, 2));  // dismissed
  EXPECT_EQ(changes, 2);
}

// ------------------------------------------------------------- count grid

class CountGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.Initialize(&g);
    grid.SetRows({"◎", "○"}, {CountCells{}, CountCells{}});
    grid.Change = [this] { ++changes; };
  }
  void SetRow(int r, CountCells cells) {
    std::vector<CountCells> all = grid.Cells();
    all[r] = cells;
    grid.SetRows(grid.Captions(), all);
  }

  testing::FakePlatform fake;
  Grid g;
  clsXGridM grid;
  int changes = 0;
};

TEST_F(CountGridTest, HeaderCaptionsAndRedCounts) {
  ASSERT_EQ(g.Rows(), 3);
  ASSERT_EQ(g.Cols(), 7);
  EXPECT_EQ(g.Text(1, 1), "合計");
  EXPECT_EQ(g.Text(1, 2), "0");
  EXPECT_EQ(g.Text(1, 7), "5");
  EXPECT_EQ(g.Text(2, 1), "◎");
  EXPECT_EQ(RowText(g, 2), "......");
  grid.SetTargetCount(2);
  for (int c = 2; c <= 7; ++c) {
    Color want = c - 2 > 2 ? kColorRed : kColorBlack;
    EXPECT_EQ(g.Cell(1, c).fore, want) << c;
    EXPECT_EQ(g.Cell(3, c).fore, want) << c;
  }
}

TEST_F(CountGridTest, PlainClickTogglesAndClearsTolerated) {
  SetRow(0, {0, 2, 7, 0, 0, 0});
  EXPECT_EQ(RowText(g, 2), ".△？...");
  g.Click(Left(2, 2));
  EXPECT_EQ(RowText(g, 2), "×△？...");
  g.Click(Left(2, 2));
  EXPECT_EQ(RowText(g, 2), ".△？...");
  g.Click(Left(2, 3));  // tolerated -> allowed
  g.Click(Left(2, 4));  // a damaged value -> allowed
  EXPECT_EQ(RowText(g, 2), "......");
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(fake.menus().empty());
}

TEST_F(CountGridTest, ShiftAndCtrlFillTowardsTheButtonsSide) {
  g.Click(Left(2, 4, true));  // Shift+left on count 2
  EXPECT_EQ(RowText(g, 2), "×××...");
  g.Click(Left(2, 3, false, true));  // Ctrl+left on count 1
  EXPECT_EQ(RowText(g, 2), "△△×...");
  g.Click(Right(3, 6, true));  // Shift+right on count 4, second row
  EXPECT_EQ(RowText(g, 3), "....××");
  g.Click(Right(3, 5, false, true));  // Ctrl+right on count 3
  EXPECT_EQ(RowText(g, 3), "...△△△");
  EXPECT_EQ(RowText(g, 2), "△△×...");  // the other row untouched
  EXPECT_TRUE(fake.menus().empty());
  EXPECT_EQ(changes, 4);
}

TEST_F(CountGridTest, CellMenuChoices) {
  struct Case {
    int line;  // menu line, separators counted
    CountCells before;
    int col;
    std::string want;
  };
  const Case cases[] = {
      {2, {1, 1, 1, 1, 1, 1}, 4, "××.×××"},  // マークを消去
      {3, {}, 4, "..×..."},                  // 削除（×）でマーク
      {4, {}, 4, "..△..."},                  // 許容（△）でマーク
      {6, {1, 2, 1, 2, 1, 2}, 4, "......"},  // 行のマークを消去
      {8, {}, 4, "×××..."},                  // ←× 左を削除
      {9, {}, 4, "..××××"},                  // ×→ 右を削除
      {11, {}, 4, "△△△..."},                 // ←△ 左を許容
      {12, {}, 4, "..△△△△"},                 // △→ 右を許容
  };
  for (const Case& c : cases) {
    SetRow(0, c.before);
    fake.QueueMenuChoice(c.line);
    g.Click(Right(2, c.col));
    EXPECT_EQ(RowText(g, 2), c.want) << "line " << c.line;
  }
  EXPECT_EQ(changes, 8);
  EXPECT_EQ(MenuTexts(fake.menus()[0]),
            (std::vector<std::string>{"キャンセル", "-", "マークを消去", "削除（×）でマーク",
                                      "許容（△）でマーク", "-", "行のマークを消去", "-",
                                      "←× 左を削除 [Shift+左]", "×→ 右を削除 [Shift+右]", "-",
                                      "←△ 左を許容 [Ctrl+左]", "△→ 右を許容 [Ctrl+右]"}));
  SetRow(0, {1, 0, 0, 0, 0, 0});
  fake.QueueMenuChoice(0);
  g.Click(Right(2, 2));
  fake.QueueMenuChoice(1);  // a separator line
  g.Click(Right(2, 2));
  g.Click(Right(2, 2));  // dismissed
  EXPECT_EQ(RowText(g, 2), "×.....");
  EXPECT_EQ(changes, 8);
}

TEST_F(CountGridTest, TitleRowMenuSetsEveryCell) {
  SetRow(0, {1, 0, 2, 0, 1, 0});
  fake.QueueMenuChoice(4);  // 全て許容（△）でマーク
  g.Click(Right(1, 3));
  EXPECT_EQ(MenuTexts(fake.menus()[0]),
            (std::vector<std::string>{"キャンセル", "-", "全てマークを消去",
                                      "全て削除（×）でマーク", "全て許容（△）でマーク"}));
  EXPECT_EQ(RowText(g, 2), "△△△△△△");
  EXPECT_EQ(RowText(g, 3), "△△△△△△");
  fake.QueueMenuChoice(3);
  g.Click(Right(1, 1));
  EXPECT_EQ(RowText(g, 3), "××××××");
  fake.QueueMenuChoice(2);
  g.Click(Right(1, 7));
  EXPECT_EQ(RowText(g, 2), "......");
  g.Click(Left(1, 3));  // a left click on the title row does nothing
  EXPECT_EQ(RowText(g, 2), "......");
  EXPECT_EQ(changes, 3);
}

TEST_F(CountGridTest, RowTitleMenuReportsTheChoice) {
  std::vector<std::pair<int, int>> got;
  grid.ListMenu = [&](int row, int index) { got.emplace_back(row, index); };
  fake.QueueMenuChoice(2);  // 構成分析
  g.Click(Right(3, 1));
  fake.QueueMenuChoice(3);  // 複合条件設定
  g.Click(Right(2, 1));
  fake.QueueMenuChoice(0);
  g.Click(Right(2, 1));
  g.Click(Left(2, 1));  // no menu on a left click
  EXPECT_EQ(MenuTexts(fake.menus()[0]),
            (std::vector<std::string>{"キャンセル", "-", "構成分析", "複合条件設定"}));
  EXPECT_EQ(fake.menus().size(), 3u);
  EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{1, 1}, {0, 2}}));
  EXPECT_EQ(changes, 0);
}

// ------------------------------------------------------------ item dialog

TEST(ItemDialogTest, OkOnlyBetweenOneAndAllButOne) {
  frmJouken dlg;
  dlg.Setup({"その他", "ホーム", "アウェイ"}, {false, true, false});
  ASSERT_EQ(dlg.ItemCount(), 3);
  EXPECT_EQ(dlg.Item(1).caption, "ホーム");
  EXPECT_TRUE(dlg.Item(1).Checked());
  EXPECT_TRUE(dlg.OkEnabled());
  dlg.Item(1).Click();
  EXPECT_FALSE(dlg.OkEnabled());
  EXPECT_FALSE(dlg.Ok());
  EXPECT_FALSE(dlg.Result());
  dlg.Item(0).Click();
  dlg.Item(1).Click();
  EXPECT_TRUE(dlg.OkEnabled());
  dlg.Item(2).Click();
  EXPECT_FALSE(dlg.OkEnabled());  // all ticked
  dlg.Item(2).Click();
  EXPECT_TRUE(dlg.Ok());
  EXPECT_TRUE(dlg.Result());
  EXPECT_EQ(dlg.Ticks(), (std::vector<bool>{true, true, false}));
}

// ------------------------------------------------------- count-table panel

class CountPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.Initialize(ConditionTable::kHonmei, &tab, &match, &outcome, &count, &check);
    panel.TaishoChange = [this] { ++taisho_changes; };
  }
  const ConditionEntry& Entry(int g) const { return panel.Entries()[g]; }

  testing::FakePlatform fake;
  Grid tab, match, outcome, count;
  CheckBox check;
  clsXJoken1 panel;
  int taisho_changes = 0;
};

TEST_F(CountPanelTest, BuildsTheGridsAndStartsFromTheDefaults) {
  ASSERT_EQ(tab.Cols(), 29);
  EXPECT_EQ(tab.Text(1, 1), "全て");
  EXPECT_EQ(tab.Text(1, 2), "J1");
  EXPECT_EQ(tab.Text(1, 4), "A");
  EXPECT_EQ(tab.Text(1, 29), "Z");
  EXPECT_EQ(match.Text(1, 1), "対象試合");
  EXPECT_EQ(outcome.Text(1, 1), "対象結果");
  EXPECT_EQ(outcome.Text(1, 2), "1");
  EXPECT_EQ(outcome.Text(1, 3), "0");
  EXPECT_EQ(outcome.Text(1, 4), "2");
  ASSERT_EQ(count.Rows(), 7);
  EXPECT_EQ(count.Text(2, 1), "◎");
  EXPECT_EQ(count.Text(7, 1), "☆");
  for (int g = 0; g < kConditionGroups; ++g) {
    EXPECT_EQ(Entry(g), DefaultConditionEntry(ConditionTable::kHonmei, g)) << g;
  }
  EXPECT_EQ(panel.CurrentGroup(), 0);
  EXPECT_TRUE(check.Checked());
}

TEST_F(CountPanelTest, TargetMatchesRecolourCountsAndNotify) {
  match.Click(Left(1, 2));
  match.Click(Left(1, 4));
  match.Click(Left(1, 6));
  EXPECT_EQ(Entry(0).target_matches, (std::array<bool, 5>{false, true, false, true, false}));
  EXPECT_EQ(taisho_changes, 3);
  EXPECT_EQ(count.Cell(1, 4).fore, kColorBlack);  // count 2
  EXPECT_EQ(count.Cell(1, 5).fore, kColorRed);    // count 3
  EXPECT_EQ(count.Cell(7, 7).fore, kColorRed);
  EXPECT_EQ(Entry(3).target_matches, (std::array<bool, 5>{true, true, true, true, true}));
}

TEST_F(CountPanelTest, OutcomeGridShowsHomeWinFirst) {
  outcome.Click(Left(1, 2));  // the column captioned "1"
  EXPECT_EQ(Entry(0).target_outcomes, (std::array<bool, 3>{true, false, true}));
  match.Click(Left(1, 3));  // match 2 off
  MultiFlags t{};
  panel.GetTaisho(t);
  EXPECT_TRUE(t[0][0]);
  EXPECT_FALSE(t[1][0]);  // outcome 1 off
  EXPECT_FALSE(t[0][1]);  // match 2 off
  EXPECT_TRUE(t[2][4]);
  EXPECT_EQ(taisho_changes, 2);

  ConditionEntry e = Entry(0);
  e.target_outcomes = {false, true, false};
  auto all = panel.Entries();
  all[0] = e;
  panel.SetEntries(all);
  EXPECT_EQ(outcome.Cell(1, 2).back, 0x00FF00u);
  EXPECT_EQ(outcome.Cell(1, 3).back, kColorWhite);
}

TEST_F(CountPanelTest, TabsSwitchGroupsAndKeepEachGroupsEdits) {
  std::vector<int> clicked;
  panel.TabClick = [&](int g) { clicked.push_back(g); };
  count.Click(Left(2, 2));  // group 全て, ◎ count 0 excluded
  tab.Click(Left(1, 2));    // J1
  EXPECT_EQ(clicked, std::vector<int>{1});
  EXPECT_EQ(panel.CurrentGroup(), 1);
  EXPECT_EQ(tab.Cell(1, 2).back, kColorWhite);
  EXPECT_EQ(tab.Cell(1, 1).back, kColorButtonFace);
  EXPECT_EQ(RowText(count, 2), "......");
  EXPECT_EQ(match.Cell(1, 2).back, kColorWhite);  // J1 has no match until filled
  EXPECT_EQ(count.Cell(1, 3).fore, kColorRed);    // so every count above 0 is red
  count.Click(Left(3, 3));
  check.Click();  // group check box off for J1 only
  EXPECT_FALSE(Entry(1).B);
  EXPECT_TRUE(Entry(0).B);
  tab.Click(Left(1, 1));
  EXPECT_TRUE(check.Checked());
  EXPECT_EQ(RowText(count, 2), "×.....");
  EXPECT_EQ(Entry(0).cells[0][0], kCellExcluded);
  EXPECT_EQ(Entry(1).cells[1][1], kCellExcluded);
  EXPECT_EQ(Entry(1).cells[0][0], kCellAllowed);

  panel.SetAllEnabled(false);
  for (const ConditionEntry& e : panel.Entries()) EXPECT_FALSE(e.A);
  panel.Clear();
  EXPECT_EQ(Entry(1), DefaultConditionEntry(ConditionTable::kHonmei, 1));
}

TEST_F(CountPanelTest, RowTitleMenuAnalysesOrEditsTheRow) {
  std::vector<std::pair<int, int>> analysed;
  panel.KoseiBunseki = [&](int row, int group) { analysed.emplace_back(row, group); };
  std::vector<std::string> shown_titles;
  std::vector<bool> shown_ticks;
  bool accept = true;
  panel.item_dialog = [&](frmJouken& dlg) {
    shown_titles.clear();
    for (int i = 0; i < dlg.ItemCount(); ++i) shown_titles.push_back(dlg.Item(i).caption);
    shown_ticks = dlg.Ticks();
    dlg.Item(1).Click();  // add ○
    dlg.Item(4).Click();  // add ×
    if (accept) return dlg.Ok();
    dlg.Cancel();
    return false;
  };
  tab.Click(Left(1, 5));  // group B
  fake.QueueMenuChoice(2);
  count.Click(Right(4, 1));
  EXPECT_EQ(analysed, (std::vector<std::pair<int, int>>{{2, 4}}));

  fake.QueueMenuChoice(3);
  count.Click(Right(2, 1));
  EXPECT_EQ(shown_titles,
            (std::vector<std::string>{"本命◎", "対抗○", "穴　▲", "大穴△", "注意×", "特注☆"}));
  EXPECT_EQ(shown_ticks, (std::vector<bool>{true, false, false, false, false, false}));
  EXPECT_EQ(Entry(4).row_items[0], (std::vector<bool>{true, true, false, false, true, false}));
  EXPECT_EQ(Entry(4).captions[0], "◎+○+×");
  EXPECT_EQ(count.Text(2, 1), "◎+○+×");

  accept = false;
  fake.QueueMenuChoice(3);
  count.Click(Right(3, 1));
  EXPECT_EQ(Entry(4).row_items[1], (std::vector<bool>{false, true, false, false, false, false}));
  EXPECT_EQ(Entry(4).captions[1], "○");
}

TEST_F(CountPanelTest, DamagedEntriesShowWithoutFailing) {
  auto all = panel.Entries();
  all[0].cells[0] = {9, 1, 2, 0, 0, 0};
  all[0].captions.resize(3);  // fewer captions than rows
  panel.SetEntries(all);
  EXPECT_EQ(count.Rows(), 4);
  EXPECT_EQ(RowText(count, 2), "？×△...");
  count.Click(Left(2, 2));
  EXPECT_EQ(panel.Entries()[0].cells[0][0], kCellAllowed);
  EXPECT_TRUE(fake.messages().empty());
}

TEST(CountPanelUninitializedTest, ReportsInitializeErr) {
  testing::FakePlatform fake;
  clsXJoken1 panel;
  panel.Clear();
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "Initialize Err");
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsXJoken1 / Clear");
}

// ------------------------------------------------------------ payout panel

TEST(PayoutPanelTest, BindsFieldsAndClears) {
  testing::FakePlatform fake;
  clsXJoken joken;
  CheckBox check;
  NumberEntry min, max;
  min.SetValue(Money::FromInt(5));
  joken.SetMoneyObject(1, &check, &min, &max);
  EXPECT_EQ(min.kind(), NumberEntry::Kind::kMoney);
  EXPECT_EQ(check.caption, "１等推定金額は");
  EXPECT_EQ(min.tag, 11);
  EXPECT_EQ(max.tag, 12);
  EXPECT_EQ(min.Text(), "0");
  EXPECT_EQ(max.Text(), "9,999,999,999");
  EXPECT_EQ(max.Max(), Money::FromInt(9999999999));
  max.SetText("12,000,000,000");
  EXPECT_EQ(joken.MaxMoney(0), Money::FromInt(9999999999));
  joken.SetMinMoney(0, Money::FromInt(1500));
  EXPECT_EQ(min.Text(), "1,500");
  check.Click();

  HaitouConditions h = joken.GetHaitou();
  EXPECT_TRUE(h.Flag[0]);
  EXPECT_EQ(h.Min[0], Money::FromInt(1500));
  EXPECT_FALSE(h.Flag[1]);  // an unbound grade keeps the defaults
  EXPECT_EQ(h.Max[2], Money::FromInt(9999999999));

  h.Flag[2] = true;
  h.Min[2] = Money::FromInt(300);
  joken.SetHaitou(h);
  EXPECT_EQ(joken.GetHaitou(), h);

  joken.Clear();
  EXPECT_FALSE(check.Checked());
  EXPECT_EQ(min.Text(), "0");
  EXPECT_EQ(joken.MinMoney(2), Money());
  EXPECT_FALSE(joken.GetHaitou().Flag[2]);
  joken.MinMoney(3);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsXJoken / MinMoney");
}

TEST(PayoutPanelTest, MoneyMenuOfferedPerField) {
  testing::FakePlatform fake;
  clsXJoken joken;
  CheckBox c1, c2;
  NumberEntry min1, max1, min2, max2;
  joken.SetMoneyObject(1, &c1, &min1, &max1);
  joken.SetMoneyObject(2, &c2, &min2, &max2);

  // Grade-1 minimum: ranges up to one million, no "最大値".
  fake.QueueMenuChoice(3);  // "1 ～ 10万円"
  fake.QueueMenuChoice(4);  // its fifth amount
  joken.MoneyRightClick(11);
  ASSERT_EQ(fake.menus().size(), 2u);
  EXPECT_EQ(MenuTexts(fake.menus()[0]),
            (std::vector<std::string>{"キャンセル", "100 ～ 1000円", "1000 ～ 1万円", "1 ～ 10万円",
                                      "10 ～ 100万円", "最小値"}));
  // The amounts cascade from their range, so a window can show them as a submenu.
  EXPECT_EQ(fake.menus()[0].entries[3].submenu.size(), 10u);
  EXPECT_TRUE(fake.menus()[0].entries[5].submenu.empty());
  EXPECT_EQ(fake.menus()[1].title, "1 ～ 10万円");
  EXPECT_EQ(MenuTexts(fake.menus()[1]),
            (std::vector<std::string>{"1万円", "2万円", "3万円", "4万円", "5万円", "6万円", "7万円",
                                      "8万円", "9万円", "10万円"}));
  EXPECT_EQ(min1.Value(), Money::FromInt(50000));
  fake.QueueMenuChoice(5);  // 最小値
  joken.MoneyRightClick(11);
  EXPECT_EQ(min1.Value(), Money());

  // Grade-2 maximum: every range, "最大値" but no "最小値".
  fake.ClearRecords();
  fake.QueueMenuChoice(8);  // "10 ～ 100億円"
  fake.QueueMenuChoice(9);  // 100億円, above the field's maximum
  joken.MoneyRightClick(22);
  EXPECT_EQ(MenuTexts(fake.menus()[0]).back(), "最大値");
  EXPECT_EQ(fake.menus()[0].entries.size(), 10u);
  EXPECT_EQ(fake.menus()[1].entries[0].text, "10億円");
  EXPECT_EQ(max2.Value(), Money::FromInt(9999999999));
  fake.QueueMenuChoice(6);  // "1000万 ～ 1億円"
  fake.QueueMenuChoice(9);
  joken.MoneyRightClick(22);
  EXPECT_EQ(fake.menus()[3].entries[0].text, "1000万円");
  EXPECT_EQ(max2.Value(), Money::FromInt(100000000));
  fake.QueueMenuChoice(9);  // 最大値
  joken.MoneyRightClick(22);
  EXPECT_EQ(max2.Value(), Money::FromInt(9999999999));
  fake.QueueMenuChoice(2);  // a range, then the amounts dismissed
  joken.MoneyRightClick(22);
  fake.QueueMenuChoice(0);
  joken.MoneyRightClick(22);
  EXPECT_EQ(max2.Value(), Money::FromInt(9999999999));

  // The window's own menu.
  joken.money_menu = [](int tag) {
    return MoneyMenuChoice{frmMenu::kMoneyAmount, Money::FromInt(tag * 1000)};
  };
  joken.MoneyRightClick(21);
  EXPECT_EQ(min2.Value(), Money::FromInt(21000));
}

TEST(PayoutPanelTest, ConditionErrorGrid) {
  testing::FakePlatform fake;
  clsXJoken joken;
  std::array<bool, 12> only0{true};
  EXPECT_EQ(joken.GetMachigaiFlg(), only0);  // before the grid is bound
  std::array<bool, 12> flags{};
  flags[1] = flags[11] = true;
  joken.SetMachigaiFlg(flags);
  Grid g;
  joken.SetMachigaiObject(&g);
  ASSERT_EQ(g.Cols(), 13);
  EXPECT_EQ(g.Text(1, 1), "条件間違い数");
  EXPECT_EQ(g.Text(1, 2), "0");
  EXPECT_EQ(g.Text(1, 12), "10");
  EXPECT_EQ(g.Text(1, 13), "→");
  EXPECT_EQ(joken.GetMachigaiFlg(), flags);
  EXPECT_EQ(g.Cell(1, 13).back, 0x00FF00u);
  g.Click(Left(1, 2));
  EXPECT_TRUE(joken.GetMachigaiFlg()[0]);
  joken.Clear();
  EXPECT_EQ(joken.GetMachigaiFlg(), only0);
  EXPECT_EQ(g.Cell(1, 3).back, kColorWhite);
}

// ----------------------------------------------------------- J1/J2 refill

TEST(LeagueTargetsTest, HomeTeamsLeagueInTheMatchYear) {
  testing::TempProgramDir dir;
  dir.WriteCp932("SysData/J1J2.dat",
                 testing::CrLf({"2025J1 = 鹿島,浦和", "2025J2 = 仙台,山形", "2026J1 = 仙台"}));
  clsTotoData toto;
  ScheduleRecord s;
  const char* homes[] = {"鹿島", "仙台", "山形", "浦和", ""};
  for (int m = 0; m < 5; ++m) {
    s.matches[m].home = homes[m];
    s.matches[m].away = "甲府";
    s.matches[m].match_date = DateTime::Date(2025, 11, 30);
  }
  s.matches[3].match_date = DateTime::Date(2026, 3, 1);  // 浦和 not in the 2026 list
  s.matches[1].match_date = DateTime::Date(2026, 3, 1);  // 仙台 promoted for 2026

  ReductionConditions c = DefaultReductionConditions();
  c.Honmei[3].target_matches = {false, false, false, false, false};
  FillLeagueTargets(c, s, toto);
  for (ConditionTable t :
       {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
    EXPECT_EQ(c.Table(t)[kGroupJ1].target_matches,
              (std::array<bool, 5>{true, true, false, false, false}));
    EXPECT_EQ(c.Table(t)[kGroupJ2].target_matches,
              (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_EQ(c.Table(t)[kGroupAll].target_matches,
              (std::array<bool, 5>{true, true, true, true, true}));
  }
  EXPECT_EQ(c.Honmei[3].target_matches, (std::array<bool, 5>{}));  // the user's group kept

  // A round without a schedule empties both groups again.
  FillLeagueTargets(c, ScheduleRecord{}, toto);
  EXPECT_EQ(c.Ninki[kGroupJ1].target_matches, (std::array<bool, 5>{}));

  testing::FakePlatform fake;
  Grid tab, match, outcome, count;
  CheckBox check;
  clsXJoken1 panel;
  panel.Initialize(ConditionTable::kMark, &tab, &match, &outcome, &count, &check);
  panel.SelectGroup(kGroupJ2);
  panel.SetSchedule(s, toto);
  EXPECT_EQ(panel.Entries()[kGroupJ2].target_matches,
            (std::array<bool, 5>{false, false, true, false, false}));
  EXPECT_EQ(match.Cell(1, 4).back, 0x00FF00u);
  EXPECT_EQ(count.Cell(1, 3).fore, kColorBlack);  // count 1 can occur
  EXPECT_EQ(count.Cell(1, 4).fore, kColorRed);
}

}  // namespace
}  // namespace zelvo
