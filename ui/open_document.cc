#include "ui/open_document.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/output_target.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kDocumentFilter = "データファイル(*.tpd)";
constexpr const char* kConditionsFilter = "条件ファイル(*.tpj)";
constexpr const char* kCsvFilter = "CSVファイル(*.csv)";

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

}  // namespace

OpenDocument::OpenDocument(MainShell& shell, RoundPanel& round, SinglesPage& singles)
    : shell_(shell), round_(round), singles_(singles) {}

bool OpenDocument::State(Cmd cmd, ActionState& s) const {
  const bool idle = shell_.IsIdle();
  if (IsRecentCommand(cmd)) {
    const size_t i = RecentIndexOf(cmd);
    s.enabled = idle;
    s.visible = i < recent_.Files().size();
    // "&1 /path": an "&" of the path itself is no mnemonic.
    if (s.visible) {
      s.caption = "&" + std::to_string(i + 1) + " " + ReplaceAll(recent_.Files()[i], "&", "&&");
    }
    return true;
  }
  switch (cmd) {
    case Cmd::kUndo:
      s.enabled = idle && !shell_.OperationFlag() && history_.CanUndo();
      return true;
    case Cmd::kRedo:
      s.enabled = idle && !shell_.OperationFlag() && history_.CanRedo();
      return true;
    case Cmd::kRecentMenu:
      s.enabled = idle && !recent_.Files().empty();
      return true;
    default:
      return false;
  }
}

bool OpenDocument::Execute(Cmd cmd) {
  if (IsRecentCommand(cmd)) {
    OpenRecent(RecentIndexOf(cmd));
    return true;
  }
  switch (cmd) {
    case Cmd::kFileNew:
      if (!SaveChangesFirst()) return true;
      shell_.ShowPage(0);
      shell_.NewDocument();
      return true;
    case Cmd::kFileOpen:
      if (SaveChangesFirst()) FileOpenCommand();
      return true;
    case Cmd::kFileSave:
      if (file_name_.empty()) {
        FileSaveAsCommand();
      } else {
        FileSaveTPD(file_name_, true, true);
      }
      return true;
    case Cmd::kFileSaveAs:
      FileSaveAsCommand();
      return true;
    case Cmd::kJoukenOpen:
      JoukenOpenCommand();
      return true;
    case Cmd::kJoukenSave:
      JoukenSaveCommand();
      return true;
    case Cmd::kCsvOpen:
      if (SaveChangesFirst()) CsvOpenCommand();
      return true;
    case Cmd::kCsvSave:
      CsvSaveCommand();
      return true;
    case Cmd::kCsvAdd:
      CsvMergeCommand(true);
      return true;
    case Cmd::kCsvDel:
      CsvMergeCommand(false);
      return true;
    case Cmd::kUndo:
      UndoOrRedo(false);
      return true;
    case Cmd::kRedo:
      UndoOrRedo(true);
      return true;
    default:
      return false;
  }
}

void OpenDocument::StartAfresh() {
  file_name_.clear();
  disk_.Forget();
  ResetHistory();
}

void OpenDocument::ResetHistory() { history_.Reset(shell_.BuildDocument()); }

std::string OpenDocument::DefaultDocumentName() const {
  return clsTFileCSV::GetBaseName(round_.Kaisaikai(), round_.Kumi());
}

std::string OpenDocument::ChooseFile(bool save, const std::string& title, const std::string& filter,
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

bool OpenDocument::MayWriteOutput(const std::string& name, bool document) {
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

// ---------------------------------------------------------------- documents and conditions

void OpenDocument::FileOpenCommand() {
  std::string name =
      ChooseFile(false, "ファイルを開く", kDocumentFilter, DefaultDocumentName() + ".tpd", "tpd");
  if (!name.empty()) FileLoadTPD(name, true, true);
}

void OpenDocument::FileSaveAsCommand() {
  std::string name =
      ChooseFile(true, "名前を付けて保存", kDocumentFilter, DefaultDocumentName() + ".tpd", "tpd");
  if (!name.empty() && MayWriteOutput(name, true)) FileSaveTPD(name, true, true);
}

void OpenDocument::JoukenOpenCommand() {
  std::string name = ChooseFile(false, "ファイルを開く", kConditionsFilter, "", "tpj");
  if (!name.empty()) FileLoadTPD(name, false, true);
}

void OpenDocument::JoukenSaveCommand() {
  std::string name = ChooseFile(true, "名前を付けて保存", kConditionsFilter, "条件", "tpj");
  if (!name.empty() && MayWriteOutput(name, false)) FileSaveTPD(name, false, true);
}

bool OpenDocument::FileSaveTPD(const std::string& name, bool whole, bool dialog) {
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
      shell_.Changed();
      return false;
    }
    DocumentRecord doc;
    {
      OperationScope operation(shell_);
      doc = shell_.BuildDocument();
      ok = tpd_.SaveFile(name, whole, doc, dialog);
    }
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
    ReportException(kMainWindowClass, "FileSaveTPD", e);
    ok = false;
  }
  shell_.Changed();
  return ok;
}

