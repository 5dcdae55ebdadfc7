#include "ui/main_window.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "core/single_frame.h"
#include "core/single_number.h"
#include "core/toto_rules.h"
#include "files/main_ini.h"
#include "output/clipboard.h"
#include "support/data_location.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/format.h"
#include "support/output_target.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"
#include "core/pendralcove_download.h"
#include "files/toto_settings.h"

namespace zelvo {
namespace {

constexpr const char* kMain = "frmMain";
constexpr const char* kBrand = "Pendralcove";
constexpr const char* kDocumentFilter = "データファイル(*.tpd)";
constexpr const char* kConditionsFilter = "条件ファイル(*.tpj)";
constexpr const char* kCsvFilter = "CSVファイル(*.csv)";

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
    {Cmd::kSortMenu, "シングル並べ替え(S)"},
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
};

constexpr const char* kValueCheckCaption = "期待値・確率比で絞り込む";
constexpr const char* kValueKindCaptions[2] = {"期待値（100円あたり）", "確率比"};

std::string CaptionOf(Cmd cmd) {
  for (const CommandText& t : kCaptions) {
    if (t.cmd == cmd) return t.caption;
  }
  return {};
}

bool IsFileCommand(Cmd cmd) {
  switch (cmd) {
    case Cmd::kFileNew: case Cmd::kFileOpen: case Cmd::kFileSave: case Cmd::kFileSaveAs:
    case Cmd::kJoukenMenu: case Cmd::kJoukenOpen: case Cmd::kJoukenSave:
    case Cmd::kCsvMenu: case Cmd::kCsvOpen: case Cmd::kCsvSave: case Cmd::kCsvAdd:
    case Cmd::kCsvDel: case Cmd::kPrint: case Cmd::kExit:
      return true;
    default:
      return false;
  }
}

bool IsSortCommand(Cmd cmd) {
  return (cmd >= Cmd::kSortMenu && cmd <= Cmd::kSortAscending) || cmd == Cmd::kSortExpected ||
         cmd == Cmd::kSortProbability;
}

// "2024年05月10日(金) 13:00:00": the time only when it is not midnight.
std::string SaleDateText(const DateTime& d) {
  if (d.IsZero()) return "";
  std::string text = d.Format("yyyy年mm月dd日") + "(" + d.WeekdayJa() + ") ";
  if (d.TimePart().seconds() != 0) text += d.Format("hh:nn:ss");
  return text;
}

// "2日 3時間0分", "1時間5分".
std::string RemainingText(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  std::string text = days >= 1 ? std::to_string(days) + "日 " : "";
  return text + std::to_string(rest / 3600) + "時間" + std::to_string(rest % 3600 / 60) + "分";
}

std::string WithExtension(const std::string& name, const std::string& ext) {
  if (name.empty() || ext.empty()) return name;
  size_t slash = name.find_last_of("/\\");
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return name;
  return name + "." + ext;
}

bool HasContent(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  return !ec && size > 0;
}

// "https://host" of an address, "" when it has none.
std::string SchemeAndHost(const std::string& url) {
  size_t scheme = url.find("://");
  if (scheme == std::string::npos) return "";
  size_t path = url.find('/', scheme + 3);
  return path == std::string::npos ? url : url.substr(0, path);
}

}  // namespace

// ---------------------------------------------------------------- ResultCountPanel

void ResultCountPanel::Initialize() { panel_.Initialize(&grid_, 60, 21); }

void ResultCountPanel::SetColor(const ResultFlags& coloured) {
  MultiFlags flags{};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) flags[o][m] = coloured[m][o];
  }
  panel_.SetColor(flags);
}

// ---------------------------------------------------------------- frmMain

frmMain::frmMain(WindowHost* host)
    : folder_writable([](const std::string& dir) {
        return DirExists(dir) && access(dir.c_str(), W_OK | X_OK) == 0;
      }),
      host_(host),
      machigai_type_({kMachigaiTypeCaptions[0], kMachigaiTypeCaptions[1], kMachigaiTypeCaptions[2]}),
      engine_option_([] {
        std::vector<std::string> captions;
        for (const EngineChoice& c : kEngineChoices) captions.push_back(c.caption);
        return captions;
      }()),
      chushutsu_type_([] {
        std::vector<std::string> captions;
        for (const ExtractionKind& k : kExtractionKinds) captions.push_back(k.caption);
        for (int o = 1; o < kExtractionOrderCount; ++o) captions.push_back(kExtractionOrders[o]);
        return captions;
      }()),
      value_kind_({kValueKindCaptions[0], kValueKindCaptions[1]}) {
  for (int i = 0; i < kExtractionKindCount; ++i) {
    chushutsu_type_.SetEnabled(i, kExtractionKinds[i].enabled);
  }
  for (int i = kExtractionKindCount; i < chushutsu_type_.Count(); ++i) {
    chushutsu_type_.SetEnabled(i, false);
  }
  value_check_.caption = kValueCheckCaption;
  value_check_.enabled = false;
  value_min_.SetRange(Money::FromInt(0), Money::FromInt(99999999));
  value_max_.SetRange(Money::FromInt(0), Money::FromInt(99999999));
  ex_grade2_.caption = kLabelExSecondGrade;
  ex_grade3_.caption = kLabelExThirdGrade;
  chushutsu_.caption = kLabelExtraction;
  edit_lock_.caption = "編集ロック";
  result_all_.caption = "常に全ての結果を表示する";
  download_confirm_.caption = "ダウンロード時に確認";
  BuildMenuBar();
}

frmMain::~frmMain() {
  // The panels' events point into this window.
  round_.KaisaikaiChange = nullptr;
  round_.UnknownTeams = nullptr;
}

void frmMain::BuildMenuBar() {
  auto leaf = [](Cmd c) { return MenuNode{c, {}}; };
  auto sub = [](Cmd c, std::vector<MenuNode> children) { return MenuNode{c, std::move(children)}; };
  const MenuNode sep;
  menu_bar_ = {
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
      sub(Cmd::kViewMenu, {leaf(Cmd::kPageHome), leaf(Cmd::kPageMulti), leaf(Cmd::kPageSingle),
                           leaf(Cmd::kPageCheck), sep, leaf(Cmd::kPercent)}),
      sub(Cmd::kToolMenu, {leaf(Cmd::kBatch), sep, leaf(Cmd::kUserVote), leaf(Cmd::kOwnProbs),
                           leaf(Cmd::kUserTeams), sep, leaf(Cmd::kAnalysis), sep,
                           leaf(Cmd::kArchiveDownload), leaf(Cmd::kBacktest)}),
      sub(Cmd::kHelpMenu, {leaf(Cmd::kManual), sep, leaf(Cmd::kAbout)}),
  };
}

const MenuNode* frmMain::FindMenu(Cmd cmd) const {
  std::vector<const MenuNode*> stack;
  for (const MenuNode& n : menu_bar_) stack.push_back(&n);
  while (!stack.empty()) {
    const MenuNode* n = stack.back();
    stack.pop_back();
    if (n->cmd == cmd) return n;
    for (const MenuNode& c : n->children) stack.push_back(&c);
  }
  return nullptr;
}

