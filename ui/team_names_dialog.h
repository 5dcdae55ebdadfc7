// frmTeamNames, the dialog a schedule download opens when its page names
// clubs the tables do not know: every such club in page order with a short
// name to confirm or edit, added together, so that one round abroad costs
// one dialog rather than one failed download per club.
#ifndef ZELVOMINI_UI_TEAM_NAMES_DIALOG_H_
#define ZELVOMINI_UI_TEAM_NAMES_DIALOG_H_

#include <string>
#include <vector>

#include "core/team_name_add.h"

namespace zelvo {

class frmTeamNames {
 public:
  static constexpr const char* kTitle = " チーム名（ユーザー定義）";
  static constexpr const char* kNote =
      "次のチーム名が登録されていません。略称を確かめて追加して下さい。";
  static constexpr const char* kMeishoLabel = "名称";
  static constexpr const char* kRyakushoLabel = "略称";
  static constexpr const char* kRyakushoNote =
      "略称は最大6文字です。海外チーム名は半角カナで入力して下さい。";
  static constexpr const char* kAddButton = "追加";
  static constexpr const char* kCancelButton = "キャンセル";

  // Opening: one row per long name, each with its suggested short name.
  void Load(const std::vector<std::string>& long_names);
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Meisho(int row) const { return entries_.at(row).long_name; }
  // The short name of a row as the user edits it.
  std::string& Ryakusho(int row) { return entries_.at(row).short_name; }
  // "追加": true when every row was added and the dialog closes; the first
  // row that fails a check leaves it open with that row's message.
  bool Add();
  void Cancel() { closed_ = true; }
  bool Closed() const { return closed_; }
  bool Result() const { return result_; }

 private:
  std::vector<TeamNameEntry> entries_;
  bool closed_ = false;
  bool result_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_TEAM_NAMES_DIALOG_H_
