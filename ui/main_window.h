// frmMain, the main window as a controller.  It composes the window's rooms,
// each a controller of its own with its own header:
//   RoundPanel    (ui/round_panel.h)    the round, downloads, vote and sale status
//   MultiPage     (ui/multi_page.h)     marks, conditions, engine settings, own probabilities
//   SearchRun     (ui/search_run.h)     start, pause, stop, the run log and progress
//   SinglesPage   (ui/singles_page.h)   the singles, their sorts, duplicates, clipboard
//   CheckPage     (ui/check_page.h)     the singles against the result
//   OpenDocument  (ui/open_document.h)  files, the unsaved-changes question, undo, recent files
//   MainTools     (ui/main_tools.h)     the windows and browser pages it opens
// frmMain itself keeps what spans them: start and close, the page shown, the
// document built from every room and put back into them, the menu bar and the
// routing of every command to its room, and the names the rest of the
// program knows (`StartOrPause`, `FileLoadTPD`, `CheckBusy`, ...).  The Qt
// view renders this state and turns every user action into one call here.
#ifndef ZELVOMINI_UI_MAIN_WINDOW_H_
#define ZELVOMINI_UI_MAIN_WINDOW_H_

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/check_page.h"
#include "ui/main_menu.h"
#include "ui/main_room.h"
#include "ui/main_tools.h"
#include "ui/multi_page.h"
#include "ui/open_document.h"
#include "ui/round_panel.h"
#include "ui/search_run.h"
#include "ui/singles_page.h"
#include "ui/window_host.h"

namespace zelvo {

class frmMain : private BatchTarget, private MainShell {
 public:
  static constexpr int kClientWidth = 1005;
  static constexpr int kClientHeight = 655;
  static constexpr const char* kBusyMessage =
      "現在検索処理を実行中です。検索処理を終了させて下さい。";
  static constexpr int kConditionTabs = MultiPage::kConditionTabs;

  explicit frmMain(WindowHost* host = nullptr);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;
  ~frmMain() override;

  // Loading: settings, bindings, folders, the new document, the round.
  void Load();
  // A request to close: false (with the busy warning during a run) keeps
  // the window.
  bool QueryClose();
  // Writes Zelvo mini.ini.
  void Unload();

  // Opens a document (.tpd), a conditions file (.tpj) or a CSV singles file
  // (.csv) by its kind, with the guards and messages of the menu entries:
  // files dropped on the window, given on the command line, chosen from
  // 最近使ったファイル.  True when the file was opened.
  bool OpenFile(const std::string& path) { return document_.OpenFile(path); }
  // The document as the user's last action left it: a difference from the
  // last snapshot becomes one undo step.  The view calls this after every
  // action on a panel; commands do it themselves.
  void CommitEdits() override { document_.CommitEdits(); }
  // The document differs from its file (or, new, from the empty document).
  bool DocumentChanged() const { return document_.Changed(); }
  const DocumentHistory& History() const { return document_.History(); }
  const RecentFiles& Recent() const { return document_.Recent(); }
  // "変更を保存しますか？" when the document has changed; false when the
  // user cancelled or the save failed, and the document must stay.
  bool SaveChangesFirst() { return document_.SaveChangesFirst(); }

  // The public operations the batch window drives as well.
  bool FileLoadTPD(const std::string& name, bool whole, bool dialog) override {
    return document_.FileLoadTPD(name, whole, dialog);
  }
  bool FileSaveTPD(const std::string& name, bool whole, bool dialog) override {
    return document_.FileSaveTPD(name, whole, dialog);
  }
  // Why the last document load or save failed, for the batch window's list.
  std::string LastFault() const override { return document_.LastFault(); }

  // Any menu entry or button.
  void Execute(Cmd cmd);
  ActionState State(Cmd cmd) const;
  const std::vector<MenuNode>& MenuBar() const { return menu_bar_; }
  // The children of a submenu entry (the sort button pops this one up).
  const MenuNode* FindMenu(Cmd cmd) const { return FindMenuNode(menu_bar_, cmd); }

