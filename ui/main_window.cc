#include "ui/main_window.h"

#include <unistd.h>

#include <optional>
#include <utility>

#include "files/main_ini.h"
#include "support/data_location.h"
#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

constexpr const char* kBrand = "Pendralcove";

}  // namespace

frmMain::frmMain(WindowHost* host)
    : folder_writable([](const std::string& dir) {
        return DirExists(dir) && access(dir.c_str(), W_OK | X_OK) == 0;
      }),
      host_(host),
      menu_bar_(MainMenuBar()) {}

frmMain::~frmMain() {
  // The round box's events point into this window.
  round_.Unbind();
}

void frmMain::BindRooms() {
  round_.Bind();
  multi_.Bind();
  singles_.Bind();
  run_.Bind();
  check_.Bind();
  round_.on_round_changed = [this] { multi_.SetGradeControls(round_.MaxGrade()); };
  multi_.on_analysis = [this](int kind, int row, int group) {
    tools_.OpenKouseiBunseki(kind, row, group);
  };
  multi_.on_analyses_stale = [this] { tools_.CloseKouseiWindows(); };
  check_.ResultAll().on_change = [this] {
    if (page_ == 3) RefreshCheckPage();
    Changed();
  };
}

void frmMain::Load() {
  try {
    MainWindowSettings settings = LoadMainIni();
    BindRooms();
    round_.DownloadConfirm().SetChecked(settings.DownloadMessage);
    check_.ResultAll().SetChecked(settings.ResultAll);
    document_.SetRecent(settings.RecentFiles);

    std::string folder = DocumentsDir();
    if (!DirExists(folder)) MakeDirs(folder);
    multi_.ResetConditions();
    multi_.ResetEngineOptions();
    SelectConditionTab(0);
    document_.SetDefaultFolder(folder);
    document_.StartRecording();
    NewDocument();
    round_.Round().SetKaisaikai(settings.Kaisaikai);
    // A remembered round that equals the box's first value raises no change.
    if (round_.RoundLabel().empty()) round_.TakeRoundFromBox();
    document_.ResetHistory();
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "Form_Load", e);
  }
  Changed();
}

bool frmMain::QueryClose() {
  if (CheckBusy()) return false;
  return SaveChangesFirst();
}

void frmMain::Unload() {
  try {
    tools_.CloseKouseiWindows();
    MainWindowSettings settings;
    settings.Kaisaikai = round_.Round().Kaisaikai();
    settings.DownloadMessage = round_.DownloadConfirm().Checked();
    settings.ResultAll = check_.ResultAll().Checked();
    settings.RecentFiles = document_.Recent().Storable();
    SaveMainIni(settings);
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "Form_Unload", e);
  }
}

bool frmMain::CheckBusy() const {
  if (!IsIdle()) {
    platform().MessageBox(kBusyMessage, kAppTitle, MsgIcon::kWarning);
    return true;
  }
  return operation_;
}

std::string frmMain::Title() const {
  std::string title = std::string(" ") + kBrand + "  " + kAppTitle;
  if (!FileName().empty()) title += " - [" + FileNamePart(FileName()) + "]";
  // The mark of a document with changes not yet saved.
  if (DocumentChanged()) title = "*" + title;
  return title;
}

// ---------------------------------------------------------------- commands

ActionState frmMain::State(Cmd cmd) const {
  ActionState s;
  s.caption = CaptionOf(cmd);
  if (IsFileCommand(cmd) || IsSortCommand(cmd)) s.enabled = IsIdle();
  if (WindowState(cmd, s)) return s;
  for (const MainRoom* room : rooms_) {
    if (room->State(cmd, s)) break;
  }
  return s;
}

bool frmMain::WindowState(Cmd cmd, ActionState& s) const {
  if (const int page = PageOf(cmd); page >= 0) {
    s.checked = page_ == page;
    return true;
  }
  switch (cmd) {
    case Cmd::kBatch:
      s.enabled = IsIdle();
      return true;
    case Cmd::kPercent:
      s.enabled = IsIdle();
      s.checked = percent_;
      return true;
    default:
      return false;
  }
}

void frmMain::Execute(Cmd cmd) {
  try {
    if (!State(cmd).enabled && cmd != Cmd::kRun) return;
    // Edits on the panels since the last command are a step of their own.
    CommitEdits();
    if (!ExecuteWindowCommand(cmd)) {
      for (MainRoom* room : rooms_) {
        if (room->Execute(cmd)) break;
      }
    }
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "Execute", e);
  }
  CommitEdits();
  Changed();
}

