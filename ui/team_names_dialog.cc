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
  std::vector<std::string> names;
  for (const TeamNameEntry& entry : entries_) names.push_back(Trim(entry.long_name));
  platform().MessageBox("チーム名(" + Join(names, "、") + ")を追加しました。", "チーム名追加",
                        MsgIcon::kInformation);
  result_ = true;
  closed_ = true;
  return true;
}

}  // namespace zelvo
