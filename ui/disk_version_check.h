// The version of the open document's file that the window last read or
// wrote, so that a save notices a file another program (a command line run,
// a second window, an editor) changed meanwhile instead of writing over it.
#ifndef ZELVOMINI_UI_DISK_VERSION_CHECK_H_
#define ZELVOMINI_UI_DISK_VERSION_CHECK_H_

#include <string>

#include "support/file_lock.h"

namespace zelvo {

inline constexpr const char* kChangedElsewhere = "ファイルは他で変更されています";

class DiskVersionCheck {
 public:
  // After the document was read from or written to `path`.
  void Remember(const std::string& path);
  // A new document, or one made from another kind of file.
  void Forget() { path_.clear(); }

  enum class Choice { kSave, kReload, kCancel };
  // Before a save over `path` (with its lock held): kSave when the file is
  // the version remembered, another file, or gone.  Otherwise, with
  // `dialog`, the user chooses (再読み込み / 上書き / キャンセル); without
  // one (a batch run) the save is cancelled.
  Choice BeforeSave(const std::string& path, bool dialog) const;

 private:
  std::string path_;
  FileStamp stamp_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_DISK_VERSION_CHECK_H_
