#include "core/toto_data.h"

#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {

std::string& LastUnresolvedTeamName() {
  static std::string name;
  return name;
}

clsTotoData::clsTotoData() {
  team_name_.Initialize(SysDataPath("TeamName.dat"));
  j1j2_.Initialize(SysDataPath("J1J2.dat"));
  team_name1_.Initialize(SysDataPath("TeamName1.dat"));
  team_name2_.Initialize(SysDataPath("TeamName2.dat"));
  team_name3_.Initialize(SysDataPath("TeamName3.dat"));
}

std::string clsTotoData::GetShortTeamName(const std::string& long_name, int kaisaikai) const {
  if (kaisaikai == 0) {
    platform().MessageBox("開催回が不明です", "GetShortTeamName", MsgIcon::kWarning);
    return "";
  }
  // Tables that failed to load are skipped: their look-ups would only
  // report "Initialize Err" for a file the user may never have had.
  auto find = [&long_name](const clsIniFile& table) {
    return table.Enabled() ? table.GetKey(long_name) : std::string();
  };
  std::string short_name = find(team_name_);
  if (short_name.empty()) {
    short_name = find(kaisaikai < kTeamName2FirstRound ? team_name1_ : team_name2_);
  }
  if (short_name.empty()) short_name = find(team_name3_);
  if (!short_name.empty()) return short_name;
  platform().MessageBox("チーム名：" + long_name + " が見つかりません。\r\n" +
                            "最新のチーム名データをダウンロードするかチーム名を追加して下さい。",
                        kAppTitle, MsgIcon::kWarning);
  LastUnresolvedTeamName() = long_name;
  return "";
}

std::string clsTotoData::GetLongTeamName(const std::string& short_name) const {
  if (!team_name_.Enabled()) return "";
  return team_name_.GetItem(short_name, "");
}

std::string clsTotoData::GetShortToJ1J2String(const std::string& short_name, int year) const {
  // An empty name would be found inside every list.
  if (short_name.empty() || !j1j2_.Enabled()) return "";
  for (int n = 1; n <= 3; ++n) {
    std::string key = std::to_string(year) + "J" + std::to_string(n);
    if (Contains(j1j2_.GetItem(key, ""), short_name)) return "J" + std::to_string(n);
  }
  return "";
}

std::string clsTotoData::GetTeamName2Version() const {
  if (!team_name2_.Enabled()) return ".";
  return team_name2_.GetItem("Version", "") + "." + team_name2_.GetItem("Revision", "");
}

bool clsTotoData::ExistsLongTeamName(const std::string& long_name) const {
  for (const clsIniFile* table : {&team_name_, &team_name2_, &team_name3_}) {
    if (table->Enabled() && table->KeyExists(long_name)) return true;
  }
  return false;
}

}  // namespace zelvo
