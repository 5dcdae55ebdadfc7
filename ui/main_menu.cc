#include "ui/main_menu.h"

#include <string_view>
#include <utility>

#include "support/platform.h"

namespace zelvo {
namespace {

struct CommandText {
  Cmd cmd;
  const char* caption;
};

// Captions of the menu entries and buttons whose text never changes.
constexpr CommandText kCaptions[] = {
    {Cmd::kFileMenu, "ファイル(&F)"},
    {Cmd::kFileNew, "新規作成(&N)"},
    {Cmd::kFileOpen, "開く(&O)..."},
    {Cmd::kFileSave, "上書き保存(&S)"},
    {Cmd::kFileSaveAs, "名前を付けて保存(&A)..."},
    {Cmd::kJoukenMenu, "条件 ファイル"},
    {Cmd::kJoukenOpen, "開く(&O)..."},
    {Cmd::kJoukenSave, "保存(&S)..."},
    {Cmd::kCsvMenu, "CSV ファイル(&C)"},
    {Cmd::kCsvOpen, "開く(&O)..."},
    {Cmd::kCsvSave, "保存(&S)..."},
    {Cmd::kCsvAdd, "現在のシングルに追加(&A)..."},
    {Cmd::kCsvDel, "現在のシングルから削除(&D)..."},
    {Cmd::kPrint, "印刷(&P)..."},
    {Cmd::kExit, "終了(&X)"},
    {Cmd::kEditMenu, "編集(&E)"},
    {Cmd::kSelectAll, "全てのシングルを選択"},
    {Cmd::kSelectNone, "全てのシングル選択を解除"},
    {Cmd::kAddSingle, "シングルを追加"},
    {Cmd::kDeleteSingles, "選択シングルを削除"},
    {Cmd::kSortMenu, "シングル並べ替え(&S)"},
    {Cmd::kSortMoneyMenu, "推定金額"},
    {Cmd::kSortMoney1, "１等推定金額"},
    {Cmd::kSortMoney2, "２等推定金額"},
    {Cmd::kSortMoney3, "３等推定金額"},
    {Cmd::kSortMarkMenu, "勝敗数"},
    {Cmd::kSortMark0, "ホーム勝ち"},
    {Cmd::kSortMark1, "その他"},
    {Cmd::kSortMark2, "アウェイ勝ち"},
    {Cmd::kSortMark3, ""},
    {Cmd::kSortNinkiMenu, "人気数"},
    {Cmd::kSortNinki0, "１番人気"},
    {Cmd::kSortNinki1, "２番人気"},
    {Cmd::kSortNinki2, "３番人気"},
    {Cmd::kSortNinki3, "４番人気"},
    {Cmd::kSortHits, "当せん数"},
    {Cmd::kSortAscending, "昇順で並べ替える"},
    {Cmd::kRemoveDuplicates, "重複シングル削除"},
    {Cmd::kCopyMenu, "クリップボードにコピー"},
    {Cmd::kCopyReport, "予想（条件無し）"},
    {Cmd::kCopyReportConditions, "予想（条件有り）"},
    {Cmd::kCopySinglesRows, "買い目（１口が行）"},
    {Cmd::kCopySinglesColumns, "買い目（１口が列）"},
    {Cmd::kImportMenu, "クリップボードから取り込み"},
    {Cmd::kImportSinglesRows, "買い目（１口が行）"},
    {Cmd::kViewMenu, "表示(&V)"},
    {Cmd::kPageHome, "ホーム(&H)"},
    {Cmd::kPageMulti, "マルチ(&M)"},
    {Cmd::kPageSingle, "シングル(&S)"},
    {Cmd::kPageCheck, "チェック(&C)"},
    {Cmd::kPercent, "シングル構成を％で表示"},
    {Cmd::kToolMenu, "ツール(&T)"},
    {Cmd::kBatch, "連続実行"},
    {Cmd::kUserVote, "投票率（ユーザー定義）..."},
    {Cmd::kUserTeams, "海外チーム名（ユーザー定義）..."},
    {Cmd::kAnalysis, "購入の分析..."},
    {Cmd::kArchiveDownload, "過去回データの取得..."},
    {Cmd::kBacktest, "過去回の検証..."},
    {Cmd::kModelEvaluation, "モデルの検証..."},
    {Cmd::kHelpMenu, "ヘルプ(&H)"},
    {Cmd::kManual, "オンラインマニュアル(&O)"},
    {Cmd::kAbout, "バージョン情報(&A)..."},
    {Cmd::kDownloadSchedule, "開催情報"},
    {Cmd::kDownloadVote, "投票状況"},
    {Cmd::kDownloadResult, "くじ結果"},
    {Cmd::kUserVoteButton, "投票率"},
    {Cmd::kUserTeamsButton, "海外チーム名"},
    {Cmd::kMakerTeams, "海外チーム名"},
    {Cmd::kMakerTeamsRestore, "前の版に戻す"},
    {Cmd::kSaleSchedule, "販売スケジュールを確認する"},
    {Cmd::kStop, "検索終了"},
    {Cmd::kAddSingleButton, "シングルを追加"},
    {Cmd::kDeleteSinglesButton, "選択シングルを削除"},
    {Cmd::kSortButton, "並べ替え"},
    {Cmd::kPreviousPage, "◀"},
    {Cmd::kNextPage, "▶"},
    {Cmd::kShowAllResults, "全ての結果を表示"},
    {Cmd::kShowNextResult, "次の結果を表示"},
    {Cmd::kSortByHits, "当せん数順"},
    {Cmd::kResultPreviousPage, "◀"},
    {Cmd::kResultNextPage, "▶"},
    {Cmd::kUndo, "元に戻す(&U)"},
    {Cmd::kRedo, "やり直し(&R)"},
    {Cmd::kRecentMenu, "最近使ったファイル(&R)"},
    {Cmd::kOwnProbs, "自分の確率..."},
    {Cmd::kOwnProbsButton, "自分の確率"},
    {Cmd::kSortExpected, "期待値"},
    {Cmd::kSortProbability, "確率"},
    {Cmd::kMatchDay, "試合当日..."},
    {Cmd::kMatchDayButton, "試合当日"},
};

struct CommandMnemonic {
  Cmd cmd;
  char letter;
};

// Letters of the entries and buttons whose captions carry none.  Siblings of
// one menu differ; the buttons of a page differ from each other and from the
// menu bar's F E V T H.
constexpr CommandMnemonic kMnemonics[] = {
    {Cmd::kJoukenMenu, 'J'},
    {Cmd::kSelectAll, 'A'},
    {Cmd::kSelectNone, 'N'},
    {Cmd::kAddSingle, 'I'},
    {Cmd::kDeleteSingles, 'D'},
    {Cmd::kSortMoneyMenu, 'M'},
    {Cmd::kSortMoney1, '1'},
    {Cmd::kSortMoney2, '2'},
    {Cmd::kSortMoney3, '3'},
    {Cmd::kSortMarkMenu, 'W'},
    {Cmd::kSortMark0, '1'},
    {Cmd::kSortMark1, '0'},
    {Cmd::kSortMark2, '2'},
    {Cmd::kSortNinkiMenu, 'P'},
    {Cmd::kSortNinki0, '1'},
    {Cmd::kSortNinki1, '2'},
    {Cmd::kSortNinki2, '3'},
    {Cmd::kSortNinki3, '4'},
    {Cmd::kSortHits, 'H'},
    {Cmd::kSortExpected, 'E'},
    {Cmd::kSortProbability, 'R'},
    {Cmd::kSortAscending, 'A'},
    {Cmd::kRemoveDuplicates, 'L'},
    {Cmd::kCopyMenu, 'C'},
    {Cmd::kCopyReport, 'P'},
    {Cmd::kCopyReportConditions, 'J'},
    {Cmd::kCopySinglesRows, 'R'},
    {Cmd::kCopySinglesColumns, 'C'},
    {Cmd::kImportMenu, 'V'},
    {Cmd::kImportSinglesRows, 'R'},
    {Cmd::kPercent, 'P'},
    {Cmd::kBatch, 'R'},
    {Cmd::kUserVote, 'V'},
    {Cmd::kOwnProbs, 'O'},
    {Cmd::kUserTeams, 'N'},
    {Cmd::kAnalysis, 'A'},
    {Cmd::kArchiveDownload, 'D'},
    {Cmd::kBacktest, 'B'},
    {Cmd::kModelEvaluation, 'M'},
    {Cmd::kMatchDay, 'D'},
    // The home page's buttons.
    {Cmd::kDownloadSchedule, 'I'},
    {Cmd::kDownloadVote, 'O'},
    {Cmd::kDownloadResult, 'R'},
    {Cmd::kUserVoteButton, 'U'},
    {Cmd::kUserTeamsButton, 'N'},
    {Cmd::kMakerTeams, 'D'},
    {Cmd::kMakerTeamsRestore, 'B'},
    // The multi page's.
    {Cmd::kRun, 'S'},
    {Cmd::kStop, 'Q'},
    {Cmd::kOwnProbsButton, 'O'},
    // The singles page's.
    {Cmd::kAddSingleButton, 'I'},
    {Cmd::kDeleteSinglesButton, 'D'},
    {Cmd::kSortButton, 'S'},
    // The check page's.
    {Cmd::kShowAllResults, 'A'},
    {Cmd::kShowNextResult, 'N'},
    {Cmd::kSortByHits, 'O'},
    {Cmd::kMatchDayButton, 'D'},
};

}  // namespace

char MnemonicOf(Cmd cmd) {
  for (const CommandMnemonic& m : kMnemonics) {
    if (m.cmd == cmd) return m.letter;
  }
  return 0;
}

std::string ShownCaption(Cmd cmd, const std::string& caption) {
  const char letter = MnemonicOf(cmd);
  if (letter == 0 || caption.empty() || caption.find('&') != std::string::npos) return caption;
  const std::string mark = std::string("(&") + letter + ")";
  constexpr std::string_view kDots = "...";
  if (caption.size() > kDots.size() && caption.ends_with(kDots)) {
    return caption.substr(0, caption.size() - kDots.size()) + mark + std::string(kDots);
  }
  return caption + mark;
}

std::string CaptionOf(Cmd cmd) {
  for (const CommandText& t : kCaptions) {
    if (t.cmd == cmd) return t.caption;
  }
  return {};
}

bool IsFileCommand(Cmd cmd) {
  switch (cmd) {
    case Cmd::kFileNew:
    case Cmd::kFileOpen:
    case Cmd::kFileSave:
    case Cmd::kFileSaveAs:
    case Cmd::kJoukenMenu:
    case Cmd::kJoukenOpen:
    case Cmd::kJoukenSave:
    case Cmd::kCsvMenu:
    case Cmd::kCsvOpen:
    case Cmd::kCsvSave:
    case Cmd::kCsvAdd:
    case Cmd::kCsvDel:
    case Cmd::kPrint:
    case Cmd::kExit:
      return true;
    default:
      return false;
  }
}

bool IsSortCommand(Cmd cmd) {
  return (cmd >= Cmd::kSortMenu && cmd <= Cmd::kSortAscending) || cmd == Cmd::kSortExpected ||
         cmd == Cmd::kSortProbability;
}

namespace {

// `cmd`'s place in the run of commands from `first` to `last`, -1 outside it.
int IndexIn(Cmd cmd, Cmd first, Cmd last) {
  if (cmd < first || cmd > last) return -1;
  return static_cast<int>(cmd) - static_cast<int>(first);
}

}  // namespace

int PageOf(Cmd cmd) { return IndexIn(cmd, Cmd::kPageHome, Cmd::kPageCheck); }

int DownloadKindOf(Cmd cmd) { return IndexIn(cmd, Cmd::kDownloadSchedule, Cmd::kDownloadResult); }

bool IsRecentCommand(Cmd cmd) { return IndexIn(cmd, Cmd::kRecent1, Cmd::kRecent8) >= 0; }

size_t RecentIndexOf(Cmd cmd) {
  return static_cast<size_t>(IndexIn(cmd, Cmd::kRecent1, Cmd::kRecent8));
}

std::vector<MenuNode> MainMenuBar() {
  auto leaf = [](Cmd c) { return MenuNode{c, {}}; };
  auto sub = [](Cmd c, std::vector<MenuNode> children) { return MenuNode{c, std::move(children)}; };
  const MenuNode sep;
  return {
      sub(Cmd::kFileMenu,
          {leaf(Cmd::kFileNew), leaf(Cmd::kFileOpen), leaf(Cmd::kFileSave), leaf(Cmd::kFileSaveAs),
           sep, sub(Cmd::kJoukenMenu, {leaf(Cmd::kJoukenOpen), leaf(Cmd::kJoukenSave)}),
           sub(Cmd::kCsvMenu, {leaf(Cmd::kCsvOpen), leaf(Cmd::kCsvSave), sep, leaf(Cmd::kCsvAdd),
                               leaf(Cmd::kCsvDel)}),
           sep, leaf(Cmd::kPrint), sep,
           sub(Cmd::kRecentMenu, {leaf(Cmd::kRecent1), leaf(Cmd::kRecent2), leaf(Cmd::kRecent3),
                                  leaf(Cmd::kRecent4), leaf(Cmd::kRecent5), leaf(Cmd::kRecent6),
                                  leaf(Cmd::kRecent7), leaf(Cmd::kRecent8)}),
           sep, leaf(Cmd::kExit)}),
      sub(Cmd::kEditMenu,
          {leaf(Cmd::kUndo), leaf(Cmd::kRedo), sep, leaf(Cmd::kSelectAll), leaf(Cmd::kSelectNone),
           sep, leaf(Cmd::kAddSingle), leaf(Cmd::kDeleteSingles), sep,
           sub(Cmd::kSortMenu,
               {sub(Cmd::kSortMoneyMenu,
                    {leaf(Cmd::kSortMoney1), leaf(Cmd::kSortMoney2), leaf(Cmd::kSortMoney3)}),
                sub(Cmd::kSortMarkMenu, {leaf(Cmd::kSortMark0), leaf(Cmd::kSortMark1),
                                         leaf(Cmd::kSortMark2), leaf(Cmd::kSortMark3)}),
                sub(Cmd::kSortNinkiMenu, {leaf(Cmd::kSortNinki0), leaf(Cmd::kSortNinki1),
                                          leaf(Cmd::kSortNinki2), leaf(Cmd::kSortNinki3)}),
                leaf(Cmd::kSortHits), leaf(Cmd::kSortExpected), leaf(Cmd::kSortProbability), sep,
                leaf(Cmd::kSortAscending)}),
           leaf(Cmd::kRemoveDuplicates), sep,
           sub(Cmd::kCopyMenu, {leaf(Cmd::kCopyReport), leaf(Cmd::kCopyReportConditions),
                                leaf(Cmd::kCopySinglesRows), leaf(Cmd::kCopySinglesColumns)}),
           sub(Cmd::kImportMenu, {leaf(Cmd::kImportSinglesRows)})}),
      sub(Cmd::kViewMenu,
          {leaf(Cmd::kPageHome), leaf(Cmd::kPageMulti), leaf(Cmd::kPageSingle),
           leaf(Cmd::kPageCheck), sep, leaf(Cmd::kPercent), sep, leaf(Cmd::kMatchDay)}),
      sub(Cmd::kToolMenu,
          {leaf(Cmd::kBatch), sep, leaf(Cmd::kUserVote), leaf(Cmd::kOwnProbs),
           leaf(Cmd::kUserTeams), sep, leaf(Cmd::kAnalysis), sep, leaf(Cmd::kArchiveDownload),
           leaf(Cmd::kBacktest), leaf(Cmd::kModelEvaluation)}),
      sub(Cmd::kHelpMenu, {leaf(Cmd::kManual), sep, leaf(Cmd::kAbout)}),
  };
}

const MenuNode* FindMenuNode(const std::vector<MenuNode>& menus, Cmd cmd) {
  std::vector<const MenuNode*> stack;
  for (const MenuNode& n : menus) stack.push_back(&n);
  while (!stack.empty()) {
    const MenuNode* n = stack.back();
    stack.pop_back();
    if (n->cmd == cmd) return n;
    for (const MenuNode& c : n->children) stack.push_back(&c);
  }
  return nullptr;
}

std::optional<Cmd> PopUpMenu(const MenuNode& menu, const std::function<ActionState(Cmd)>& state) {
  // The entries as the menu bar shows them now, and the command of each.
  std::vector<MenuEntry> entries;
  std::vector<std::vector<Cmd>> commands;
  for (const MenuNode& node : menu.children) {
    ActionState s = state(node.cmd);
    if (!node.separator() && !s.visible) continue;
    MenuEntry e;
    e.separator = node.separator();
    e.text = ShownCaption(node.cmd, s.caption);
    e.enabled = s.enabled;
    e.checked = s.checked;
    std::vector<Cmd> subs;
    for (const MenuNode& child : node.children) {
      ActionState cs = state(child.cmd);
      if (!cs.visible) continue;
      MenuEntry c;
      c.text = ShownCaption(child.cmd, cs.caption);
      c.enabled = cs.enabled;
      e.submenu.push_back(c);
      subs.push_back(child.cmd);
    }
    if (node.children.empty()) subs.push_back(node.cmd);
    entries.push_back(e);
    commands.push_back(subs);
  }
  MenuChoice choice = platform().PopupMenuTree("", entries);
  if (choice.index < 0 || choice.index >= static_cast<int>(commands.size())) return std::nullopt;
  const std::vector<Cmd>& subs = commands[choice.index];
  int sub = entries[choice.index].submenu.empty() ? 0 : choice.sub_index;
  if (sub < 0 || sub >= static_cast<int>(subs.size())) return std::nullopt;
  return subs[sub];
}

}  // namespace zelvo
