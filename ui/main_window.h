// frmMain, the main window as a controller: the state of the window, its
// document and search commands with their guards and messages, the panels it
// owns, and what the screen shows (captions, enabled and checked flags, the
// page, the title, the status bar).  The Qt view renders this state and turns
// every user action into one call here.
#ifndef ZELVOMINI_UI_MAIN_WINDOW_H_
#define ZELVOMINI_UI_MAIN_WINDOW_H_

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/chances.h"
#include "core/multi_editor.h"
#include "core/pendralcove_download.h"
#include "core/round_document.h"
#include "core/toto_data.h"
#include "engines/engine_panel.h"
#include "engines/search_sequence.h"
#include "files/csv_file.h"
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "output/statistics_panels.h"
#include "reduction/condition_panels.h"
#include "results/result_check.h"
#include "support/check_box.h"
#include "support/grid.h"
#include "ui/disk_version_check.h"
#include "ui/document_history.h"
#include "ui/match_table.h"
#include "ui/option_group.h"
#include "ui/recent_files.h"
#include "ui/single_list.h"
#include "ui/window_host.h"

namespace zelvo {

// Every menu entry and button of the window.
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
};

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

// The round information panel of the home page.
struct SaleStatusView {
  bool visible = false;
  std::string sale_start, sale_end, result;
  std::string status;
};

// The models of one count-condition panel (本命, 人気, 勝敗).
struct CountConditionModels {
  Grid tab, match, outcome, count;
  CheckBox group_check;
  clsXJoken1 panel;
};

// The count panel of the check page, over a statistics count panel.
class ResultCountPanel : public clsTResult::CountPanel {
 public:
  void Initialize();
  void SetValue(const FrameTable& counts) override { panel_.SetValue(counts); }
  void SetColor(const ResultFlags& coloured) override;
  void SetVisible(bool visible) override { panel_.SetVisibleProperty(visible); }
  void Refresh() override { panel_.Refresh(); }
  Grid& grid() { return grid_; }
  clsTCount& panel() { return panel_; }

 private:
  Grid grid_;
  clsTCount panel_;
};

class frmMain : private BatchTarget {
 public:
  static constexpr int kClientWidth = 1005;
  static constexpr int kClientHeight = 655;
  static constexpr const char* kBusyMessage = "現在検索処理を実行中です。検索処理を終了させて下さい。";
  static constexpr int kConditionTabs = 5;  // 金額 本命 人気 勝敗 補正

  explicit frmMain(WindowHost* host = nullptr);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;
  ~frmMain();

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
  bool OpenFile(const std::string& path);
  // The document as the user's last action left it: a difference from the
  // last snapshot becomes one undo step.  The view calls this after every
  // action on a panel; commands do it themselves.
  void CommitEdits();
  // The document differs from its file (or, new, from the empty document).
  bool DocumentChanged() const { return history_.Changed(); }
  const DocumentHistory& History() const { return history_; }
  const RecentFiles& Recent() const { return recent_; }
  // "変更を保存しますか？" when the document has changed; false when the
  // user cancelled or the save failed, and the document must stay.
  bool SaveChangesFirst();

  // The public operations the batch window drives as well.
  bool FileLoadTPD(const std::string& name, bool whole, bool dialog) override;
  bool FileSaveTPD(const std::string& name, bool whole, bool dialog) override;
  // Why the last document load or save failed, for the batch window's list.
  std::string LastFault() const override { return last_fault_; }

  // Any menu entry or button.
  void Execute(Cmd cmd);
  ActionState State(Cmd cmd) const;
  const std::vector<MenuNode>& MenuBar() const { return menu_bar_; }
  // The children of a submenu entry (the sort button pops this one up).
  const MenuNode* FindMenu(Cmd cmd) const;

  void StartOrPause();
  void RunSearch();
  void StopSearch();
  void NewDocument();
  // Enter in the round box: a round whose schedule is not cached yet is
  // fetched as the 開催情報 button would; a cached one is left as it is
  // (the button asks before fetching over the cache).
  void RoundEntered();
  void ShowPage(int page);
  bool IsIdle() const;
  // A file handed over by a second start may open now: no search, batch
  // run, load or save under way (HandOverQueue waits until then).
  bool AcceptsHandedOverFiles() const { return IsIdle() && !operation_ && !batch_running_; }
  bool CheckBusy() const;

  // What the screen shows.
  int CurrentPage() const { return page_; }
  std::string Title() const;
  const std::string& StatusText() const { return status_text_; }
  const std::string& RoundLabel() const { return round_label_; }
  const SaleStatusView& SaleStatus() const { return sale_status_; }
  const std::string& FileName() const { return file_name_; }
  std::string DefaultDocumentName() const;
  const std::string& DefaultFolder() const { return default_folder_; }
  bool Paused() const { return paused_; }
  bool OperationFlag() const { return operation_; }
  // The run message list's selected line (-1 none).
  int LogSelection() const { return log_selection_; }
  int ConditionTab() const { return condition_tab_; }
  void SelectConditionTab(int tab);
  // The engine option frame shown (0 none, 1 trial, 2 count optimisation).
  int EngineFrame() const { return engine_frame_; }
  // Grade-2 and grade-3 payout controls (and sort entries) are shown.
  bool GradeVisible(int grade) const;