void frmMain::BindPanels() {
  round_.Initialize();
  round_.KaisaikaiChange = [this](int k, const std::string& g) { OnKaisaikaiChange(k, g); };
  round_.UnknownTeams = [this](const std::vector<std::string>& names) {
    frmTeamNames dialog;
    dialog.Load(names);
    return host_ && host_->RunTeamNames(dialog);
  };
  for (int g = 1; g <= 3; ++g) {
    joken_.SetMoneyObject(g, &money_check_[g - 1], &money_min_[g - 1], &money_max_[g - 1]);
  }
  joken_.SetMachigaiObject(&machigai_grid_);
  for (int i = 0; i < kXSakugenFieldCount; ++i) {
    sakugen_.SetObject(i, Money::FromInt(kXSakugenLimits[i].min),
                       Money::FromInt(kXSakugenLimits[i].max));
  }
  single_.Initialize();
  single_.ChangeValue = [this](int index, int single) {
    if (index >= 0 && index < single_count_) singles_[index] = single;
  };
  single_.ChangeFrame = [this](const FrameTable& frame) {
    frame_ = frame;
    single_.SetSingleFrame(frame_, targets_);
  };
  single_.ChangeCount = [this](int count, const std::vector<int>& singles) {
    singles_.assign(singles.begin(), singles.begin() + std::min<size_t>(count, singles.size()));
    single_count_ = static_cast<int>(singles_.size());
    single_.SetSingle(single_count_, singles_);
  };
  single_.ChangeLock = [this](bool value) { edit_lock_.SetChecked(value); };
  edit_lock_.on_change = [this] { single_.EditLock(edit_lock_.Checked()); };
  single_.on_view_changed = [this] { Changed(); };

  game_.Initialize(true, &toto_data_);
  game_.Click = [this] {
    game_.ShowCounts(!game_.CountsShown());
    Changed();
  };
  multi_.Initialize(&multi_grid_, 30, 21);

  static const ConditionTable kKinds[3] = {ConditionTable::kHonmei, ConditionTable::kNinki,
                                           ConditionTable::kMark};
  for (int k = 0; k < 3; ++k) {
    CountConditionModels& m = count_conditions_[k];
    // Narrow tabs, so that the 29 groups fit the panel's width.
    m.tab.SetDefaultSize(19, 21);
    m.panel.Initialize(kKinds[k], &m.tab, &m.match, &m.outcome, &m.count, &m.group_check);
    m.tab.SetColWidth(1, 32);  // room for the two characters of the first tab
    const int kind = k + 1;
    m.panel.TabClick = [this, kind](int) {
      TargetColouring(kind);
      CloseKouseiWindows();
      Changed();
    };
    m.panel.TaishoChange = [this, kind] { TargetColouring(kind); };
    m.panel.KoseiBunseki = [this, kind](int row, int group) { OpenKouseiBunseki(kind, row, group); };
    m.panel.item_dialog = [this](frmJouken& dialog) {
      return host_ ? host_->RunItemDialog(dialog) : false;
    };
  }
  search_.Reduction().Initialize(&log_, &count_grid_, &meisai_grid_);
  result_.Initialize();
  result_count_.Initialize();
  result_.SetCountPanel(&result_count_);
  result_.on_view_changed = [this] { Changed(); };
  result_all_.on_change = [this] {
    if (page_ == 3) RefreshCheckPage();
    Changed();
  };
  engine_option_.on_change = [this] {
    EnginePanelView view = EnginePanelFor(engine_option_.Index());
    engine_frame_ = view.frame;
    ex_grade3_.enabled = view.third_grade_enabled;
    Changed();
  };
  log_.on_changed = [this] { Changed(); };
}

void frmMain::Load() {
  try {
    MainWindowSettings settings = LoadMainIni();
    BindPanels();
    download_confirm_.SetChecked(settings.DownloadMessage);
    result_all_.SetChecked(settings.ResultAll);
    recent_.Set(settings.RecentFiles);

    std::string folder = DocumentsDir();
    if (!DirExists(folder)) MakeDirs(folder);
    ResetConditions();
    ResetEngineOptions();
    SelectConditionTab(0);
    default_folder_ = folder;
    loaded_ = true;
    NewDocument();
    round_.SetKaisaikai(settings.Kaisaikai);
    // A remembered round that equals the box's first value raises no change.
    if (round_label_.empty()) OnKaisaikaiChange(round_.Kaisaikai(), round_.Kumi());
    history_.Reset(BuildDocument());
  } catch (const std::exception& e) {
    ReportException(kMain, "Form_Load", e);
  }
  Changed();
}

bool frmMain::QueryClose() {
  if (CheckBusy()) return false;
  return SaveChangesFirst();
}

void frmMain::Unload() {
  try {
    CloseKouseiWindows();
    MainWindowSettings settings;
    settings.Kaisaikai = round_.Kaisaikai();
    settings.DownloadMessage = download_confirm_.Checked();
    settings.ResultAll = result_all_.Checked();
    settings.RecentFiles = recent_.Storable();
    SaveMainIni(settings);
  } catch (const std::exception& e) {
    ReportException(kMain, "Form_Unload", e);
  }
}

bool frmMain::IsIdle() const { return !search_.Running(); }

bool frmMain::CheckBusy() const {
  if (!IsIdle()) {
    platform().MessageBox(kBusyMessage, kAppTitle, MsgIcon::kWarning);
    return true;
  }
  return operation_;
}

bool frmMain::GradeVisible(int grade) const {
  return totoRules().GetMaxGrade(kaisaikai_) >= grade;
}

std::string frmMain::Title() const {
  std::string title = std::string(" ") + kBrand + "  " + kAppTitle;
  if (!file_name_.empty()) title += " - [" + FileNamePart(file_name_) + "]";
  // The mark of a document with changes not yet saved.
  if (history_.Changed()) title = "*" + title;
  return title;
}

std::string frmMain::DefaultDocumentName() const {
  return clsTFileCSV::GetBaseName(kaisaikai_, kumi_);
}

// ---------------------------------------------------------------- state of the screen

ActionState frmMain::State(Cmd cmd) const {
  ActionState s;
  s.caption = CaptionOf(cmd);
  const bool idle = IsIdle();
  if (IsFileCommand(cmd) || IsSortCommand(cmd)) s.enabled = idle;
  switch (cmd) {
    case Cmd::kSelectAll: case Cmd::kSelectNone: case Cmd::kAddSingle: case Cmd::kDeleteSingles:
      s.enabled = page_ == 2;
      break;
    case Cmd::kSortMoney2: s.visible = GradeVisible(2); break;
    case Cmd::kSortMoney3: s.visible = GradeVisible(3); break;
    case Cmd::kSortMark3: case Cmd::kSortNinki3: s.visible = false; break;
    case Cmd::kSortHits: s.enabled = idle && page_ == 3; break;
    case Cmd::kSortExpected: case Cmd::kSortProbability:
      s.enabled = idle && own_probs_.set;
      break;
    case Cmd::kSortAscending: s.checked = sort_ascending_; break;
    case Cmd::kRemoveDuplicates: case Cmd::kCopyMenu: case Cmd::kCopyReport:
    case Cmd::kCopyReportConditions: case Cmd::kCopySinglesRows: case Cmd::kCopySinglesColumns:
    case Cmd::kImportMenu: case Cmd::kImportSinglesRows: case Cmd::kBatch:
    case Cmd::kUserVote: case Cmd::kUserTeams: case Cmd::kAnalysis:
    case Cmd::kArchiveDownload: case Cmd::kBacktest: case Cmd::kOwnProbs:
    case Cmd::kOwnProbsButton:
      s.enabled = idle;
      break;
    case Cmd::kPercent:
      s.enabled = idle;
      s.checked = percent_;
      break;
    case Cmd::kPageHome: s.checked = page_ == 0; break;
    case Cmd::kPageMulti: s.checked = page_ == 1; break;
    case Cmd::kPageSingle: s.checked = page_ == 2; break;
    case Cmd::kPageCheck: s.checked = page_ == 3; break;
    case Cmd::kRun:
      s.caption = run_caption_;
      s.enabled = run_enabled_;
      break;
    case Cmd::kStop: s.enabled = stop_enabled_; break;
    case Cmd::kDownloadSchedule: s.enabled = download_enabled_[0]; break;
    case Cmd::kDownloadVote: s.enabled = download_enabled_[1]; break;
    case Cmd::kDownloadResult: s.enabled = download_enabled_[2]; break;
    case Cmd::kPreviousPage: s.enabled = single_.MovePreviousEnabled(); break;
    case Cmd::kNextPage: s.enabled = single_.MoveNextEnabled(); break;
    case Cmd::kResultPreviousPage: s.enabled = result_.MovePreviousEnabled(); break;
    case Cmd::kResultNextPage: s.enabled = result_.MoveNextEnabled(); break;
    case Cmd::kUndo: s.enabled = idle && !operation_ && history_.CanUndo(); break;
    case Cmd::kRedo: s.enabled = idle && !operation_ && history_.CanRedo(); break;
    case Cmd::kRecentMenu: s.enabled = idle && !recent_.Files().empty(); break;
    case Cmd::kRecent1: case Cmd::kRecent2: case Cmd::kRecent3: case Cmd::kRecent4:
    case Cmd::kRecent5: case Cmd::kRecent6: case Cmd::kRecent7: case Cmd::kRecent8: {
      const size_t i = static_cast<size_t>(cmd) - static_cast<size_t>(Cmd::kRecent1);
      s.enabled = idle;
      s.visible = i < recent_.Files().size();
      // "&1 /path": an "&" of the path itself is no mnemonic.
      if (s.visible) {
        s.caption = "&" + std::to_string(i + 1) + " " + ReplaceAll(recent_.Files()[i], "&", "&&");
      }
      break;
    }
    case Cmd::kShowAllResults: case Cmd::kShowNextResult:
      s.enabled = result_.Official() && !result_.FullResult();
      break;
    default:
      break;
  }
  return s;
}

