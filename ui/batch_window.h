// frmRenzoku, the batch window: a queue of documents that the main window
// opens, searches and saves back one after another, through the same calls a
// user's clicks make.  The Qt view shows the queue and the menus and passes
// every choice here.
#ifndef ZELVOMINI_UI_BATCH_WINDOW_H_
#define ZELVOMINI_UI_BATCH_WINDOW_H_

#include <functional>
#include <string>
#include <vector>

#include "support/grid.h"

namespace zelvo {

// What the batch window needs of the main window.
class BatchTarget {
 public:
  virtual ~BatchTarget() = default;
  // The queue's files, after every command of the batch window: the main
  // window's own save commands write nothing over them, only the run does.
  virtual void QueueChanged(const std::vector<std::string>& files) { (void)files; }
  // The main window's own document operations, `dialog` false: a batch run
  // shows no message per file.
  virtual bool FileLoadTPD(const std::string& name, bool whole, bool dialog) = 0;
  virtual bool FileSaveTPD(const std::string& name, bool whole, bool dialog) = 0;
  // The run button ("検索開始"): returns when the search has ended.
  virtual void PressRun() = 0;
  // "検索終了": the running search stops at its next poll.
  virtual void PressCancel() = 0;
  // Before the first document of a run replaces the one open there: false
  // (the user kept a changed document) keeps the run from starting.
  virtual bool HandOverDocument() { return true; }
  // Brings the main window to the front, so the user watches the search.
  virtual void FocusMain() {}
  // A run starts or ends: the main window takes no other file meanwhile.
  virtual void BatchRunning(bool running) { (void)running; }
  // Why the last load or save failed, in the user's words; empty when not
  // known.
  virtual std::string LastFault() const { return {}; }
};

enum class BatchCmd {
  kSeparator,
  kFileMenu,
  kAdd,
  kDelete,
  kEnd,
  kRunMenu,
  kBegin,
  kRetry,
  kCancel
};

struct BatchMenuEntry {
  BatchCmd cmd;
  std::vector<BatchCmd> children;
};

class frmRenzoku {
 public:
  static constexpr const char* kTitle = " 連続実行";
  static constexpr const char* kRunningMessage =
      "現在処理を実行中です。連続実行処理を終了させて下さい。";
  static constexpr const char* kRunning = "実行中";
  static constexpr const char* kSucceeded = "成功";
  static constexpr const char* kFailed = "失敗";
  static constexpr const char* kColumns[2] = {"ファイル名", "状 態"};
  static constexpr int kColumnWidths[2] = {300, 80};
  static constexpr Align kColumnAligns[2] = {Align::kLeft, Align::kCenter};
  // A third column tells why a row failed.
  static constexpr const char* kReasonColumn = "理由";
  static constexpr int kReasonWidth = 260;

  struct Row {
    std::string file;
    std::string status;  // "" until the row is processed
    std::string reason;  // why it ended 失敗
    bool selected = false;
  };

  explicit frmRenzoku(BatchTarget* target);
  frmRenzoku(const frmRenzoku&) = delete;
  frmRenzoku& operator=(const frmRenzoku&) = delete;

  // The menu bar: "ファイル" with add, delete, end; "実行" with begin, cancel.
  static const std::vector<BatchMenuEntry>& MenuBar();
  static const char* Caption(BatchCmd cmd);
  bool Enabled(BatchCmd cmd) const;
  // A menu choice; disabled entries do nothing.
  void Execute(BatchCmd cmd);

  const std::vector<Row>& Rows() const { return rows_; }
  // The view's selection of the list.
  void SetSelected(int row, bool selected);
  bool Running() const { return running_; }

  // "ファイルを追加": the open dialog, several files at once.
  void AddFiles();
  // Appends a file unless the queue holds it already: the same path, or
  // another path to the same file.  Letter case counts as the file system
  // counts it.
  bool AddFile(const std::string& path);
  // "ファイルを削除": the selected rows.
  void DeleteSelected();
  // "実行開始(&S)": every row whose status is empty, in order, until the end
  // of the queue or a stop.
  void Run();
  // "失敗した行を再実行": the failed rows are emptied and the queue runs.
  void RetryFailed();
  // "実行中止(&E)": cancels the main window's search; the current row still
  // finishes, then the run ends (and only then is the window idle).
  void Stop();
  // A request to close the window: refused while running.
  bool QueryClose();

  // Raised after every change the window must show.
  std::function<void()> on_changed;
  // "終了(&X)": the view closes the window (through QueryClose).
  std::function<void()> on_close;

 private:
  void RunRow(size_t index);
  void SetStatus(size_t index, const char* status, std::string reason = {});
  void Changed() {
    if (on_changed) on_changed();
  }

  BatchTarget* target_;
  std::vector<Row> rows_;
  bool running_ = false;
  bool stop_requested_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_BATCH_WINDOW_H_