bool OpenDocument::FileLoadTPD(const std::string& name, bool whole, bool dialog) {
  try {
    // The file is read whole into a copy first, so that a file that is not
    // ours or fails half-way leaves the open document as it was.
    DocumentRecord doc = shell_.BuildDocument();
    DocumentLoadInfo info;
    bool ok = false;
    {
      OperationScope operation(shell_);
      auto old_vote = [this](int round, const DateTime& date, VoteStatusRecord& vote) {
        clsVote& service = round_.Round().VoteService();
        if (!service.GetOldVoteFile(round, date)) return false;
        vote = service.Record();
        return true;
      };
      ok = LoadDocumentFile(tpd_, name, whole, dialog, doc, old_vote, &info);
    }
    last_fault_ = info.fault;
    if (!ok) {
      shell_.Changed();
      return false;
    }
    shell_.ApplyLoadedDocument(doc, whole, info.vote_from_file);
    if (whole) {
      disk_.Remember(name);
      file_name_ = name;
      ResetHistory();
      if (dialog) recent_.Add(name);
    }
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "FileLoadTPD", e);
    shell_.Changed();
    return false;
  }
  shell_.Changed();
  return true;
}

// ---------------------------------------------------------------- CSV singles files

void OpenDocument::CsvOpenCommand() {
  std::string name =
      ChooseFile(false, "ファイルを開く", kCsvFilter,
                 clsTFileCSV::GetCsvFileName(round_.Kaisaikai(), round_.Kumi()), "csv");
  if (!name.empty()) CsvOpenFile(name);
}

bool OpenDocument::CsvOpenFile(const std::string& name) {
  // Read first: a file that cannot be read leaves the open document as it was.
  int count = 0;
  std::vector<int> singles;
  bool ok = false;
  {
    OperationScope operation(shell_);
    ok = csv_.CsvLoad(name, count, singles);
  }
  if (!ok) return false;
  // A file with text but no single in it (another format, binary data) is
  // not taken for an empty list: it would replace the document with nothing.
  if (count == 0 && HasContent(name)) {
    platform().MessageBox("ファイルの読込に失敗しました。", kAppTitle, MsgIcon::kWarning);
    return false;
  }
  shell_.NewDocument();
  {
    OperationScope operation(shell_);
    singles_.SetSingles(count, std::move(singles));
  }
  round_.Round().SetKumi(clsTFileCSV::GetKumi(name));
  int round = clsTFileCSV::GetKaisaikai(name);
  if (round > 0) round_.Round().SetKaisaikai(round);
  shell_.ShowPage(2);
  // The singles are those of their file: a document opened, not edited.
  ResetHistory();
  return true;
}

void OpenDocument::CsvSaveCommand() {
  std::string name =
      ChooseFile(true, "名前を付けて保存", kCsvFilter,
                 clsTFileCSV::GetCsvFileName(round_.Kaisaikai(), round_.Kumi()), "csv");
  if (name.empty() || !MayWriteOutput(name, false)) return;
  OperationScope operation(shell_);
  csv_.CsvSave(name, singles_.Count(), singles_.Singles());
}

void OpenDocument::CsvMergeCommand(bool add) {
  std::string name = ChooseFile(false, add ? "現在のシングルに追加" : "現在のシングルから削除",
                                kCsvFilter, "", "csv");
  if (name.empty()) return;
  int count = singles_.Count();
  std::vector<int> singles = singles_.Singles();
  bool ok = false;
  {
    OperationScope operation(shell_);
    ok = add ? csv_.CsvAdd(name, count, singles) : csv_.CsvDel(name, count, singles);
    if (ok) singles_.SetSingles(count, std::move(singles));
  }
  if (ok) shell_.ShowPage(2);
}

// ---------------------------------------------------------------- changes, undo, recent files

bool OpenDocument::Recording() const {
  // A run's singles arrive as one step when it has ended; a file being read
  // or a snapshot being put back is no edit.
  return recording_ && history_hold_ == 0 && shell_.IsIdle() && !shell_.OperationFlag();
}

void OpenDocument::CommitEdits() {
  if (Recording()) history_.Commit(WorkNow(), singles_.Revision());
}

void OpenDocument::AdoptRefresh() {
  if (Recording()) history_.Adopt(WorkNow(), singles_.Revision());
}

// The document for the change check: without its singles when they have not
// moved on since the last check, so that an action that leaves them alone
// (a page turn, a selection) costs nothing per single.
DocumentRecord OpenDocument::WorkNow() const {
  return singles_.Revision() == history_.SinglesRevision() ? shell_.BuildDocumentWithoutSingles()
                                                           : shell_.BuildDocument();
}

bool OpenDocument::SaveChangesFirst() {
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

void OpenDocument::UndoOrRedo(bool redo) {
  if (shell_.CheckBusy()) return;
  CommitEdits();
  std::optional<DocumentRecord> doc = redo ? history_.Redo() : history_.Undo();
  if (!doc) return;
  ++history_hold_;
  try {
    shell_.ApplyWork(std::move(*doc));
  } catch (...) {
    --history_hold_;
    throw;
  }
  --history_hold_;
  AdoptRefresh();
}

void OpenDocument::OpenRecent(size_t index) {
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

bool OpenDocument::OpenFile(const std::string& path) {
  bool opened = false;
  try {
    // The File menu is closed during a run; a file dropped meanwhile is told so.
    if (shell_.CheckBusy()) return false;
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
    ReportException(kMainWindowClass, "OpenFile", e);
  }
  CommitEdits();
  shell_.Changed();
  return opened;
}

}  // namespace zelvo