  // The document state.
  int Kaisaikai() const { return kaisaikai_; }
  const std::string& Kumi() const { return kumi_; }
  const ScheduleRecord& Schedule() const { return schedule_; }
  const VoteStatusRecord& Vote() const { return vote_; }
  const ResultRecord& Result() const { return result_record_; }
  int SingleCount() const { return single_count_; }
  const std::vector<int>& Singles() const { return singles_; }
  const FrameTable& Frame() const { return frame_; }
  const MultiFlags& Targets() const { return targets_; }
  // The window's document as a file stores it.
  DocumentRecord BuildDocument() const;

  // The panels and their models.
  clsTMain& Round() { return round_; }
  clsTGame& MatchTable() { return game_; }
  clsTMulti& Multi() { return multi_; }
  Grid& MultiGrid() { return multi_grid_; }
  clsXJoken& Joken() { return joken_; }
  CheckBox& MoneyCheck(int grade) { return money_check_.at(grade - 1); }
  NumberEntry& MoneyMin(int grade) { return money_min_.at(grade - 1); }
  NumberEntry& MoneyMax(int grade) { return money_max_.at(grade - 1); }
  Grid& MachigaiGrid() { return machigai_grid_; }
  OptionGroup& MachigaiType() { return machigai_type_; }
  // Kind 1 本命, 2 人気, 3 勝敗.
  CountConditionModels& CountCondition(int kind) { return count_conditions_.at(kind - 1); }
  OptionGroup& EngineOption() { return engine_option_; }
  clsTXSakugen& Sakugen() { return sakugen_; }
  CheckBox& ExGrade2() { return ex_grade2_; }
  CheckBox& ExGrade3() { return ex_grade3_; }
  CheckBox& Chushutsu() { return chushutsu_; }
  // The extraction kinds, then the value orders ("期待値順で抽出",
  // "確率順で抽出"), which can be chosen only with own probabilities.
  OptionGroup& ChushutsuType() { return chushutsu_type_; }
  // The value condition of the 金額 tab.
  CheckBox& ValueCheck() { return value_check_; }
  // 期待値（100円あたり） or 確率比.
  OptionGroup& ValueKind() { return value_kind_; }
  NumberEntry& ValueMin() { return value_min_; }
  NumberEntry& ValueMax() { return value_max_; }
  // The document's own probabilities (unset without them).
  const OwnProbabilities& OwnProbs() const { return own_probs_; }
  void SetOwnProbs(const OwnProbabilities& own);
  // The current singles against the own probabilities, as `chances` reports
  // them (the payout estimate from the vote status in force); for the multi
  // page's live line, empty without own probabilities.
  ChancesReport OwnChances() const;
  std::string OwnChancesText() const;
  RunLogList& Log() { return log_; }
  Grid& CountGrid() { return count_grid_; }
  Grid& MeisaiGrid() { return meisai_grid_; }
  SearchSequence& Search() { return search_; }
  clsTSingle& SingleList() { return single_; }
  CheckBox& EditLockBox() { return edit_lock_; }
  clsTResult& ResultCheck() { return result_; }
  ResultCountPanel& ResultCount() { return result_count_; }
  CheckBox& ResultAll() { return result_all_; }
  CheckBox& DownloadConfirm() { return download_confirm_; }
  const clsTotoData& TotoData() const { return toto_data_; }
  // The open composition-analysis windows.
  const std::vector<std::unique_ptr<frmKouseiBunseki>>& KouseiWindows() const {
    return kousei_windows_;
  }
  // The user closed one.
  void KouseiWindowClosed(frmKouseiBunseki* window);

  // Raised after every command and state change the screen must show.
  std::function<void()> on_changed;
  // Whether this user may write into a folder (tests answer for it).
  std::function<bool(const std::string& dir)> folder_writable;