  void StartOrPause() { run_.StartOrPause(); }
  void RunSearch() { run_.RunSearch(); }
  void StopSearch() { run_.StopSearch(); }
  void NewDocument() override;
  // Enter in the round box: a round whose schedule is not cached yet is
  // fetched as the 開催情報 button would; a cached one is left as it is
  // (the button asks before fetching over the cache).
  void RoundEntered();
  void ShowPage(int page) override;
  bool IsIdle() const override { return !run_.Running(); }
  bool CheckBusy() const override;
  // A file handed over by a second start may open now: no search, batch
  // run, load or save under way (HandOverQueue waits until then).
  bool AcceptsHandedOverFiles() const { return IsIdle() && !operation_ && !batch_running_; }

  // What the screen shows.
  int CurrentPage() const override { return page_; }
  std::string Title() const;
  const std::string& StatusText() const { return round_.StatusText(); }
  const std::string& RoundLabel() const { return round_.RoundLabel(); }
  const SaleStatusView& SaleStatus() const { return round_.SaleStatus(); }
  const std::string& FileName() const { return document_.FileName(); }
  std::string DefaultDocumentName() const { return document_.DefaultDocumentName(); }
  const std::string& DefaultFolder() const { return document_.DefaultFolder(); }
  bool Paused() const { return run_.Paused(); }
  bool OperationFlag() const override { return operation_; }
  // The run message list's selected line (-1 none).
  int LogSelection() const { return run_.LogSelection(); }
  int ConditionTab() const { return multi_.ConditionTab(); }
  void SelectConditionTab(int tab) { multi_.SelectConditionTab(tab); }
  // The engine option frame shown (0 none, 1 trial, 2 count optimisation).
  int EngineFrame() const { return multi_.EngineFrame(); }
  // Grade-2 and grade-3 payout controls (and sort entries) are shown.
  bool GradeVisible(int grade) const { return round_.GradeVisible(grade); }

  // The document state.
  int Kaisaikai() const { return round_.Kaisaikai(); }
  const std::string& Kumi() const { return round_.Kumi(); }
  const ScheduleRecord& Schedule() const { return round_.Schedule(); }
  const VoteStatusRecord& Vote() const { return round_.Vote(); }
  const ResultRecord& Result() const { return round_.Result(); }
  int SingleCount() const { return singles_.Count(); }
  const std::vector<int>& Singles() const { return singles_.Singles(); }
  const FrameTable& Frame() const { return singles_.Frame(); }
  const MultiFlags& Targets() const { return singles_.Targets(); }
  // The window's document as a file stores it.
  DocumentRecord BuildDocument() const override;
  DocumentRecord BuildDocumentWithoutSingles() const override;

  // The panels and their models.
  clsTMain& Round() { return round_.Round(); }
  clsTGame& MatchTable() { return multi_.MatchTable(); }
  clsTMulti& Multi() { return multi_.Multi(); }
  Grid& MultiGrid() { return multi_.MultiGrid(); }
  clsXJoken& Joken() { return multi_.Joken(); }
  CheckBox& MoneyCheck(int grade) { return multi_.MoneyCheck(grade); }
  NumberEntry& MoneyMin(int grade) { return multi_.MoneyMin(grade); }
  NumberEntry& MoneyMax(int grade) { return multi_.MoneyMax(grade); }
  Grid& MachigaiGrid() { return multi_.MachigaiGrid(); }
  OptionGroup& MachigaiType() { return multi_.MachigaiType(); }
  // Kind 1 本命, 2 人気, 3 勝敗.
  CountConditionModels& CountCondition(int kind) { return multi_.CountCondition(kind); }
  OptionGroup& EngineOption() { return multi_.EngineOption(); }
  clsTXSakugen& Sakugen() { return multi_.Sakugen(); }
  CheckBox& ExGrade2() { return multi_.ExGrade2(); }
  CheckBox& ExGrade3() { return multi_.ExGrade3(); }
  CheckBox& Chushutsu() { return multi_.Chushutsu(); }
  // The extraction kinds, then the value orders ("期待値順で抽出",
  // "確率順で抽出"), which can be chosen only with own probabilities.
  OptionGroup& ChushutsuType() { return multi_.ChushutsuType(); }
  // The value condition of the 金額 tab.
  CheckBox& ValueCheck() { return multi_.ValueCheck(); }
  // 期待値（100円あたり） or 確率比.
  OptionGroup& ValueKind() { return multi_.ValueKind(); }
  NumberEntry& ValueMin() { return multi_.ValueMin(); }
  NumberEntry& ValueMax() { return multi_.ValueMax(); }
  // The document's own probabilities (unset without them).
  const OwnProbabilities& OwnProbs() const { return multi_.OwnProbs(); }
  void SetOwnProbs(const OwnProbabilities& own) { multi_.SetOwnProbs(own); }
  // The current singles against the own probabilities, as `chances` reports
  // them (the payout estimate from the vote status in force); for the multi
  // page's live line, empty without own probabilities.
  ChancesReport OwnChances() const { return tools_.OwnChances(); }
  std::string OwnChancesText() const { return tools_.OwnChancesText(); }
  RunLogList& Log() { return run_.Log(); }
  Grid& CountGrid() { return run_.CountGrid(); }
  Grid& MeisaiGrid() { return run_.MeisaiGrid(); }
  SearchSequence& Search() { return run_.Search(); }
  clsTSingle& SingleList() { return singles_.SingleList(); }
  CheckBox& EditLockBox() { return singles_.EditLockBox(); }
  clsTResult& ResultCheck() { return check_.ResultCheck(); }
  ResultCountPanel& ResultCount() { return check_.ResultCount(); }
  CheckBox& ResultAll() { return check_.ResultAll(); }
  CheckBox& DownloadConfirm() { return round_.DownloadConfirm(); }
  const clsTotoData& TotoData() const { return multi_.TotoData(); }
  // The open composition-analysis windows.
  const std::vector<std::unique_ptr<frmKouseiBunseki>>& KouseiWindows() const {
    return tools_.KouseiWindows();
  }
  // The user closed one.
  void KouseiWindowClosed(frmKouseiBunseki* window) { tools_.KouseiWindowClosed(window); }