// ---------------------------------------------------------------- commands

void frmMain::Execute(Cmd cmd) {
  try {
    if (!State(cmd).enabled && cmd != Cmd::kRun) return;
    // Edits on the panels since the last command are a step of their own.
    CommitEdits();
    switch (cmd) {
      case Cmd::kFileNew:
        if (!SaveChangesFirst()) break;
        ShowPage(0);
        NewDocument();
        break;
      case Cmd::kFileOpen:
        if (SaveChangesFirst()) FileOpenCommand();
        break;
      case Cmd::kUndo: UndoOrRedo(false); break;
      case Cmd::kRedo: UndoOrRedo(true); break;
      case Cmd::kRecent1: case Cmd::kRecent2: case Cmd::kRecent3: case Cmd::kRecent4:
      case Cmd::kRecent5: case Cmd::kRecent6: case Cmd::kRecent7: case Cmd::kRecent8:
        OpenRecent(static_cast<size_t>(cmd) - static_cast<size_t>(Cmd::kRecent1));
        break;
      case Cmd::kFileSave:
        if (file_name_.empty()) {
          FileSaveAsCommand();
        } else {
          FileSaveTPD(file_name_, true, true);
        }
        break;
      case Cmd::kFileSaveAs: FileSaveAsCommand(); break;
      case Cmd::kJoukenOpen: JoukenOpenCommand(); break;
      case Cmd::kJoukenSave: JoukenSaveCommand(); break;
      case Cmd::kSelectAll: single_.SetAllSelect(true); break;
      case Cmd::kSelectNone: single_.SetAllSelect(false); break;
      case Cmd::kAddSingle: case Cmd::kAddSingleButton: single_.Add(); break;
      case Cmd::kDeleteSingles: case Cmd::kDeleteSinglesButton: single_.SelectDelete(); break;
      case Cmd::kPageHome: ShowPage(0); break;
      case Cmd::kPageMulti: ShowPage(1); break;
      case Cmd::kPageSingle: ShowPage(2); break;
      case Cmd::kPageCheck: ShowPage(3); break;
      case Cmd::kPercent: TogglePercent(); break;
      case Cmd::kRun: StartOrPause(); break;
      case Cmd::kStop: StopSearch(); break;
      case Cmd::kDownloadSchedule: OfficialDownload(0); break;
      case Cmd::kDownloadVote: OfficialDownload(1); break;
      case Cmd::kDownloadResult: OfficialDownload(2); break;
      case Cmd::kPreviousPage: single_.MovePrevious(); break;
      case Cmd::kNextPage: single_.MoveNext(); break;
      case Cmd::kResultPreviousPage: result_.MovePrevious(); break;
      case Cmd::kResultNextPage: result_.MoveNext(); break;
      case Cmd::kShowAllResults:
        result_.SetAlltData();
        break;
      case Cmd::kShowNextResult:
        result_.SetNextData();
        break;
      case Cmd::kManual: OpenManual(); break;
      case Cmd::kMakerTeams: MakerTeamNames(); break;
      case Cmd::kMakerTeamsRestore:
        if (!CheckBusy() && clsPendralcoveDownload::RestoreTeamName2(download_confirm_.Checked())) {
          round_.ScheduleInitialize();
        }
        break;
      case Cmd::kUserVote: case Cmd::kUserVoteButton: EnterUserVoteRates(); break;
      case Cmd::kOwnProbs: case Cmd::kOwnProbsButton: EnterOwnProbabilities(); break;
      case Cmd::kUserTeams: case Cmd::kUserTeamsButton: UserTeamNames(); break;
      case Cmd::kPrint: PrintCommand(); break;
      case Cmd::kBatch:
        if (host_) host_->ShowBatch(*this);
        break;
      case Cmd::kAbout:
        if (host_) host_->ShowAbout();
        break;
      case Cmd::kAnalysis: {
        frmAnalysis analysis;
        analysis.SetDocument(BuildDocument());
        // The minimum's singles come in as an import does.
        analysis.on_take_singles = [this](const std::vector<int>& singles) {
          operation_ = true;
          SetSingles(static_cast<int>(singles.size()), singles);
          operation_ = false;
          ShowPage(2);
        };
        if (host_) host_->ShowAnalysis(analysis);
        break;
      }
      case Cmd::kArchiveDownload: {
        frmArchive archive;
        archive.From().SetIntValue(std::max(1, round_.Kaisaikai() - 20));
        archive.To().SetIntValue(std::max(1, round_.Kaisaikai()));
        if (host_) host_->RunArchive(archive);
        break;
      }
      case Cmd::kBacktest: {
        frmBacktest backtest;
        backtest.SetDocument(BuildDocument());
        int round = 0;
        std::string group;
        backtest.on_open_round = [&round, &group](int r, const std::string& g) {
          round = r;
          group = g;
        };
        if (host_) host_->RunBacktest(backtest);
        if (round > 0) {
          // The round the user picked, shown on the multi page with its votes.
          round_.SetKumi(group);
          round_.SetKaisaikai(round);
          ShowPage(1);
        }
        break;
      }
      case Cmd::kSortMoney1: case Cmd::kSortMoney2: case Cmd::kSortMoney3:
      case Cmd::kSortMark0: case Cmd::kSortMark1: case Cmd::kSortMark2:
      case Cmd::kSortNinki0: case Cmd::kSortNinki1: case Cmd::kSortNinki2:
      case Cmd::kSortHits: case Cmd::kSortByHits: case Cmd::kSortExpected:
      case Cmd::kSortProbability:
        SortSingles(cmd);
        break;
      case Cmd::kSortAscending: sort_ascending_ = !sort_ascending_; break;
      case Cmd::kSortButton: SortButton(); break;
      case Cmd::kRemoveDuplicates: RemoveDuplicateSingles(); break;
      case Cmd::kCopyReport: CopyToClipboard(clsTClipboard::kFormReport); break;
      case Cmd::kCopyReportConditions:
        CopyToClipboard(clsTClipboard::kFormReportWithConditions);
        break;
      case Cmd::kCopySinglesRows: CopyToClipboard(clsTClipboard::kFormSinglesPerLine); break;
      case Cmd::kCopySinglesColumns: CopyToClipboard(clsTClipboard::kFormSinglesPerColumn); break;
      case Cmd::kImportSinglesRows: ImportFromClipboard(); break;
      case Cmd::kCsvOpen:
        if (SaveChangesFirst()) CsvOpenCommand();
        break;
      case Cmd::kCsvSave: CsvSaveCommand(); break;
      case Cmd::kCsvAdd: CsvMergeCommand(true); break;
      case Cmd::kCsvDel: CsvMergeCommand(false); break;
      case Cmd::kSaleSchedule: OpenSaleSchedule(); break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    ReportException(kMain, "Execute", e);
  }
  CommitEdits();
  Changed();
}

std::string frmMain::ChooseFile(bool save, const std::string& title, const std::string& filter,
                                const std::string& initial_name, const std::string& ext) {
  FileDialogRequest request;
  request.title = title;
  request.filter = filter;
  request.initial_dir = default_folder_;
  request.initial_name = initial_name;
  request.default_ext = ext;
  std::string name = save ? platform().SaveFileDialog(request) : platform().OpenFileDialog(request);
  return WithExtension(name, ext);
}

void frmMain::FileOpenCommand() {
  std::string name = ChooseFile(false, "ファイルを開く", kDocumentFilter,
                                DefaultDocumentName() + ".tpd", "tpd");
  if (!name.empty()) FileLoadTPD(name, true, true);
}

void frmMain::FileSaveAsCommand() {
  std::string name = ChooseFile(true, "名前を付けて保存", kDocumentFilter,
                                DefaultDocumentName() + ".tpd", "tpd");
  if (!name.empty() && MayWriteOutput(name, true)) FileSaveTPD(name, true, true);
}

bool frmMain::MayWriteOutput(const std::string& name, bool document) {
  // Saving the document under its own name is the plain save.
  const bool in_place = document && !file_name_.empty() && SameFile(name, file_name_);
  std::vector<std::string> inputs;
  if (!in_place) {
    inputs = batch_files_;
    if (!file_name_.empty()) inputs.push_back(file_name_);
  }
  const OutputVerdict verdict = CheckOutputTarget(name, inputs, in_place);
  if (verdict.refusal == OutputRefusal::kNone) return true;
  platform().MessageBox(OutputRefusalMessage(verdict, name), kAppTitle, MsgIcon::kWarning);
  return false;
}

void frmMain::JoukenOpenCommand() {
  std::string name = ChooseFile(false, "ファイルを開く", kConditionsFilter, "", "tpj");
  if (!name.empty()) FileLoadTPD(name, false, true);
}

void frmMain::JoukenSaveCommand() {
  std::string name = ChooseFile(true, "名前を付けて保存", kConditionsFilter, "条件", "tpj");
  if (!name.empty() && MayWriteOutput(name, false)) FileSaveTPD(name, false, true);
}

void frmMain::OfficialDownload(int kind) {
  if (CheckBusy()) return;
  if (round_.Kaisaikai() == 0) {
    platform().MessageBox("開催回を設定して下さい", kAppTitle, MsgIcon::kInformation);
    return;
  }
  const bool ask = download_confirm_.Checked();
  // A cached file is never replaced on its own, so a wrong one would spoil
  // the round for good: fetching again over it is the user's explicit choice.
  static const char* const kKinds[] = {"開催情報", "投票状況", "くじ結果"};
  const bool cached = kind == 0   ? round_.CheckScheduleFile()
                      : kind == 1 ? round_.CheckVoteFile()
                                  : round_.CheckResultFile();
  bool refresh = false;
  if (cached && !round_.NoGame()) {
    const std::string name = kKinds[std::clamp(kind, 0, 2)];
    refresh =
        platform().MessageBox("キャッシュ済みの" + name + "を再ダウンロードしますか？", " " + name,
                              MsgIcon::kQuestion, MsgButtons::kYesNo) == MsgAnswer::kYes;
  }
  // The user has just said yes to this download: no second question.
  const bool ask_download = ask && !refresh;
  switch (kind) {
    case 0: round_.GetSchedule(ask_download, refresh); break;
    case 1: round_.GetVote(ask_download, refresh); break;
    default: round_.GetResult(ask_download, refresh); break;
  }
}

void frmMain::RoundEntered() {
  if (round_.Kaisaikai() <= 0 || round_.CheckScheduleFile()) return;
  if (State(Cmd::kDownloadSchedule).enabled) Execute(Cmd::kDownloadSchedule);
}

void frmMain::EnterUserVoteRates() {
  frmOdds::Rates rates{};
  frmOdds::Teams teams;
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) {
      rates[o][m] = static_cast<int>((vote_.matches[m].outcomes[o].rate * Money::FromInt(100)).RoundToInt());
    }
    teams[m] = {schedule_.matches[m].home, schedule_.matches[m].away};
  }
  frmOdds odds;
  odds.Setup(rates, teams);
  if (!host_ || !host_->RunOdds(odds)) return;
  // The user's rates make a vote status of their own: this round and group,
  // no as-of time, the counts per ten thousand.
  VoteStatusRecord vote;
  vote.Kaisaikai = kaisaikai_;
  vote.Kumi = kumi_;
  for (int m = 0; m < 5; ++m) {
    vote.matches[m].home = schedule_.matches[m].home;
    vote.matches[m].away = schedule_.matches[m].away;
    vote.matches[m].match_date = schedule_.matches[m].match_date;
    for (int o = 0; o < 3; ++o) {
      const int r = odds.ResultRates()[o][m];
      vote.matches[m].outcomes[o].count = Money::FromInt(r);
      vote.matches[m].outcomes[o].rate = Money::FromRaw(static_cast<int64_t>(r) * Money::kScale / 100);
    }
  }
  vote.sale_start = schedule_.sale_start;
  vote.sale_end = schedule_.sale_end;
  vote_ = vote;
  round_.SetVote(vote);
  ShowVoteStatus();
  // Ranks, estimates and the match table follow the new rates.
  if (page_ == 1 || page_ == 2) ShowPage(page_);
}

