// frmTeamName, the dialog that adds a team the schedule pages name but the
// tables do not know: the long name proposed from the last failed look-up,
// the short name typed by the user, the checks and the append to the user's
// table (core/team_name_add).  After it closes with a team added, the main
// window reloads the schedule service so that the new name is found.
#ifndef ZELVOMINI_UI_TEAM_NAME_DIALOG_H_
#define ZELVOMINI_UI_TEAM_NAME_DIALOG_H_

#include <string>

#include "core/team_name_add.h"

namespace zelvo {

class frmTeamName {
 public:
  static constexpr const char* kTitle = " チーム名（ユーザー定義）";
  static constexpr const char* kNote = "追加するチーム名を入力して下さい";
  static constexpr const char* kMeishoLabel = "名称";
  static constexpr const char* kRyakushoLabel = "略称";
  static constexpr const char* kRyakushoNote =
      "略称は最大6文字です。海外チーム名は半角カナで入力して下さい。";
  static constexpr const char* kAddButton = "追加";
  static constexpr const char* kCancelButton = "キャンセル";

  // Opening: the fields from the last unresolved long name.
  void Load();
  // txtMeisho and txtRyakusho as the user edits them.
  std::string& Meisho() { return adder_.long_name_field; }
  std::string& Ryakusho() { return adder_.short_name_field; }
  // "追加": true when the team was added and the dialog closes; a failed
  // check leaves it open with its message.
  bool Add();
  void Cancel() { closed_ = true; }
  bool Closed() const { return closed_; }
  // A team was added: the caller reloads the schedule service.
  bool Result() const { return result_; }

 private:
  TeamNameAdder adder_;
  bool closed_ = false;
  bool result_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_TEAM_NAME_DIALOG_H_