bool frmMain::ExecuteWindowCommand(Cmd cmd) {
  if (const int page = PageOf(cmd); page >= 0) {
    ShowPage(page);
    return true;
  }
  switch (cmd) {
    case Cmd::kPercent:
      TogglePercent();
      return true;
    case Cmd::kSortButton:
      SortButton();
      return true;
    case Cmd::kBatch:
      if (host_) host_->ShowBatch(*this);
      return true;
    case Cmd::kAbout:
      if (host_) host_->ShowAbout();
      return true;
    default:
      return false;
  }
}

void frmMain::SortButton() {
  const MenuNode* menu = FindMenu(Cmd::kSortMenu);
  if (!menu) return;
  std::optional<Cmd> chosen = PopUpMenu(*menu, [this](Cmd c) { return State(c); });
  if (chosen) Execute(*chosen);
}

void frmMain::RoundEntered() {
  if (!round_.ScheduleWanted()) return;
  if (State(Cmd::kDownloadSchedule).enabled) Execute(Cmd::kDownloadSchedule);
}

void frmMain::TogglePercent() {
  percent_ = !percent_;
  run_.SetPercent(percent_);
  singles_.SetPercent(percent_);
  check_.SetPercent(percent_);
}

// ---------------------------------------------------------------- pages

void frmMain::ShowPage(int page) {
  try {
    if (page < 0 || page > 3) return;
    if (CheckBusy()) return;
    CommitEdits();
    page_ = page;
    switch (page) {
      case 0:
        round_.ShowSaleStatus();
        break;
      case 1:
        multi_.ShowRound(round_.Schedule(), round_.Vote());
        break;
      case 2: {
        OperationScope operation(*this);
        singles_.Refresh();
        break;
      }
      default:
        RefreshCheckPage();
        break;
    }
    document_.AdoptRefresh();
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "ShowPage", e);
  }
  Changed();
}

void frmMain::RefreshCheckPage() {
  check_.Show(round_.Kaisaikai(), round_.Kumi(), round_.Result(), singles_.Count(),
              singles_.Singles(), singles_.Frame(), percent_);
}

// ---------------------------------------------------------------- the document

void frmMain::NewDocument() {
  try {
    multi_.ClearMarks();
    check_.Clear();
    RunSearch();
    run_.ClearLogSelection();
    multi_.ResetConditions();
    multi_.ResetEngineOptions();
    multi_.SetOwnProbs(OwnProbabilities{});
    SelectConditionTab(0);
    document_.StartAfresh();
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "NewDocument", e);
  }
  Changed();
}

DocumentRecord frmMain::BuildDocument() const {
  DocumentRecord doc = BuildDocumentWithoutSingles();
  doc.SingleData = singles_.Singles();
  return doc;
}

DocumentRecord frmMain::BuildDocumentWithoutSingles() const {
  DocumentRecord doc;
  doc.Kaisaikai = round_.Round().Kaisaikai();
  doc.Kumi = round_.Round().Kumi().empty() ? std::string("A") : round_.Round().Kumi();
  multi_.Gather(doc);
  run_.FillDocument(doc);
  doc.SingleCount = singles_.Count();
  doc.SingleFrame = singles_.Frame();
  doc.Vote = round_.Vote();
  return doc;
}

void frmMain::ApplyLoadedDocument(DocumentRecord& doc, bool whole, bool vote_from_file) {
  if (whole) {
    NewDocument();
    round_.Round().SetKumi(doc.Kumi);
    round_.Round().SetKaisaikai(doc.Kaisaikai);
    if (vote_from_file) round_.SetVote(doc.Vote);
  } else {
    multi_.ResetConditions();
    SelectConditionTab(0);
  }
  multi_.ApplyMarksAndConditions(doc);
  if (whole) ApplyDocumentBody(doc);
  ShowPage(1);
  if (whole) round_.ShowVoteStatus();
}

bool frmMain::OpenAsNewDocument(DocumentRecord doc) {
  if (CheckBusy() || !document_.SaveChangesFirst()) return false;
  ApplyLoadedDocument(doc, true, true);
  document_.ResetHistory();
  Changed();
  return true;
}

// Everything of a whole document beyond its multi and conditions: the own
// probabilities, the engine settings, the last search's figures, the
// singles and the run log.
void frmMain::ApplyDocumentBody(DocumentRecord& doc) {
  multi_.SetOwnProbs(doc.OwnProbs);
  multi_.ApplyEngineSettings(doc.Engine);
  run_.RestoreFigures(doc);
  {
    OperationScope operation(*this);
    singles_.SetSingles(doc.SingleCount, std::move(doc.SingleData));
  }
  singles_.SetTargets(SearchSequence::GetVisible(doc.Multi));
  run_.ShowFrame(singles_.Frame(), singles_.Targets());
}

void frmMain::ApplyWork(DocumentRecord doc) {
  multi_.ApplyMarksAndConditions(doc);
  ApplyDocumentBody(doc);
  multi_.RefreshConditionTab();
  ShowPage(page_);
}

}  // namespace zelvo