void frmMain::EnterOwnProbabilities() {
  frmOwnProbs window;
  frmOwnProbs::Teams teams;
  for (int m = 0; m < 5; ++m) teams[m] = {schedule_.matches[m].home, schedule_.matches[m].away};
  window.Setup(own_probs_, teams);
  if (!host_ || !host_->RunOwnProbs(window)) return;
  SetOwnProbs(window.ResultProbabilities());
  // The match table and the singles' figures follow.
  if (page_ == 1 || page_ == 2) ShowPage(page_);
  // One undo step of its own, like any other command.
  CommitEdits();
}

void frmMain::SetOwnProbs(const OwnProbabilities& own) {
  own_probs_ = own;
  // The value orders rank by the own probabilities: without them they
  // cannot be chosen (a stored choice stays, and extracts at random).
  for (int i = kExtractionKindCount; i < chushutsu_type_.Count(); ++i) {
    chushutsu_type_.SetEnabled(i, own.set);
  }
  value_check_.enabled = own.set || value_check_.Checked();
}

ChancesReport frmMain::OwnChances() const {
  if (!own_probs_.set) return {};
  // Priced only where `chances` prices: a vote status with votes in every match.
  OutcomeProbabilities official{};
  std::string error;
  clsTMoney money;
  const bool priced = ProbabilitiesFromVote(vote_, official, error);
  if (priced) money.SetVote(vote_);
  std::vector<int> bought;
  bought.reserve(singles_.size());
  for (int s : singles_) {
    if (s >= 0 && s < kSingles) bought.push_back(s);
  }
  return AnalyseChances(bought, own_probs_.p, priced ? &money : nullptr);
}

std::string frmMain::OwnChancesText() const {
  if (!own_probs_.set) return "";
  const ChancesReport r = OwnChances();
  std::string text = "自分の確率で　的中 " + FormatNumber(r.win * 100, "0.00") + "%";
  if (r.has_payout && r.tickets > 0) {
    text += "　期待値 " + FormatNumber(r.per_100, "#,##0.0") + "円／100円";
  }
  return text;
}

void frmMain::UserTeamNames() {
  frmTeamName dialog;
  if (host_ && host_->RunTeamName(dialog)) round_.ScheduleInitialize();
}

void frmMain::PrintCommand() {
  frmPrint print;
  frmPrint::Teams teams;
  for (int m = 0; m < 5; ++m) teams[m] = {schedule_.matches[m].home, schedule_.matches[m].away};
  print.ShowForm(single_count_, singles_, kaisaikai_, kumi_, file_name_, teams);
  if (host_) host_->RunPrint(print);
}

