#include "core/team_name_add.h"

#include <algorithm>

#include "core/toto_data.h"
#include "files/ini_file.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr int kShortNameMax = 6;

void InputError(const std::string& text) {
  platform().MessageBox(text, "入力エラー", MsgIcon::kWarning);
}

// A name is one line of the table: a line break in it would add made-up
// entries that the look-ups then answer from.
bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// The checks of one entry, in the dialog's order; the first that fails
// shows its message.
bool CheckEntry(const TeamNameEntry& entry, const clsTotoData& tables) {
  std::string short_name = Trim(entry.short_name);
  std::string long_name = Trim(entry.long_name);
  if (short_name.empty()) {
    InputError("略称を入力して下さい。");
    return false;
  }
  if (long_name.empty()) {
    InputError("名称を入力して下さい。");
    return false;
  }
  if (HasControlCharacter(entry.short_name)) {
    InputError("略称に改行やタブなどの制御文字は使えません。");
    return false;
  }
  if (HasControlCharacter(entry.long_name)) {
    InputError("名称に改行やタブなどの制御文字は使えません。");
    return false;
  }
  if (CharCount(entry.short_name) > kShortNameMax) {
    InputError("略称は6文字以内で入力して下さい。");
    return false;
  }
  const std::string problem = UnreadableTeamNameProblem(long_name, short_name);
  if (!problem.empty()) {
    InputError(problem);
    return false;
  }
  if (tables.ExistsLongTeamName(long_name)) {
    InputError("名称(" + long_name + ")は既に登録されています。");
    return false;
  }
  return true;
}

}  // namespace

std::string TeamNameLine(const std::string& long_name, const std::string& short_name) {
  std::string padded = Trim(short_name);
  for (size_t n = CharCount(padded); n < kShortNameMax; ++n) padded += ' ';
  return padded + " = " + Trim(long_name);
}

std::string UnreadableTeamNameProblem(const std::string& long_name, const std::string& short_name) {
  for (const auto& [field, text] :
       {std::pair{"略称", &short_name}, std::pair{"名称", &long_name}}) {
    const std::string lost = FirstCharOutsideCp932(*text);
    if (!lost.empty()) {
      return std::string(field) + "の「" + lost +
             "」はチーム名の表(CP932)に保存できない文字です。別の文字に置き換えて下さい。";
    }
  }
  const std::string short_trimmed = Trim(short_name);
  if (short_trimmed.starts_with(";") || short_trimmed.starts_with("//")) {
    return "略称を「;」や「//」で始めると注釈の行になり、読み込まれません。";
  }
  if (Contains(short_trimmed, "=")) return "略称に「=」は使えません（名称との区切りです）。";
  // Whatever else a name holds, it must come back from the line as written.
  const auto entries = clsIniFile::Parse(FromCp932(ToCp932(TeamNameLine(long_name, short_name))));
  if (entries.size() != 1 || entries[0].first != FoldCp932LookAlikes(short_trimmed) ||
      entries[0].second != FoldCp932LookAlikes(Trim(long_name))) {
    return "この名称と略称はチーム名の表から読み戻せません。";
  }
  return "";
}

void TeamNameAdder::Open() {
  long_name_field = LastUnresolvedTeamName();
  short_name_field = ToHalfWidth(long_name_field);
}

bool TeamNameAdder::Add() {
  if (!AddTeamNames({{long_name_field, short_name_field}})) return false;
  platform().MessageBox("チーム名(" + long_name_field + ")を追加しました。", "チーム名追加",
                        MsgIcon::kInformation);
  return true;
}

std::string SuggestShortTeamName(const std::string& long_name) {
  // The half-width forms of "＝" and a leading "；" would break the table's
  // line, and a character the table cannot hold would be lost: those keep
  // their full width, or are left out.
  std::string suggestion;
  for (const char32_t c : ToU32(ToHalfWidth(long_name))) {
    std::string one = FromCodePoint(c);
    if (c == U'=' || (c == U';' && suggestion.empty())) one = ToFullWidth(one);
    if (!FirstCharOutsideCp932(one).empty()) continue;
    suggestion += one;
  }
  return LeftChars(suggestion, kShortNameMax);
}

bool AddTeamNames(const std::vector<TeamNameEntry>& entries) {
  try {
    // Held from the read to the write, so that a parallel add (another
    // window, the command line) is neither lost nor added twice.
    SysDataLock lock;
    if (!lock.Locked()) return false;
    std::string path = SysDataPath("TeamName3.dat");
    // The file's bytes are kept as they are and the new lines go after
    // them: decoding and re-encoding the whole file would turn bytes that are
    // no CP932 into "?" and drop everything after a NUL.
    std::string bytes;
    if (!FileExists(path)) {
      bytes = ToCp932(kTeamName3Header) + "\r\n";
    } else if (!ReadFileBytes(path, bytes)) {
      ReportError("frmTeamName", "cmdAdd_Click", path + "\r\n" + ErrorDescription(kErrFileIo));
      return false;
    }
    const clsTotoData tables;
    std::vector<std::string> added;
    std::string lines;
    for (const TeamNameEntry& entry : entries) {
      if (!CheckEntry(entry, tables)) return false;
      std::string long_name = Trim(entry.long_name);
      if (std::find(added.begin(), added.end(), long_name) != added.end()) {
        InputError("名称(" + long_name + ")は既に登録されています。");
        return false;
      }
      added.push_back(long_name);
      lines += ToCp932(TeamNameLine(long_name, entry.short_name)) + "\r\n";
    }
    // A file edited by hand may lack its final line end.
    if (!bytes.empty() && !bytes.ends_with("\r\n")) bytes += "\r\n";
    // Through the temporary file: a failed write leaves the table as it was.
    if (!WriteFileBytes(path, bytes + lines)) return false;
    LastUnresolvedTeamName().clear();
    return true;
  } catch (const std::exception& e) {
    ReportException("frmTeamName", "cmdAdd_Click", e);
    return false;
  }
}

}  // namespace zelvo
