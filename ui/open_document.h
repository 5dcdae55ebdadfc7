// OpenDocument, the main window's document as a file: new, open, save and
// save as, conditions files (.tpj), CSV singles files, the question before a
// changed document is set aside, undo and redo, the recent files, and files
// dropped on the window or handed over by a second start; with the guard
// that refuses to save over a file in use.
// Owns: the file name, the document history (undo, redo, the changed mark),
// the recent files, the files of the batch queue, the last load or save
// fault, and the default folder of the file dialogs.
// Must not touch: the panels.  The document comes from the rooms and goes
// back into them only through the shell (BuildDocument, NewDocument,
// ApplyLoadedDocument, ApplyWork); a CSV file's singles go through the
// singles page, its round through the round panel.
#ifndef ZELVOMINI_UI_OPEN_DOCUMENT_H_
#define ZELVOMINI_UI_OPEN_DOCUMENT_H_

#include <string>
#include <vector>

#include "files/csv_file.h"
#include "files/tpd_file.h"
#include "ui/disk_version_check.h"
#include "ui/document_history.h"
#include "ui/main_room.h"
#include "ui/recent_files.h"
#include "ui/round_panel.h"
#include "ui/singles_page.h"

namespace zelvo {

class OpenDocument : public MainRoom {
 public:
  OpenDocument(MainShell& shell, RoundPanel& round, SinglesPage& singles);
  OpenDocument(const OpenDocument&) = delete;
  OpenDocument& operator=(const OpenDocument&) = delete;

  // The File menu's document entries, undo and redo, the recent files.
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // The window has loaded: from now on edits are undo steps.
  void StartRecording() { recording_ = true; }
  // The document begun afresh: no file, no steps, nothing changed.
  void StartAfresh();
  // What the rooms hold now is the unchanged document.
  void ResetHistory();

  // A .tpd (`whole`) or .tpj file read into the window: a file that fails
  // half-way leaves the open document as it was.
  bool FileLoadTPD(const std::string& name, bool whole, bool dialog);
  bool FileSaveTPD(const std::string& name, bool whole, bool dialog);
  // Why the last document load or save failed.
  const std::string& LastFault() const { return last_fault_; }
  // A .tpd, .tpj or .csv file opened by its kind, with the guards and
  // messages of the menu entries; true when it was opened.
  bool OpenFile(const std::string& path);
  // "変更を保存しますか？" when the document has changed; false when the
  // user cancelled or the save failed, and the document must stay.
  bool SaveChangesFirst();
  // A difference from the last snapshot becomes one undo step.
  void CommitEdits();
  // A page refreshed from the window's state: what it filled in by itself is
  // no edit of the user's.
  void AdoptRefresh();

  bool Changed() const { return history_.Changed(); }
  const DocumentHistory& History() const { return history_; }
  const RecentFiles& Recent() const { return recent_; }
  void SetRecent(const std::vector<std::string>& files) { recent_.Set(files); }
  const std::string& FileName() const { return file_name_; }
  std::string DefaultDocumentName() const;
  const std::string& DefaultFolder() const { return default_folder_; }
  void SetDefaultFolder(const std::string& folder) { default_folder_ = folder; }
  // The batch window's queue: files a save must not overwrite.
  void SetBatchFiles(const std::vector<std::string>& files) { batch_files_ = files; }

 private:
  bool Recording() const;
  DocumentRecord WorkNow() const;
  void FileOpenCommand();
  void FileSaveAsCommand();
  void JoukenOpenCommand();
  void JoukenSaveCommand();
  void CsvOpenCommand();
  bool CsvOpenFile(const std::string& name);
  void CsvSaveCommand();
  void CsvMergeCommand(bool add);
  void UndoOrRedo(bool redo);
  void OpenRecent(size_t index);
  // A file chosen to save to that is none of the files in use (the open
  // document, the batch queue's) nor in SysData; says why not when it is.
  // `document`: the save of a whole document, which may rewrite the open one.
  bool MayWriteOutput(const std::string& name, bool document);
  std::string ChooseFile(bool save, const std::string& title, const std::string& filter,
                         const std::string& initial_name, const std::string& ext);

  MainShell& shell_;
  RoundPanel& round_;
  SinglesPage& singles_;
  clsTFileTPD tpd_;
  clsTFileCSV csv_;
  DocumentHistory history_;
  RecentFiles recent_;
  // The file's version when last read or written, checked before a save.
  DiskVersionCheck disk_;
  std::string file_name_;
  std::string last_fault_;
  std::string default_folder_;
  std::vector<std::string> batch_files_;
  bool recording_ = false;
  // Above 0 while a snapshot is being put back: the panels' changes are no
  // steps of their own.
  int history_hold_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_OPEN_DOCUMENT_H_