void frmMain::MakerTeamNames() {
  if (CheckBusy()) return;
  // The download replaces SysData/TeamName2.dat: a folder this user cannot
  // write to would only fail after the transfer, so say so before it.
  const std::string folder = SysDataPath();
  if (!folder_writable(folder)) {
    platform().MessageBox("システムデータフォルダに書き込めないため、ダウンロードできません。\r\n" +
                              folder +
                              "\r\nこのフォルダに書き込めるユーザーで実行して下さい。",
                          "管理権限不足エラー", MsgIcon::kWarning);
    return;
  }
  if (maker_.DownloadTeamName2(download_confirm_.Checked())) round_.ScheduleInitialize();
}

// Without a browser the request ends silently; the address lets the user
// open the page some other way.
static void OpenInBrowser(const std::string& url) {
  if (platform().OpenUrl(url)) return;
  platform().MessageBox(
      "ブラウザを開けませんでした。\r\n次のアドレスをブラウザで開いて下さい。\r\n" + url, kAppTitle,
      MsgIcon::kInformation);
}

void frmMain::OpenManual() {
  std::string host = SchemeAndHost(clsPendralcoveDownload::ServerBaseUrl());
  if (host.empty()) {
    platform().MessageBox("マニュアルのサーバーが設定されていません", kAppTitle,
                          MsgIcon::kInformation);
    return;
  }
  // The page is named after the program: "Zelvo mini" -> "zelvomini".
  std::string page;
  for (char c : std::string(kAppTitle)) {
    if (c != ' ') page += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  OpenInBrowser(host + "/manual/" + page + ".html");
}

void frmMain::OpenSaleSchedule() {
  std::string host = SchemeAndHost(totoSettings().totoOfficialScheduleUrl);
  if (host.empty()) host = kOfficialHost;
  OpenInBrowser(host + "/dci/I/IPA/IPA01.do?op=inittotoSerLotSchedule");
}

// ---------------------------------------------------------------- singles commands

void frmMain::SortSingles(Cmd cmd) {
  if (CheckBusy()) return;
  clsTSingleSort sort;
  sort.SetVote(vote_);
  sort.SetOwn(own_probs_);
  operation_ = true;
  const bool ascending = sort_ascending_;
  switch (cmd) {
    case Cmd::kSortExpected:
      sort.ValueSort(singles_, clsTSingleSort::kByExpected, ascending);
      break;
    case Cmd::kSortProbability:
      sort.ValueSort(singles_, clsTSingleSort::kByProbability, ascending);
      break;
    case Cmd::kSortMoney1: sort.MoneySort(singles_, 0, ascending); break;
    case Cmd::kSortMoney2: sort.MoneySort(singles_, 1, ascending); break;
    case Cmd::kSortMoney3: sort.MoneySort(singles_, 2, ascending); break;
    case Cmd::kSortMark0: sort.MarkSort(singles_, 0, ascending); break;
    case Cmd::kSortMark1: sort.MarkSort(singles_, 1, ascending); break;
    case Cmd::kSortMark2: sort.MarkSort(singles_, 2, ascending); break;
    case Cmd::kSortNinki0: sort.NinkiSort(singles_, 0, ascending); break;
    case Cmd::kSortNinki1: sort.NinkiSort(singles_, 1, ascending); break;
    case Cmd::kSortNinki2: sort.NinkiSort(singles_, 2, ascending); break;
    default:
      // By hits: the result screen grades the singles it was given.
      result_.SetSingle(single_count_, singles_);
      result_.GradeSort(singles_, ascending);
      break;
  }
  operation_ = false;
  // A sort only reorders: the outcome frame stays as it is.
  if (page_ == 2) {
    single_.SetSingle(single_count_, singles_);
    single_.MovePage(0);
  } else if (page_ == 3) {
    result_.SetSingle(single_count_, singles_);
  }
}

void frmMain::SortButton() {
  const MenuNode* menu = FindMenu(Cmd::kSortMenu);
  if (!menu) return;
  // The entries as the Edit menu shows them now, and the command of each.
  std::vector<MenuEntry> entries;
  std::vector<std::vector<Cmd>> commands;
  for (const MenuNode& node : menu->children) {
    ActionState state = State(node.cmd);
    if (!node.separator() && !state.visible) continue;
    MenuEntry e;
    e.separator = node.separator();
    e.text = state.caption;
    e.enabled = state.enabled;
    e.checked = state.checked;
    std::vector<Cmd> subs;
    for (const MenuNode& child : node.children) {
      ActionState cs = State(child.cmd);
      if (!cs.visible) continue;
      MenuEntry c;
      c.text = cs.caption;
      c.enabled = cs.enabled;
      e.submenu.push_back(c);
      subs.push_back(child.cmd);
    }
    if (node.children.empty()) subs.push_back(node.cmd);
    entries.push_back(e);
    commands.push_back(subs);
  }
  MenuChoice choice = platform().PopupMenuTree("", entries);
  if (choice.index < 0 || choice.index >= static_cast<int>(commands.size())) return;
  const std::vector<Cmd>& subs = commands[choice.index];
  int sub = entries[choice.index].submenu.empty() ? 0 : choice.sub_index;
  if (sub < 0 || sub >= static_cast<int>(subs.size())) return;
  Execute(subs[sub]);
}

void frmMain::RemoveDuplicateSingles() {
  if (CheckBusy()) return;
  std::vector<int> kept;
  kept.reserve(singles_.size());
  std::array<bool, kSingles> seen{};
  for (int s : singles_) {
    if (s >= 0 && s < kSingles) {
      if (seen[s]) continue;
      seen[s] = true;
    }
    kept.push_back(s);
  }
  if (kept.size() == singles_.size()) {
    platform().MessageBox("重複したシングルは存在しません", kAppTitle, MsgIcon::kInformation);
  } else {
    const int before = single_count_;
    const int after = static_cast<int>(kept.size());
    operation_ = true;
    SetSingles(after, std::move(kept));
    operation_ = false;
    platform().MessageBox("重複したシングルを消去しました\r\nシングル総数：" +
                              FormatNumber(static_cast<int64_t>(before), "#,##0") + " → " +
                              FormatNumber(static_cast<int64_t>(single_count_), "#,##0"),
                          kAppTitle, MsgIcon::kInformation);
  }
  ShowPage(2);
}

bool frmMain::UserVoteRates() const { return vote_.Kaisaikai > 0 && vote_.as_of.IsZero(); }

void frmMain::CopyToClipboard(int form) {
  clsTClipboard clipboard;
  clipboard.Copy(form, BuildDocument(), schedule_, UserVoteRates());
}

void frmMain::ImportFromClipboard() {
  std::vector<int> singles = clsTClipImport().Import();
  if (singles.empty()) return;
  const int count = static_cast<int>(singles.size());
  operation_ = true;
  SetSingles(count, std::move(singles));
  operation_ = false;
  ShowPage(3);
  platform().MessageBox(std::to_string(count) + "口取り込みしました", kAppTitle,
                        MsgIcon::kInformation);
}

void frmMain::CsvOpenCommand() {
  std::string name = ChooseFile(false, "ファイルを開く", kCsvFilter,
                                clsTFileCSV::GetCsvFileName(kaisaikai_, kumi_), "csv");
  if (!name.empty()) CsvOpenFile(name);
}

bool frmMain::CsvOpenFile(const std::string& name) {
  // Read first: a file that cannot be read leaves the open document as it was.
  int count = 0;
  std::vector<int> singles;
  operation_ = true;
  bool ok = csv_.CsvLoad(name, count, singles);
  operation_ = false;
  if (!ok) return false;
  // A file with text but no single in it (another format, binary data) is
  // not taken for an empty list: it would replace the document with nothing.
  if (count == 0 && HasContent(name)) {
    platform().MessageBox("ファイルの読込に失敗しました。", kAppTitle, MsgIcon::kWarning);
    return false;
  }
  NewDocument();
  operation_ = true;
  SetSingles(count, std::move(singles));
  operation_ = false;
  round_.SetKumi(clsTFileCSV::GetKumi(name));
  int round = clsTFileCSV::GetKaisaikai(name);
  if (round > 0) round_.SetKaisaikai(round);
  ShowPage(2);
  // The singles are those of their file: a document opened, not edited.
  history_.Reset(BuildDocument());
  return true;
}

void frmMain::CsvSaveCommand() {
  std::string name = ChooseFile(true, "名前を付けて保存", kCsvFilter,
                                clsTFileCSV::GetCsvFileName(kaisaikai_, kumi_), "csv");
  if (name.empty() || !MayWriteOutput(name, false)) return;
  operation_ = true;
  csv_.CsvSave(name, single_count_, singles_);
  operation_ = false;
}

void frmMain::CsvMergeCommand(bool add) {
  std::string name = ChooseFile(false, add ? "現在のシングルに追加" : "現在のシングルから削除",
                                kCsvFilter, "", "csv");
  if (name.empty()) return;
  int count = single_count_;
  std::vector<int> singles = singles_;
  operation_ = true;
  bool ok = add ? csv_.CsvAdd(name, count, singles) : csv_.CsvDel(name, count, singles);
  if (ok) SetSingles(count, std::move(singles));
  operation_ = false;
  if (ok) ShowPage(2);
}

void frmMain::TogglePercent() {
  percent_ = !percent_;
  search_.Reduction().SinglePercent(percent_);
  single_.SinglePercent(percent_);
  result_count_.panel().SetPercent(percent_);
}

// ---------------------------------------------------------------- the search

void frmMain::StartOrPause() {
  if (!IsIdle()) {
    // The run button of the trial and count engines pauses and resumes.
    run_caption_ = paused_ ? "一時停止" : "検索再開";
    paused_ = !paused_;
    search_.Pause(paused_);
    Changed();
    return;
  }
  if (CheckBusy()) return;
  paused_ = false;
  const EngineSettings settings = GatherEngineSettings();
  platform().SetBusyCursor(true);
  run_enabled_ = false;
  stop_enabled_ = true;
  if (EngineChoiceOf(settings.MsEngine).pause) {
    run_caption_ = "一時停止";
    run_enabled_ = true;
  }
  // No line stays selected from the last run, so the list follows the new one.
  log_selection_ = -1;
  Changed();
  RunSearch();
  // The list shows its first line, then scrolls to the last one written (the
  // log always ends in an open empty line).
  log_selection_ = static_cast<int>(log_.Lines().size()) - 1;
  while (log_selection_ > 0 && log_.Lines()[log_selection_].empty()) --log_selection_;
  run_caption_ = "検索開始";
  run_enabled_ = true;
  stop_enabled_ = false;
  paused_ = false;
  platform().SetBusyCursor(false);
  Changed();
}

void frmMain::StopSearch() { search_.Stop(); }

void frmMain::RunSearch() {
  try {
    if (CheckBusy()) return;
    DocumentRecord doc = BuildDocument();
    // A search that could not be computed (a vote status the estimate cannot
    // use) leaves the singles the user has; its log tells why.
    if (!search_.Run(doc)) return;
    targets_ = SearchSequence::GetVisible(doc.Multi);
    operation_ = true;
    SetSingles(doc.SingleCount, std::move(doc.SingleData));
    RefreshSingleViews();
    operation_ = false;
    ms_count_ = doc.MsSingleCount;
    ms_frame_ = frame_;
    ms_tousen_ = doc.MsTousen;
  } catch (const std::exception& e) {
    operation_ = false;
    ReportException(kMain, "RunSearch", e);
  }
}

void frmMain::SetSingles(int count, std::vector<int> singles) {
  count = std::clamp(count, 0, static_cast<int>(singles.size()));
  singles.resize(static_cast<size_t>(count));
  singles_ = std::move(singles);
  single_count_ = count;
  frame_ = CountSingleFrame(singles_);
}

void frmMain::RefreshSingleViews() {
  single_.SetVote(vote_);
  single_.SetOwn(own_probs_);
  single_.SetSchedule(schedule_);
  single_.SetSingle(single_count_, singles_);
  single_.SetSingleFrame(frame_, targets_);
  single_.MovePage(0);
}

void frmMain::RefreshCheckPage() {
  result_.SetResultData(kaisaikai_, kumi_, result_record_, result_all_.Checked());
  result_.SetSingle(single_count_, singles_);
  result_.SetSingleFrame(frame_, percent_);
}

void frmMain::NewDocument() {
  try {
    multi_.Clear();
    result_.Clear();
    RunSearch();
    log_selection_ = -1;
    ResetConditions();
    ResetEngineOptions();
    SetOwnProbs(OwnProbabilities{});
    SelectConditionTab(0);
    file_name_.clear();
    disk_.Forget();
    history_.Reset(BuildDocument());
  } catch (const std::exception& e) {
    ReportException(kMain, "NewDocument", e);
  }
  Changed();
}

void frmMain::ResetConditions() {
  joken_.Clear();
  for (CountConditionModels& m : count_conditions_) m.panel.Clear();
  machigai_type_.SetIndex(0);
  ApplyValueConditions(ValueConditions{});
}

void frmMain::ResetEngineOptions() {
  engine_option_.SetIndex(0);
  sakugen_.Clear();
  ex_grade2_.SetChecked(false);
  ex_grade3_.SetChecked(false);
  chushutsu_.SetChecked(false);
  chushutsu_type_.SetIndex(0);
  EnginePanelView view = EnginePanelFor(0);
  engine_frame_ = view.frame;
  ex_grade3_.enabled = view.third_grade_enabled;
}

EngineSettings frmMain::GatherEngineSettings() const {
  EngineSettings e;
  e.MsEngine = engine_option_.Index();
  e.BeginCount = static_cast<int>(sakugen_.BeginCount().RoundToInt());
  e.EndCount = static_cast<int>(sakugen_.EndCount().RoundToInt());
  e.EndTime = static_cast<int>(sakugen_.EndTime().RoundToInt());
  e.ExGrade2 = ex_grade2_.Checked();
  e.ExGrade3 = ex_grade3_.Checked();
  e.SeBeginCount = static_cast<int>(sakugen_.SeBeginCount().RoundToInt());
  e.SeEndTime = static_cast<int>(sakugen_.SeEndTime().RoundToInt());
  e.ChushutsuFlag = chushutsu_.Checked();
  e.ChushutsuCount = static_cast<int>(sakugen_.Extraction().RoundToInt());
  const int kind = chushutsu_type_.Index();
  e.ChushutsuType = kind < kExtractionKindCount ? kind : 0;
  e.ChushutsuOrder = kind < kExtractionKindCount ? 0 : kind - kExtractionKindCount + 1;
  return e;
}

void frmMain::ApplyEngineSettings(const EngineSettings& e) {
  engine_option_.SetIndex(e.MsEngine);
  sakugen_.SetBeginCount(Money::FromInt(e.BeginCount));
  sakugen_.SetEndCount(Money::FromInt(e.EndCount));
  sakugen_.SetEndTime(Money::FromInt(e.EndTime));
  sakugen_.SetSeBeginCount(Money::FromInt(e.SeBeginCount));
  sakugen_.SetSeEndTime(Money::FromInt(e.SeEndTime));
  sakugen_.SetExtraction(Money::FromInt(e.ChushutsuCount));
  ex_grade2_.SetChecked(e.ExGrade2);
  ex_grade3_.SetChecked(e.ExGrade3);
  chushutsu_.SetChecked(e.ChushutsuFlag);
  const bool order = e.ChushutsuOrder >= 1 && e.ChushutsuOrder < kExtractionOrderCount;
  chushutsu_type_.SetIndex(order ? kExtractionKindCount + e.ChushutsuOrder - 1 : e.ChushutsuType);
  EnginePanelView view = EnginePanelFor(engine_option_.Index());
  engine_frame_ = view.frame;
  ex_grade3_.enabled = view.third_grade_enabled;
}

ReductionConditions frmMain::GatherConditions() const {
  ReductionConditions c;
  c.Haitou = joken_.GetHaitou();
  c.Honmei = count_conditions_[0].panel.Entries();
  c.Ninki = count_conditions_[1].panel.Entries();
  c.Mark = count_conditions_[2].panel.Entries();
  c.MachigaiType = machigai_type_.Index();
  c.MachigaiList = joken_.GetMachigaiFlg();
  c.Value.Enabled = value_check_.Checked();
  c.Value.Kind = value_kind_.Index();
  c.Value.Min = value_min_.ExactValue();
  c.Value.Max = value_max_.ExactValue();
  return c;
}

void frmMain::ApplyValueConditions(const ValueConditions& v) {
  value_check_.SetChecked(v.Enabled);
  value_check_.enabled = own_probs_.set || v.Enabled;
  value_kind_.SetIndex(v.Kind);
  value_min_.SetExactValue(v.Min);
  value_max_.SetExactValue(v.Max);
}

void frmMain::ApplyConditions(const ReductionConditions& c) {
  joken_.SetHaitou(c.Haitou);
  count_conditions_[0].panel.SetEntries(c.Honmei);
  count_conditions_[1].panel.SetEntries(c.Ninki);
  count_conditions_[2].panel.SetEntries(c.Mark);
  machigai_type_.SetIndex(c.MachigaiType);
  joken_.SetMachigaiFlg(c.MachigaiList);
  ApplyValueConditions(c.Value);
}

DocumentRecord frmMain::BuildDocument() const {
  DocumentRecord doc;
  doc.Kaisaikai = round_.Kaisaikai();
  doc.Kumi = round_.Kumi().empty() ? std::string("A") : round_.Kumi();
  multi_.GetValue(doc.Multi);
  doc.Conditions = GatherConditions();
  doc.Engine = GatherEngineSettings();
  doc.MsSingleCount = ms_count_;
  doc.MsSingleFrame = ms_frame_;
  doc.MsTousen = ms_tousen_;
  doc.SingleCount = single_count_;
  doc.SingleFrame = frame_;
  doc.SingleData = singles_;
  doc.SakugenMessage = log_.Text();
  doc.Vote = vote_;
  doc.OwnProbs = own_probs_;
  return doc;
}

// ---------------------------------------------------------------- files

bool frmMain::FileSaveTPD(const std::string& name, bool whole, bool dialog) {
  bool ok = false;
  try {
    // Held from the check to the write: a command line run on the same file
    // either finishes before the check or waits for the save.
    std::optional<DocumentLock> lock(std::in_place, name, dialog);
    const DiskVersionCheck::Choice choice =
        lock->Locked() ? disk_.BeforeSave(name, dialog) : DiskVersionCheck::Choice::kCancel;
    if (choice != DiskVersionCheck::Choice::kSave) {
      last_fault_ = lock->Locked() ? kChangedElsewhere : "ファイルは使用中です。";
      lock.reset();
      // A copy: `name` may be the document's own name, which the load clears.
      if (choice == DiskVersionCheck::Choice::kReload) FileLoadTPD(std::string(name), true, true);
      Changed();
      return false;
    }
    operation_ = true;
    DocumentRecord doc = BuildDocument();
    ok = tpd_.SaveFile(name, whole, doc, dialog);
    operation_ = false;
    last_fault_ = ok ? "" : tpd_.LastFault();
    // A save that failed leaves the document under its old name: the file
    // of the new name holds nothing of it.
    if (whole && ok) {
      disk_.Remember(name);
      file_name_ = name;
      history_.MarkSaved(std::move(doc));
      if (dialog) recent_.Add(name);
    }
  } catch (const std::exception& e) {
    operation_ = false;
    ReportException(kMain, "FileSaveTPD", e);
    ok = false;
  }
  Changed();
  return ok;
}

bool frmMain::FileLoadTPD(const std::string& name, bool whole, bool dialog) {
  try {
    // The file is read whole into a copy first, so that a file that is not
    // ours or fails half-way leaves the open document as it was.
    DocumentRecord doc = BuildDocument();
    DocumentLoadInfo info;
    operation_ = true;
    auto old_vote = [this](int round, const DateTime& date, VoteStatusRecord& vote) {
      if (!round_.VoteService().GetOldVoteFile(round, date)) return false;
      vote = round_.VoteService().Record();
      return true;
    };
    bool ok = LoadDocumentFile(tpd_, name, whole, dialog, doc, old_vote, &info);
    operation_ = false;
    last_fault_ = info.fault;
    if (!ok) {
      Changed();
      return false;
    }
    if (whole) {
      NewDocument();
      round_.SetKumi(doc.Kumi);
      round_.SetKaisaikai(doc.Kaisaikai);
      if (info.vote_from_file) {
        vote_ = doc.Vote;
        round_.SetVote(doc.Vote);
      }
    } else {
      ResetConditions();
      SelectConditionTab(0);
    }
    multi_.SetValue(doc.Multi);
    ApplyConditions(doc.Conditions);
    if (whole) ApplyDocumentBody(doc);
    ShowPage(1);
    if (whole) {
      disk_.Remember(name);
      file_name_ = name;
      ShowVoteStatus();
      history_.Reset(BuildDocument());
      if (dialog) recent_.Add(name);
    }
  } catch (const std::exception& e) {
    operation_ = false;
    ReportException(kMain, "FileLoadTPD", e);
    Changed();
    return false;
  }
  Changed();
  return true;
}

// ---------------------------------------------------------------- round and pages

void frmMain::OnKaisaikaiChange(int kaisaikai, const std::string& kumi) {
  kaisaikai_ = kaisaikai;
  kumi_ = kumi;
  schedule_ = round_.Schedule();
  vote_ = round_.Vote();
  result_record_ = round_.Result();
  round_label_ = " 第 " + (kaisaikai > 0 ? std::to_string(kaisaikai) : std::string(" ")) + " 回 ";
  if (!kumi.empty()) round_label_ += " [ " + kumi + "組 ] ";
  ShowVoteStatus();
  SetGradeControls();
  ShowSaleStatus();
  UpdateDownloadButtons();
  Changed();
}

void frmMain::ShowVoteStatus() {
  status_text_ = round_label_;
  if (vote_.Kaisaikai > 0) {
    status_text_ += "　使用投票率：";
    if (vote_.as_of.IsZero()) {
      status_text_ += "ユーザー定義";
    } else if (vote_.as_of == vote_.sale_end) {
      status_text_ += vote_.as_of.Format("yyyy/mm/dd (最終)");
    } else {
      status_text_ += vote_.as_of.Format("yyyy/mm/dd hh:nn");
    }
  }
}

void frmMain::ShowSaleStatus() {
  SaleStatusView view;
  if (schedule_.Kaisaikai >= 1) {
    view.visible = true;
    view.sale_start = SaleDateText(schedule_.sale_start);
    view.sale_end = SaleDateText(schedule_.sale_end);
    view.result = SaleDateText(schedule_.result_announcement);
    const DateTime now = platform().Now();
    if (now > schedule_.sale_end) {
      view.status = "販売終了";
    } else if (now < schedule_.sale_start) {
      view.status = "販売開始まで あと " + RemainingText(schedule_.sale_start.seconds() - now.seconds());
    } else {
      view.status = "販売締切まで あと " + RemainingText(schedule_.sale_end.seconds() - now.seconds());
    }
  }
  sale_status_ = view;
}

void frmMain::UpdateDownloadButtons() {
  // A cached kind stays fetchable: the download asks before it replaces the
  // file.
  download_enabled_ = {true, true, true};
}

void frmMain::SetGradeControls() {
  for (int grade = 2; grade <= 3; ++grade) {
    bool shown = GradeVisible(grade);
    money_check_[grade - 1].visible = shown;
    money_check_[grade - 1].enabled = shown;
  }
}

void frmMain::ShowPage(int page) {
  try {
    if (page < 0 || page > 3) return;
    if (CheckBusy()) return;
    CommitEdits();
    page_ = page;
    switch (page) {
      case 0:
        ShowSaleStatus();
        break;
      case 1:
        game_.SetSchedule(schedule_);
        for (CountConditionModels& m : count_conditions_) m.panel.SetSchedule(schedule_, toto_data_);
        game_.SetOwn(own_probs_);
        game_.SetVote(vote_);
        multi_.SetVoteRecord(vote_);
        break;
      case 2:
        operation_ = true;
        RefreshSingleViews();
        operation_ = false;
        break;
      default:
        RefreshCheckPage();
        break;
    }
    AdoptRefresh();
  } catch (const std::exception& e) {
    operation_ = false;
    ReportException(kMain, "ShowPage", e);
  }
  Changed();
}

void frmMain::SelectConditionTab(int tab) {
  if (tab < 0 || tab >= kConditionTabs) return;
  condition_tab_ = tab;
  if (tab >= 1 && tab <= 3) count_conditions_[tab - 1].panel.Refresh();
  TargetColouring(tab);
  CloseKouseiWindows();
  Changed();
}

void frmMain::TargetColouring(int kind) {
  MultiFlags targets;
  if (kind >= 1 && kind <= 3) {
    count_conditions_[kind - 1].panel.GetTaisho(targets);
  } else {
    for (auto& row : targets) row.fill(true);
  }
  multi_.SetTaishou(targets);
}

// ---------------------------------------------------------------- composition analysis

void frmMain::OpenKouseiBunseki(int kind, int row, int group) {
  try {
    static const ConditionTable kKinds[3] = {ConditionTable::kHonmei, ConditionTable::kNinki,
                                             ConditionTable::kMark};
    static const char* const kNames[3] = {"本命", "人気", "勝敗"};
    const ConditionEntry& entry = count_conditions_[kind - 1].panel.Entries().at(group);
    if (row < 0 || row >= static_cast<int>(entry.captions.size())) return;
    MultiTable multi;
    multi_.GetValue(multi);
    search_.Reduction().SetVote(vote_);
    std::array<int, 6> histogram{};
    search_.Reduction().KouseiBunseki(kKinds[kind - 1], multi, entry, row, histogram);
    auto window = std::make_unique<frmKouseiBunseki>();
    window->SetTitle(std::string(frmKouseiBunseki::kTag) + " - " + kNames[kind - 1] + " [" +
                     ConditionGroupLabels()[group] + "] " + entry.captions[row]);
    window->SetValue(histogram);
    int matches = 0;
    for (bool t : entry.target_matches) matches += t;
    window->SetMarkMax(matches);
    kousei_windows_.push_back(std::move(window));
    if (host_) host_->ShowKouseiBunseki(*kousei_windows_.back());
  } catch (const std::exception& e) {
    ReportException(kMain, "KoseiBunseki", e);
  }
}

void frmMain::CloseKouseiWindows() {
  std::vector<std::unique_ptr<frmKouseiBunseki>> windows = std::move(kousei_windows_);
  kousei_windows_.clear();
  for (auto& w : windows) {
    if (host_) host_->CloseKouseiBunseki(*w);
  }
}

void frmMain::KouseiWindowClosed(frmKouseiBunseki* window) {
  auto it = std::find_if(kousei_windows_.begin(), kousei_windows_.end(),
                         [window](const auto& w) { return w.get() == window; });
  if (it != kousei_windows_.end()) kousei_windows_.erase(it);
}

// ---------------------------------------------------------------- changes, undo, recent files

void frmMain::CommitEdits() {
  // A run's singles arrive as one step when it has ended; a file being read
  // or a snapshot being put back is no edit.
  if (!loaded_ || history_hold_ > 0 || !IsIdle() || operation_) return;
  history_.Commit(BuildDocument());
}

void frmMain::AdoptRefresh() {
  if (!loaded_ || history_hold_ > 0 || !IsIdle() || operation_) return;
  history_.Adopt(BuildDocument());
}

bool frmMain::SaveChangesFirst() {
  CommitEdits();
  if (!history_.Changed()) return true;
  MsgAnswer answer = platform().MessageBox("変更を保存しますか？", kAppTitle, MsgIcon::kQuestion,
                                           MsgButtons::kSaveDiscardCancel, 0);
  if (answer == MsgAnswer::kNo) return true;
  if (answer != MsgAnswer::kYes) return false;
  // 保存 as 上書き保存 does it; only a document that reached its file may go.
  std::string name = file_name_;
  if (name.empty()) {
    name = ChooseFile(true, "名前を付けて保存", kDocumentFilter, DefaultDocumentName() + ".tpd",
                      "tpd");
    if (name.empty()) return false;
  }
  return FileSaveTPD(name, true, true);
}

void frmMain::UndoOrRedo(bool redo) {
  if (CheckBusy()) return;
  CommitEdits();
  std::optional<DocumentRecord> doc = redo ? history_.Redo() : history_.Undo();
  if (!doc) return;
  ++history_hold_;
  try {
    ApplyWork(std::move(*doc));
  } catch (...) {
    --history_hold_;
    throw;
  }
  --history_hold_;
  AdoptRefresh();
}

// Everything of a whole document beyond its multi and conditions: the own
// probabilities, the engine settings, the last search's figures, the
// singles and the run log.
void frmMain::ApplyDocumentBody(DocumentRecord& doc) {
  SetOwnProbs(doc.OwnProbs);
  ApplyEngineSettings(doc.Engine);
  ms_count_ = doc.MsSingleCount;
  ms_frame_ = doc.MsSingleFrame;
  ms_tousen_ = doc.MsTousen;
  search_.Reduction().MeisaiPanel().SetValue(doc.Multi);
  search_.Reduction().MeisaiPanel().SetSingleCount(doc.MsSingleCount);
  search_.Reduction().MeisaiPanel().SetTousen(doc.MsTousen);
  operation_ = true;
  SetSingles(doc.SingleCount, std::move(doc.SingleData));
  operation_ = false;
  std::vector<std::string> lines = Split(doc.SakugenMessage, "\r\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();  // after the last CR LF
  log_.SetLines(std::move(lines));
  targets_ = SearchSequence::GetVisible(doc.Multi);
  search_.Reduction().SetSingleFrame(frame_, targets_);
}

void frmMain::ApplyWork(DocumentRecord doc) {
  multi_.SetValue(doc.Multi);
  ApplyConditions(doc.Conditions);
  ApplyDocumentBody(doc);
  if (condition_tab_ >= 1 && condition_tab_ <= 3) {
    count_conditions_[condition_tab_ - 1].panel.Refresh();
  }
  TargetColouring(condition_tab_);
  // An analysis of a condition row that may no longer be there.
  CloseKouseiWindows();
  ShowPage(page_);
}

void frmMain::OpenRecent(size_t index) {
  if (index >= recent_.Files().size()) return;
  const std::string path = recent_.Files()[index];
  if (const std::string reason = UnreadableFileReason(path); !reason.empty()) {
    recent_.Remove(path);
    platform().MessageBox(reason + "\r\n" + path + "\r\n最近使ったファイルの一覧から削除しました。",
                          kAppTitle, MsgIcon::kWarning);
    return;
  }
  OpenFile(path);
}

bool frmMain::OpenFile(const std::string& path) {
  bool opened = false;
  try {
    // The File menu is closed during a run; a file dropped meanwhile is told so.
    if (CheckBusy()) return false;
    CommitEdits();
    std::string ext;
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
      ext = FoldCase(path.substr(dot + 1));
    }
    if (ext != "tpd" && ext != "tpj" && ext != "csv") {
      platform().MessageBox("このファイルは開けません。\r\n" + path +
                                "\r\n開けるのはデータファイル(*.tpd)、条件ファイル(*.tpj)、"
                                "CSVファイル(*.csv)です。",
                            kAppTitle, MsgIcon::kWarning);
    } else if (const std::string reason = UnreadableFileReason(path); !reason.empty()) {
      platform().MessageBox(reason + "\r\n" + path, kAppTitle, MsgIcon::kWarning);
    } else if (ext == "tpj") {
      // Conditions only: an edit of the open document, undone like any other.
      opened = FileLoadTPD(path, false, true);
    } else if (SaveChangesFirst()) {
      opened = ext == "tpd" ? FileLoadTPD(path, true, true) : CsvOpenFile(path);
    }
  } catch (const std::exception& e) {
    ReportException(kMain, "OpenFile", e);
  }
  CommitEdits();
  Changed();
  return opened;
}

}  // namespace zelvo
