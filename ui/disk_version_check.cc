#include "ui/disk_version_check.h"

#include "support/error_report.h"
#include "support/platform.h"

namespace zelvo {

void DiskVersionCheck::Remember(const std::string& path) {
  path_ = path;
  stamp_ = StampOf(path);
}

DiskVersionCheck::Choice DiskVersionCheck::BeforeSave(const std::string& path, bool dialog) const {
  // The path as it was opened: a save elsewhere renames a new file into the
  // same name, which a comparison of files would take for another file.
  if (path_.empty() || path != path_) return Choice::kSave;
  const FileStamp now = StampOf(path);
  if (!now.exists || now == stamp_) return Choice::kSave;
  if (!dialog) return Choice::kCancel;
  const MsgAnswer answer = platform().MessageBox(
      std::string(kChangedElsewhere) + "\r\n" + path +
          "\r\n\r\n再読み込み：他で保存された内容を開きます（この画面の変更は消えます）"
          "\r\n上書き：この画面の内容で保存します（他での変更は消えます）",
      kAppTitle, MsgIcon::kWarning, MsgButtons::kReloadOverwriteCancel, 2);
  if (answer == MsgAnswer::kYes) return Choice::kReload;
  if (answer == MsgAnswer::kNo) return Choice::kSave;
  return Choice::kCancel;
}

}  // namespace zelvo
