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

void ReportUnresolvedTeamName(const std::string& long_name) {
  platform().MessageBox("チーム名：" + long_name + " が見つかりません。\r\n" +
                            "最新のチーム名データをダウンロードするかチーム名を追加して下さい。",
                        kAppTitle, MsgIcon::kWarning);
  LastUnresolvedTeamName() = long_name;
}

std::string NormalizeTeamName(std::string_view name) {
  // Half-width first: it turns U+3000 into a blank and ・ into ･, so only
  // the narrow forms need removing.
  // A page's look-alikes (WAVE DASH, MINUS SIGN) are stored in the tables
  // as the characters CP932 folds them into.
  const std::u32string narrow = ToU32(ToHalfWidth(FoldCp932LookAlikes(name)));
  std::u32string kept;
  for (char32_t c : narrow) {
    if (c == U' ' || c == U'\t' || c == 0x3000 || c == 0x30FB || c == 0xFF65 || c == 0x00B7) {
      continue;
    }
    kept += c;
  }
  return FoldCase(FromU32(kept));
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
  std::string short_name = FindShortTeamName(long_name, kaisaikai);
  if (short_name.empty()) ReportUnresolvedTeamName(long_name);
  return short_name;
}

std::string clsTotoData::FindShortTeamName(const std::string& long_name, int kaisaikai) const {
  if (kaisaikai == 0) return "";
  const clsIniFile* tables[] = {
      &team_name_, kaisaikai < kTeamName2FirstRound ? &team_name1_ : &team_name2_, &team_name3_};
  // Tables that failed to load are skipped: their look-ups would only
  // report "Initialize Err" for a file the user may never have had.
  for (const clsIniFile* table : tables) {
    if (!table->Enabled()) continue;
    std::string short_name = table->GetKey(long_name);
    if (!short_name.empty()) return short_name;
  }
  // Only after every exact look-up failed: an exact entry of a later table
  // wins over a loose one of an earlier table.
  const std::string wanted = NormalizeTeamName(long_name);
  if (wanted.empty()) return "";
  for (const clsIniFile* table : tables) {
    if (!table->Enabled()) continue;
    const std::vector<std::string>& names = NormalizedLongNames(*table);
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i] == wanted) return table->Entries()[i].first;
    }
  }
  return "";
}

const std::vector<std::string>& clsTotoData::NormalizedLongNames(const clsIniFile& table) const {
  const size_t slot = &table == &team_name_    ? 0
                      : &table == &team_name1_ ? 1
                      : &table == &team_name2_ ? 2
                                               : 3;
  std::vector<std::string>& names = normalized_[slot];
  if (names.size() != table.Entries().size()) {
    names.clear();
    for (const auto& entry : table.Entries()) names.push_back(NormalizeTeamName(entry.second));
  }
  return names;
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
