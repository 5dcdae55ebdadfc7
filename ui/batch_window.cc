#include "ui/batch_window.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "support/data_location.h"
#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "frmRenzoku";

// A document the user made read-only is left as it is.  The save renames a
// new file over the old one, which a folder permits whatever the file's own
// mode, so the mode is asked here; its write bits count even for root, who
// passes every access check.
bool MayRewrite(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) return true;  // the load tells
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((st.permissions() & kWrite) == fs::perms::none) return false;
  return ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

frmRenzoku::frmRenzoku(BatchTarget* target) : target_(target) {}

const std::vector<BatchMenuEntry>& frmRenzoku::MenuBar() {
  static const std::vector<BatchMenuEntry> kMenus = {
      {BatchCmd::kFileMenu,
       {BatchCmd::kAdd, BatchCmd::kDelete, BatchCmd::kSeparator, BatchCmd::kEnd}},
      {BatchCmd::kRunMenu, {BatchCmd::kBegin, BatchCmd::kRetry, BatchCmd::kCancel}},
  };
  return kMenus;
}

const char* frmRenzoku::Caption(BatchCmd cmd) {
  switch (cmd) {
    case BatchCmd::kFileMenu:
      return "ファイル(&F)";
    case BatchCmd::kAdd:
      return "ファイルを追加(&A)";
    case BatchCmd::kDelete:
      return "ファイルを削除(&D)";
    case BatchCmd::kEnd:
      return "終了(&X)";
    case BatchCmd::kRunMenu:
      return "実行(&R)";
    case BatchCmd::kBegin:
      return "実行開始(&S)";
    case BatchCmd::kRetry:
      return "失敗した行を再実行(&A)";
    case BatchCmd::kCancel:
      return "実行中止(&E)";
    case BatchCmd::kSeparator:
      break;
  }
  return "";
}

bool frmRenzoku::Enabled(BatchCmd cmd) const {
  switch (cmd) {
    case BatchCmd::kAdd:
    case BatchCmd::kDelete:
    case BatchCmd::kEnd:
    case BatchCmd::kBegin:
      return !running_;
    case BatchCmd::kRetry:
      return !running_ && std::any_of(rows_.begin(), rows_.end(),
                                      [](const Row& r) { return r.status == kFailed; });
    case BatchCmd::kCancel:
      return running_ && !stop_requested_;
    default:
      return true;
  }
}

void frmRenzoku::Execute(BatchCmd cmd) {
  try {
    if (!Enabled(cmd)) return;
    switch (cmd) {
      case BatchCmd::kAdd:
        AddFiles();
        break;
      case BatchCmd::kDelete:
        DeleteSelected();
        break;
      case BatchCmd::kEnd:
        if (on_close) on_close();
        break;
      case BatchCmd::kBegin:
        Run();
        break;
      case BatchCmd::kRetry:
        RetryFailed();
        break;
      case BatchCmd::kCancel:
        Stop();
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "mnu_Click", e);
  }
  if (target_) {
    std::vector<std::string> files;
    for (const Row& r : rows_) files.push_back(r.file);
    target_->QueueChanged(files);
  }
  Changed();
}

void frmRenzoku::SetSelected(int row, bool selected) {
  if (row >= 0 && row < static_cast<int>(rows_.size())) rows_[row].selected = selected;
}

void frmRenzoku::AddFiles() {
  FileDialogRequest request;
  request.title = "ファイルを開く";
  request.filter = "データファイル(*.tpd)";
  request.initial_dir = DocumentsDir();
  request.default_ext = "tpd";
  for (const std::string& path : platform().OpenFilesDialog(request)) AddFile(path);
  Changed();
}

bool frmRenzoku::AddFile(const std::string& path) {
  if (path.empty() || running_) return false;
  namespace fs = std::filesystem;
  for (const Row& r : rows_) {
    std::error_code ec;
    if (r.file == path || fs::equivalent(r.file, path, ec)) return false;
  }
  rows_.push_back({path, "", "", false});
  Changed();
  return true;
}

void frmRenzoku::DeleteSelected() {
  if (running_) return;
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.selected; }),
              rows_.end());
  Changed();
}

void frmRenzoku::SetStatus(size_t index, const char* status, std::string reason) {
  if (index < rows_.size()) {
    rows_[index].status = status;
    rows_[index].reason = std::move(reason);
  }
  Changed();
}

void frmRenzoku::RunRow(size_t index) {
  const std::string path = rows_[index].file;
  SetStatus(index, kRunning);
  auto fault = [this](const char* otherwise) {
    std::string text = target_->LastFault();
    return text.empty() ? std::string(otherwise) : text;
  };
  if (!MayRewrite(path)) {
    SetStatus(index, kFailed, "書き込みできないファイルです。");
    return;
  }
  if (!target_->FileLoadTPD(path, true, false)) {
    SetStatus(index, kFailed, fault("ファイルの読込に失敗しました。"));
    return;
  }
  platform().Yield();
  target_->PressRun();
  platform().Yield();
  if (target_->FileSaveTPD(path, true, false)) {
    platform().Yield();
    SetStatus(index, kSucceeded);
  } else {
    SetStatus(index, kFailed, fault("ファイルの保存に失敗しました。"));
  }
}

void frmRenzoku::Run() {
  if (running_ || !target_) return;
  const bool pending =
      std::any_of(rows_.begin(), rows_.end(), [](const Row& r) { return r.status.empty(); });
  if (pending && !target_->HandOverDocument()) return;
  running_ = true;
  stop_requested_ = false;
  target_->BatchRunning(true);
  Changed();
  try {
    target_->FocusMain();
    // Rows cannot be added or removed while running; the index keeps the
    // loop safe all the same.
    for (size_t i = 0; i < rows_.size() && !stop_requested_; ++i) {
      if (!rows_[i].status.empty()) continue;
      try {
        RunRow(i);
      } catch (const std::exception& e) {
        // One bad document must not end the run of the others.
        SetStatus(i, kFailed, ErrorDescriptionOf(e));
        ReportException(kClassName, "mnuRun_Begin_Click", e);
      }
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "mnuRun_Begin_Click", e);
  }
  running_ = false;
  target_->BatchRunning(false);
  Changed();
}

void frmRenzoku::RetryFailed() {
  if (running_) return;
  for (Row& r : rows_) {
    if (r.status != kFailed) continue;
    r.status.clear();
    r.reason.clear();
  }
  Run();
}

void frmRenzoku::Stop() {
  if (!running_ || stop_requested_) return;
  // The row being processed still loads its way to the save, yielding to the
  // window meanwhile; the run stays on until then, so the window can neither
  // close under it nor start a second run inside it.
  stop_requested_ = true;
  if (target_) target_->PressCancel();
  Changed();
}

bool frmRenzoku::QueryClose() {
  if (!running_) return true;
  platform().MessageBox(kRunningMessage, kAppTitle, MsgIcon::kWarning);
  return false;
}

}  // namespace zelvo