 private:
  void BuildMenuBar();
  void Changed() const {
    if (on_changed) on_changed();
  }
  void BindPanels();
  void OnKaisaikaiChange(int kaisaikai, const std::string& kumi);
  void ShowVoteStatus();
  void ShowSaleStatus();
  void UpdateDownloadButtons();
  void SetGradeControls();
  void ResetConditions();
  void ResetEngineOptions();
  void TargetColouring(int kind);
  void CloseKouseiWindows();
  void OpenKouseiBunseki(int kind, int row, int group);
  EngineSettings GatherEngineSettings() const;
  ReductionConditions GatherConditions() const;
  void ApplyConditions(const ReductionConditions& conditions);
  void ApplyValueConditions(const ValueConditions& value);
  void ApplyEngineSettings(const EngineSettings& settings);
  void SetSingles(int count, std::vector<int> singles);
  void RefreshSingleViews();
  void RefreshCheckPage();
  void FileOpenCommand();
  void FileSaveAsCommand();
  void JoukenOpenCommand();
  void JoukenSaveCommand();
  void OfficialDownload(int kind);
  void TogglePercent();
  void SortSingles(Cmd cmd);
  void SortButton();
  void RemoveDuplicateSingles();
  void CopyToClipboard(int form);
  void ImportFromClipboard();
  void CsvOpenCommand();
  void CsvSaveCommand();
  void CsvMergeCommand(bool add);
  // The vote rates in force were typed by the user.
  bool UserVoteRates() const;
  void OpenManual();
  void MakerTeamNames();
  void EnterUserVoteRates();
  void EnterOwnProbabilities();
  void UserTeamNames();
  void PrintCommand();
  // The batch window presses the run and stop buttons.
  void PressRun() override { StartOrPause(); }
  void PressCancel() override { StopSearch(); }
  // The batch run loads its documents over this window's own.
  bool HandOverDocument() override { return SaveChangesFirst(); }
  void QueueChanged(const std::vector<std::string>& files) override { batch_files_ = files; }
  void BatchRunning(bool running) override { batch_running_ = running; }
  // A file chosen to save to that is none of the files in use (the open
  // document, the batch queue's) nor in SysData; says why not when it is.
  // `document`: the save of a whole document, which may rewrite the open one.
  bool MayWriteOutput(const std::string& name, bool document);
  void UndoOrRedo(bool redo);
  // Puts a snapshot's work back into the panels and the current page.
  void ApplyDocumentBody(DocumentRecord& doc);
  void ApplyWork(DocumentRecord doc);
  void OpenRecent(size_t index);
  bool CsvOpenFile(const std::string& name);
  // A page refreshed from the window's state: what it filled in by itself is
  // no edit of the user's.
  void AdoptRefresh();
  void OpenSaleSchedule();
  std::string ChooseFile(bool save, const std::string& title, const std::string& filter,
                         const std::string& initial_name, const std::string& ext);

  WindowHost* host_;
  clsTotoData toto_data_;
  clsPendralcoveDownload maker_;
  clsTFileTPD tpd_;
  std::string last_fault_;
  clsTFileCSV csv_;
  clsTMain round_;
  clsTGame game_;
  Grid multi_grid_;
  clsTMulti multi_;
  std::array<CheckBox, 3> money_check_;
  std::array<NumberEntry, 3> money_min_{NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney)};
  std::array<NumberEntry, 3> money_max_{NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney)};
  clsXJoken joken_;
  Grid machigai_grid_;
  OptionGroup machigai_type_;
  std::array<CountConditionModels, 3> count_conditions_;
  OptionGroup engine_option_;
  clsTXSakugen sakugen_;
  CheckBox ex_grade2_, ex_grade3_, chushutsu_;
  OptionGroup chushutsu_type_;
  CheckBox value_check_;
  OptionGroup value_kind_;
  NumberEntry value_min_{NumberEntry::Kind::kDecimal};
  NumberEntry value_max_{NumberEntry::Kind::kDecimal};
  OwnProbabilities own_probs_;
  RunLogList log_;
  SearchSequence search_{&log_};
  Grid count_grid_, meisai_grid_;
  clsTSingle single_;
  CheckBox edit_lock_;
  clsTResult result_;
  ResultCountPanel result_count_;
  CheckBox result_all_;
  CheckBox download_confirm_;
  std::vector<std::unique_ptr<frmKouseiBunseki>> kousei_windows_;
  std::vector<MenuNode> menu_bar_;
  DocumentHistory history_;
  // The file's version when last read or written, checked before a save.
  DiskVersionCheck disk_;
  RecentFiles recent_;
  // Above 0 while a snapshot is being put back: the panels' changes are no
  // steps of their own.
  int history_hold_ = 0;

  // Window state.
  int kaisaikai_ = 0;
  std::string kumi_;
  ScheduleRecord schedule_;
  VoteStatusRecord vote_;
  ResultRecord result_record_;
  std::string round_label_;
  std::string status_text_;
  SaleStatusView sale_status_;
  std::string file_name_;
  std::vector<std::string> batch_files_;
  bool batch_running_ = false;
  int single_count_ = 0;
  std::vector<int> singles_;
  MultiFlags targets_{};
  FrameTable ms_frame_{};
  int ms_count_ = 0;
  std::array<int, 6> ms_tousen_{};
  FrameTable frame_{};
  int page_ = 0;
  bool percent_ = false;
  bool operation_ = false;
  bool paused_ = false;
  bool sort_ascending_ = false;
  std::string default_folder_;
  std::string run_caption_ = "検索開始";
  bool run_enabled_ = true;
  bool stop_enabled_ = false;
  int log_selection_ = -1;
  int condition_tab_ = 0;
  int engine_frame_ = 0;
  std::array<bool, 3> download_enabled_{true, true, true};
  bool loaded_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MAIN_WINDOW_H_
