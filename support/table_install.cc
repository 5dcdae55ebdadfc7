#include "support/table_install.h"

#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

// A table replacing one of this many entries or more must keep at least
// half of them: a server or package that cut the list short would otherwise
// leave most clubs of the user's rounds without a name.
constexpr int kShareDivisor = 2;

bool IsEndMark(std::string_view line) { return line == "[End]" || line == ";[End]"; }

long NumberOf(std::string_view text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != text.npos) {
    return -1;
  }
  return std::stol(std::string(text));
}

}  // namespace

TableSummary SummarizeTable(std::string_view bytes) {
  TableSummary summary;
  if (bytes.find('\0') != std::string_view::npos) return summary;
  const std::string text = FromCp932(bytes);
  if (text.find("\xEF\xBF\xBD") != std::string::npos) return summary;
  summary.readable = true;
  long version = -1, revision = -1;
  std::string last;
  const std::vector<std::string> lines = Split(ReplaceAll(text, "\r\n", "\n"), "\n");
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trim(ReplaceAll(lines[i], "\t", " "));
    if (line.empty()) continue;
    last = line;
    if (line[0] == ';' || line.starts_with("//") || IsEndMark(line)) continue;
    const size_t eq = line.find('=');
    const std::string name = eq == std::string::npos ? "" : Trim(line.substr(0, eq));
    const std::string value = eq == std::string::npos ? "" : Trim(line.substr(eq + 1));
    if (name.empty() || value.empty()) {
      if (summary.bad_line == 0) summary.bad_line = static_cast<int>(i) + 1;
      continue;
    }
    ++summary.entries;
    if (version < 0 && EqualsNoCase(name, "Version")) version = NumberOf(value);
    if (revision < 0 && EqualsNoCase(name, "Revision")) revision = NumberOf(value);
  }
  summary.end_mark = IsEndMark(last);
  if (version >= 0) summary.version = version * 1000 + (revision < 0 ? 0 : revision);
  return summary;
}

std::string TableReplacementProblem(std::string_view candidate, const std::string& current_path,
                                    long announced_version) {
  const TableSummary summary = SummarizeTable(candidate);
  if (!summary.readable) return "文字コード(CP932)のテキストとして読めません。";
  if (summary.bad_line > 0) {
    return std::to_string(summary.bad_line) + "行目が「略称 = 名称」の形ではありません。";
  }
  if (!summary.end_mark) return "終わりの印([End])がありません（途中で切れています）。";
  if (announced_version > 0 && summary.version != announced_version) {
    auto text = [](long v) { return std::to_string(v / 1000) + "." + std::to_string(v % 1000); };
    return summary.version == 0
               ? "バージョンがありません（" + text(announced_version) + " のはずです）。"
               : "バージョン(" + text(summary.version) + ")が " + text(announced_version) +
                     " ではありません。";
  }
  std::string current;
  if (FileExists(current_path) && ReadFileBytes(current_path, current)) {
    const int before = SummarizeTable(current).entries;
    if (summary.entries * kShareDivisor < before) {
      return "登録が" + std::to_string(summary.entries) + "件しかありません（今の表は" +
             std::to_string(before) + "件）。";
    }
  }
  return "";
}

std::string TableBackupPath(const std::string& path) { return path + ".bak"; }

std::string InstallTable(const std::string& path, std::string_view candidate,
                         long announced_version) {
  std::string problem = TableReplacementProblem(candidate, path, announced_version);
  if (!problem.empty()) return problem;
  std::string current;
  if (FileExists(path)) {
    if (!ReadFileBytes(path, current)) return "今の表を読めません。";
    if (!WriteFileBytes(TableBackupPath(path), current, false)) {
      return "今の表を控え(" + FileNamePart(TableBackupPath(path)) +
             ")に残せません: " + LastWriteError();
    }
  }
  if (!WriteFileBytes(path, candidate, false)) return LastWriteError();
  return "";
}

std::string RestoreTableBackup(const std::string& path) {
  const std::string backup = TableBackupPath(path);
  std::string kept;
  if (!FileExists(backup)) return "戻せる控え(" + FileNamePart(backup) + ")がありません。";
  if (!ReadFileBytes(backup, kept)) return "控え(" + FileNamePart(backup) + ")を読めません。";
  std::string current;
  const bool had_current = FileExists(path) && ReadFileBytes(path, current);
  if (!WriteFileBytes(path, kept, false)) return LastWriteError();
  if (had_current && !WriteFileBytes(backup, current, false)) return LastWriteError();
  return "";
}

}  // namespace zelvo