  // Raised after every command and state change the screen must show.
  std::function<void()> on_changed;
  // Whether this user may write into a folder (tests answer for it).
  std::function<bool(const std::string& dir)> folder_writable;

 private:
  // MainShell.
  void SetOperationFlag(bool on) override { operation_ = on; }
  void ApplyLoadedDocument(DocumentRecord& doc, bool whole, bool vote_from_file) override;
  void ApplyWork(DocumentRecord doc) override;
  bool OpenAsNewDocument(DocumentRecord doc) override;
  void Changed() const override {
    if (on_changed) on_changed();
  }
  WindowHost* Host() const override { return host_; }

  // BatchTarget: the batch window presses the run and stop buttons, and
  // loads its documents over this window's own.
  void PressRun() override { StartOrPause(); }
  void PressCancel() override { StopSearch(); }
  bool HandOverDocument() override { return SaveChangesFirst(); }
  void QueueChanged(const std::vector<std::string>& files) override {
    document_.SetBatchFiles(files);
  }
  void BatchRunning(bool running) override { batch_running_ = running; }

  // The events between the rooms.
  void BindRooms();
  // The commands that are the window's own: the pages, the percent view,
  // the batch and about windows, the sort button's menu.
  bool WindowState(Cmd cmd, ActionState& state) const;
  bool ExecuteWindowCommand(Cmd cmd);
  // The last document's work (own probabilities, engine settings, the last
  // search's figures, the singles, the run log) put back.
  void ApplyDocumentBody(DocumentRecord& doc);
  void RefreshCheckPage();
  void TogglePercent();
  void SortButton();

  WindowHost* host_;
  bool operation_ = false;
  bool batch_running_ = false;
  bool percent_ = false;
  int page_ = 0;
  std::vector<MenuNode> menu_bar_;
  // The rooms, each built after the rooms it is given.  A new room goes here
  // and, when it has commands, into rooms_; its events are wired in
  // BindRooms.
  RoundPanel round_{*this};
  CheckPage check_{*this};
  MultiPage multi_{*this};
  SinglesPage singles_{*this, round_, multi_, check_};
  SearchRun run_{*this, multi_, singles_};
  OpenDocument document_{*this, round_, singles_};
  MainTools tools_{*this, round_, multi_, singles_, run_, document_, folder_writable};
  // Every room that answers for commands; each command is one room's.
  std::array<MainRoom*, 6> rooms_{&document_, &round_, &run_, &singles_, &check_, &tools_};
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MAIN_WINDOW_H_
