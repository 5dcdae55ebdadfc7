#include "ui/team_names_dialog.h"

#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {

void frmTeamNames::Load(const std::vector<std::string>& long_names) {
  closed_ = false;
  result_ = false;
  entries_.clear();
  try {
    for (const std::string& name : long_names) {
      entries_.push_back({name, SuggestShortTeamName(name)});
    }
  } catch (const std::exception& e) {
    ReportException("frmTeamNames", "Form_Load", e);
  }
}

bool frmTeamNames::Add() {
  if (!AddTeamNames(entries_)) return false;
  // Ten club names would not fit one line of the message.
  const std::string added =
      entries_.size() == 1 ? "チーム名(" + Trim(entries_[0].long_name) + ")を追加しました。"
                           : "チーム名を" + std::to_string(entries_.size()) + "件追加しました。";
  platform().MessageBox(added, "チーム名追加", MsgIcon::kInformation);
  result_ = true;
  closed_ = true;
  return true;
}

}  // namespace zelvo
