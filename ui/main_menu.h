// The main window's commands: every menu entry and button, its fixed caption,
// its place in the menu bar, and the state the screen shows for it.  Each
// room of the window answers for its own commands (ui/main_room.h); this
// header only names them.
#ifndef ZELVOMINI_UI_MAIN_MENU_H_
#define ZELVOMINI_UI_MAIN_MENU_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// Every menu entry and button of the window.
// clang-format off
enum class Cmd {
  kNone,
  // File menu
  kFileMenu, kFileNew, kFileOpen, kFileSave, kFileSaveAs,
  kJoukenMenu, kJoukenOpen, kJoukenSave,
  kCsvMenu, kCsvOpen, kCsvSave, kCsvAdd, kCsvDel,
  kPrint, kExit,
  // Edit menu
  kEditMenu, kSelectAll, kSelectNone, kAddSingle, kDeleteSingles,
  kSortMenu, kSortMoneyMenu, kSortMoney1, kSortMoney2, kSortMoney3,
  kSortMarkMenu, kSortMark0, kSortMark1, kSortMark2, kSortMark3,
  kSortNinkiMenu, kSortNinki0, kSortNinki1, kSortNinki2, kSortNinki3,
  kSortHits, kSortAscending,
  kRemoveDuplicates,
  kCopyMenu, kCopyReport, kCopyReportConditions, kCopySinglesRows, kCopySinglesColumns,
  kImportMenu, kImportSinglesRows,
  // View menu
  kViewMenu, kPageHome, kPageMulti, kPageSingle, kPageCheck, kPercent,
  // Tool menu
  kToolMenu, kBatch, kUserVote, kUserTeams, kAnalysis, kArchiveDownload, kBacktest,
  // Help menu
  kHelpMenu, kManual, kAbout,
  // Home page
  kDownloadSchedule, kDownloadVote, kDownloadResult, kUserVoteButton, kUserTeamsButton,
  kMakerTeams, kMakerTeamsRestore, kSaleSchedule,
  // Multi page
  kRun, kStop,
  // Singles page
  kAddSingleButton, kDeleteSinglesButton, kSortButton, kPreviousPage, kNextPage,
  // Check page
  kShowAllResults, kShowNextResult, kSortByHits, kResultPreviousPage, kResultNextPage,
  // Edit menu: undo and redo; File menu: 最近使ったファイル
  kUndo, kRedo,
  kRecentMenu, kRecent1, kRecent2, kRecent3, kRecent4, kRecent5, kRecent6, kRecent7, kRecent8,
  // Tool menu and multi page: the user's own probabilities; sort menu: by them
  kOwnProbs, kOwnProbsButton, kSortExpected, kSortProbability,
  // View menu and check page: the match-day window
  kMatchDay, kMatchDayButton,
  // Tool menu: the goal model's evaluation
  kModelEvaluation,
};
// clang-format on

struct ActionState {
  std::string caption;
  bool enabled = true;
  bool checked = false;
  bool visible = true;
};

// One entry of the menu bar; submenus carry their own children.
struct MenuNode {
  Cmd cmd = Cmd::kNone;  // kNone for a separator
  std::vector<MenuNode> children;
  bool separator() const { return cmd == Cmd::kNone; }
};

// The caption a command shows while nothing changes it ("" for none).
std::string CaptionOf(Cmd cmd);
// The letter of a command's mnemonic where its caption carries none
// (buttons and menu entries whose captions are the program's own words), 0
// for none.
char MnemonicOf(Cmd cmd);
// The caption as a menu entry or button shows it: with "(&X)" added before a
// trailing "..." when the caption has no mnemonic of its own.
std::string ShownCaption(Cmd cmd, const std::string& caption);
// The entries of the File menu, and the sort entries of the Edit menu: closed
// during a run.
bool IsFileCommand(Cmd cmd);
bool IsSortCommand(Cmd cmd);
// The page a View menu entry shows (0 home, 1 multi, 2 singles, 3 check),
// -1 for any other command.
int PageOf(Cmd cmd);
// The official record a home-page download fetches (0 schedule, 1 vote
// status, 2 result), -1 for any other command.
int DownloadKindOf(Cmd cmd);
// 最近使ったファイル's entries, kRecent1 first.
bool IsRecentCommand(Cmd cmd);
size_t RecentIndexOf(Cmd cmd);

// The menu bar of the window.
std::vector<MenuNode> MainMenuBar();
// The entry of `cmd` anywhere in `menus`, nullptr when there is none.
const MenuNode* FindMenuNode(const std::vector<MenuNode>& menus, Cmd cmd);
// `menu`'s children as a pop-up menu, in the states `state` gives them now
// (hidden entries left out); the command chosen, nothing when the user chose
// none.
std::optional<Cmd> PopUpMenu(const MenuNode& menu, const std::function<ActionState(Cmd)>& state);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MAIN_MENU_H_
