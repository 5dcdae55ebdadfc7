#include "output/clipboard.h"

#include <algorithm>
#include <array>

#include "core/single_number.h"
#include "engines/engine_settings.h"
#include "reduction/conditions.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kFullBlank = "　";

// The engines' names as the report writes them (an ordinary blank between
// the words, unlike the window captions).
std::string ReportEngineName(int ms_engine) {
  if (ms_engine < 0 || ms_engine >= kEngineChoiceCount) return "";
  return kEngineChoices[ms_engine].report_name;
}

const char* MarkSymbol(int mark) {
  static const char* const kMarks[] = {"－", "◎", "○", "▲", "△", "×", "☆"};
  if (mark < 0 || mark > 6) return "？";
  return kMarks[mark];
}

int Digits(long long value) {
  return static_cast<int>(std::to_string(std::max(value, 0LL)).size());
}

// Every name becomes a field of three full-width columns.  One name with a
// half-width character makes the whole round full-width and cut to three
// characters, so that the columns of all five lines still meet.
std::array<std::array<std::string, 2>, 5> TeamFields(const ScheduleRecord& schedule) {
  std::array<std::array<std::string, 2>, 5> names;
  bool narrow = false;
  for (int m = 0; m < 5; ++m) {
    names[m] = {schedule.matches[m].home, schedule.matches[m].away};
    for (const std::string& name : names[m]) {
      for (char32_t c : ToU32(name)) {
        if (Cp932Width(FromCodePoint(c)) != 2) narrow = true;
      }
    }
  }
  for (auto& pair : names) {
    for (std::string& name : pair) {
      if (narrow) name = LeftChars(ToFullWidth(name), 3);
      std::u32string chars = ToU32(name);
      switch (chars.size()) {
        case 1:
          name = std::string(kFullBlank) + name + kFullBlank;
          break;
        case 2:
          name = FromCodePoint(chars[0]) + kFullBlank + FromCodePoint(chars[1]);
          break;
        case 3:
          break;
        default:
          name = "？？？";
          break;
      }
    }
  }
  return names;
}

std::string CountField(int count, int width) {
  std::string text = ToFullWidth(FormatNumber(static_cast<int64_t>(count), "#0"));
  int pad = width - static_cast<int>(CharCount(text));
  return (pad > 0 ? Repeat(kFullBlank, pad) : std::string()) + text;
}

std::string ReportBody(const DocumentRecord& doc, const ScheduleRecord& schedule) {
  std::string out = "第 " + std::to_string(doc.Kaisaikai) + " 回 mini toto";
  if (!doc.Kumi.empty()) out += " " + doc.Kumi + "組";
  out += kCrLf;

  int largest = 0;
  for (const auto& row : doc.SingleFrame) {
    for (int v : row) largest = std::max(largest, v);
  }
  int w = std::max(Digits(largest), 1);
  std::string separator = Repeat("―", 3 * w + 17) + kCrLf;
  std::string lead = Repeat(kFullBlank, w - 1);

  out += separator;
  out += "Ｎｏ　 Home 　１０２　 Away 　" + lead + "１　" + lead + "０　" + lead + "２" + kCrLf;
  out += separator;
  auto teams = TeamFields(schedule);
  static constexpr int kDisplayOrder[] = {1, 0, 2};
  for (int m = 0; m < 5; ++m) {
    out += ToFullWidth(FormatNumber(static_cast<int64_t>(m + 1), "00")) + kFullBlank;
    out += teams[m][0];
    for (int o : kDisplayOrder) out += MarkSymbol(doc.Multi[o][m]);
    out += teams[m][1];
    for (int i = 0; i < 3; ++i) {
      if (i > 0) out += "：";
      out += CountField(doc.SingleFrame[kDisplayOrder[i]][m], w);
    }
    out += kCrLf;
  }
  out += separator;
  out += std::string("システム：") + kAppTitle + " Version " + ProgramVersionText() + kCrLf;
  out += "圧縮方法：" + ReportEngineName(doc.Engine.MsEngine) + kCrLf;
  return out;
}

std::string PayoutBlock(const DocumentRecord& doc, bool user_vote_rates) {
  const HaitouConditions& h = doc.Conditions.Haitou;
  if (!h.Enabled[0]) return "";
  static const char* const kGrades[] = {"１", "２", "３"};
  std::string lines;
  for (int g = 0; g < 3; ++g) {
    if (!h.Flag[g]) continue;
    std::string range = ReportRangeText(h.Min[g], h.Max[g]);
    if (range.empty()) continue;
    lines += std::string(kGrades[g]) + "等当せん金：" + range + kCrLf;
  }
  if (lines.empty()) return "";
  std::string vote = "利用投票状況：";
  if (user_vote_rates || doc.Vote.as_of.IsZero()) {
    vote += "ユーザー定義";
  } else {
    vote += doc.Vote.as_of.Format("yyyy/mm/dd hh:nn");
  }
  return vote + kCrLf + lines + kCrLf;
}

std::string GroupLabel(int group) {
  if (group == kGroupAll) return "全て";
  if (group == kGroupJ1) return "Ｊ１";
  if (group == kGroupJ2) return "Ｊ２";
  return " " + ToFullWidth(std::string(1, static_cast<char>('A' + group - 3))) + " ";
}

std::string TargetOutcomesText(const std::array<bool, 3>& outcomes) {
  int ticked = static_cast<int>(std::count(outcomes.begin(), outcomes.end(), true));
  if (ticked == 0) return "なし";
  if (ticked == 3) return "全結果";
  std::vector<std::string> parts;
  if (outcomes[1]) parts.push_back("ホーム");
  if (outcomes[0]) parts.push_back("その他");
  if (outcomes[2]) parts.push_back("アウェイ");
  return Join(parts, "＋");
}

std::string TargetMatchesText(const std::array<bool, 5>& matches) {
  std::vector<int> ticked;
  for (int m = 0; m < 5; ++m) {
    if (matches[m]) ticked.push_back(m + 1);
  }
  if (ticked.size() == 5) return "全";
  return CompressedList(ticked);
}

std::string TableBlock(const std::string& heading,
                       const std::array<ConditionEntry, kConditionGroups>& table) {
  std::string lines;
  for (int g = 0; g < kConditionGroups; ++g) {
    const ConditionEntry& e = table[g];
    if (!e.A || !e.B) continue;
    std::string label = GroupLabel(g);
    size_t rows =
        std::min({static_cast<size_t>(std::max(e.N, 0)), e.cells.size(), e.captions.size()});
    std::string group_lines;
    for (size_t r = 0; r < rows; ++r) {
      std::vector<int> allowed, tolerated;
      for (int c = 0; c < 6; ++c) {
        if (e.cells[r][c] == kCellAllowed) allowed.push_back(c);
        if (e.cells[r][c] == kCellTolerated) tolerated.push_back(c);
      }
      if (allowed.size() == 6) continue;
      group_lines +=
          PadCutColumns(label + kFullBlank + e.captions[r], 15) + "：" + CompressedList(allowed);
      if (!tolerated.empty()) group_lines += " (" + CompressedList(tolerated) + ")";
      group_lines += kCrLf;
    }
    if (group_lines.empty()) continue;
    if (g > kGroupJ2) {
      lines += PadCutColumns(label + "　------", 15) + "：" +
               TargetOutcomesText(e.target_outcomes) + "：" + TargetMatchesText(e.target_matches) +
               "試合" + kCrLf;
    }
    lines += group_lines;
  }
  if (lines.empty()) return "";
  return heading + kCrLf + lines + kCrLf;
}

std::string MachigaiBlock(const ReductionConditions& c) {
  if (c.MachigaiType != 1 && c.MachigaiType != 2) return "";
  std::string out = std::string("[補正]") + kCrLf;
  if (c.MachigaiType == 2)
    out += std::string("下の条件間違い数の場合は､許容△の買い目を拡張する") + kCrLf;
  std::vector<int> ticked;
  for (int i = 0; i < kMachigaiBuckets; ++i) {
    if (c.MachigaiList[i]) ticked.push_back(i);
  }
  out += "条件間違い数   ：" + ReplaceAll(CompressedList(ticked), "11", "→") + kCrLf;
  return out;
}

// The count before extraction, from the last extraction line of the run
// log ("0003 抽出   ...:    120 →      10 (...)"); 0 when there is none.
int CountBeforeExtraction(const std::string& log) {
  int count = 0;
  for (const std::string& line : Split(log, kCrLf)) {
    if (SubChars(line, 5, 2) != "抽出") continue;
    size_t colon = line.find(':');
    size_t arrow = line.find("→");
    if (colon == std::string::npos || arrow == std::string::npos || arrow < colon) {
      count = 0;
      continue;
    }
    std::string text = Trim(line.substr(colon + 1, arrow - colon - 1));
    int value = 0;
    count = ConvertToLong(text, value) ? value : 0;
  }
  return count;
}

std::string ExtractionLine(const DocumentRecord& doc) {
  if (!doc.Engine.ChushutsuFlag) return "";
  int before = CountBeforeExtraction(doc.SakugenMessage);
  if (before <= 0) return "";
  return "抽出圧縮：" + std::to_string(before) + " → " + std::to_string(doc.SingleCount) + "口" +
         kCrLf;
}

// The current singles that make sense as singles; a damaged record may hold
// more entries than its count, or numbers outside 0 to 242.
std::vector<int> CurrentSingles(const DocumentRecord& doc) {
  std::vector<int> singles;
  size_t n = std::min(static_cast<size_t>(std::max(doc.SingleCount, 0)), doc.SingleData.size());
  for (size_t i = 0; i < n; ++i) {
    if (doc.SingleData[i] >= 0 && doc.SingleData[i] < kSingles)
      singles.push_back(doc.SingleData[i]);
  }
  return singles;
}

std::string SinglesPerLine(const DocumentRecord& doc) {
  std::vector<int> singles = CurrentSingles(doc);
  std::string pattern(Digits(doc.SingleCount), '0');
  std::string out;
  for (size_t i = 0; i < singles.size(); ++i) {
    out += FormatNumber(static_cast<int64_t>(i + 1), pattern) + ":";
    for (int m = 0; m < kMatches; ++m) out += static_cast<char>('0' + OutcomeOf(singles[i], m));
    out += kCrLf;
  }
  return out;
}

std::string SinglesPerColumn(const DocumentRecord& doc) {
  std::vector<int> singles = CurrentSingles(doc);
  std::array<std::string, kMatches> lines;
  for (int m = 0; m < kMatches; ++m) lines[m] = "0" + std::to_string(m + 1) + " ";
  for (size_t i = 0; i < singles.size(); ++i) {
    for (int m = 0; m < kMatches; ++m) {
      lines[m] += static_cast<char>('0' + OutcomeOf(singles[i], m));
      if ((i + 1) % 10 == 0) lines[m] += " ";
    }
  }
  std::string out;
  for (const std::string& line : lines) out += line + kCrLf;
  return out;
}

bool IsSinglesForm(int form) {
  return form == clsTClipboard::kFormSinglesPerLine || form == clsTClipboard::kFormSinglesPerColumn;
}

}  // namespace

std::string CompressedList(std::vector<int> numbers) {
  std::sort(numbers.begin(), numbers.end());
  std::vector<std::string> items;
  for (size_t i = 0; i < numbers.size();) {
    size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    if (j > i) {
      items.push_back(std::to_string(numbers[i]) + "～" + std::to_string(numbers[j]));
    } else {
      items.push_back(std::to_string(numbers[i]));
    }
    i = j + 1;
  }
  return Join(items, ",");
}

std::string ReportAmountText(Money amount) {
  int64_t yen = amount.Floor();
  std::string digits = std::to_string(yen);
  int zeros = 0;
  // "0" itself is written as it stands.
  if (yen != 0) {
    for (auto it = digits.rbegin(); it != digits.rend() && *it == '0'; ++it) ++zeros;
  }
  if (zeros >= 8) return FormatNumber(yen / 100000000, "#,##0") + "億";
  if (zeros >= 4) return FormatNumber(yen / 10000, "#,##0") + "万";
  return FormatNumber(yen, "#,##0");
}

std::string ReportRangeText(Money min, Money max) {
  bool has_min = min > Money::FromInt(0);
  bool has_max = max < Money::FromInt(kHaitouNoLimit);
  if (!has_min && !has_max) return "";
  if (!has_min) return ReportAmountText(max) + "円以下";
  if (!has_max) return ReportAmountText(min) + "円以上";
  return ReportAmountText(min) + "円 ～ " + ReportAmountText(max) + "円";
}

std::string clsTClipboard::GetText(int form, const DocumentRecord& doc,
                                   const ScheduleRecord& schedule, bool user_vote_rates) {
  if (IsSinglesForm(form) && doc.SingleCount > kMaxSingles) return "";
  switch (form) {
    case kFormReport:
      return ReportBody(doc, schedule);
    case kFormReportWithConditions: {
      const ReductionConditions& c = doc.Conditions;
      return ReportBody(doc, schedule) + kCrLf + PayoutBlock(doc, user_vote_rates) +
             TableBlock("[本命]", c.Honmei) + TableBlock("[人気]", c.Ninki) +
             TableBlock("[勝敗]", c.Mark) + MachigaiBlock(c) + ExtractionLine(doc);
    }
    case kFormSinglesPerLine:
      return SinglesPerLine(doc);
    case kFormSinglesPerColumn:
      return SinglesPerColumn(doc);
    default:
      return "";
  }
}

bool clsTClipboard::Copy(int form, const DocumentRecord& doc, const ScheduleRecord& schedule,
                         bool user_vote_rates) {
  try {
    if (IsSinglesForm(form) && doc.SingleCount > kMaxSingles) {
      platform().MessageBox("1万口以上は出力出来ません", kAppTitle, MsgIcon::kWarning);
      return false;
    }
    std::string text = GetText(form, doc, schedule, user_vote_rates);
    if (text.empty()) return false;
    platform().SetClipboardText(text);
    platform().MessageBox("クリップボードへコピーしました", kAppTitle, MsgIcon::kInformation);
    return true;
  } catch (const std::exception& e) {
    ReportException("clsTClipboard", "Copy", e);
    return false;
  }
}

std::vector<int> clsTClipImport::ParseSingles(std::string_view text) {
  std::vector<int> singles;
  clsTNumber number;
  for (const std::string& crlf_line : Split(text, kCrLf)) {
    // Text from other programs may end its lines with LF alone.
    for (std::string line : Split(crlf_line, "\n")) {
      line = ReplaceAll(ReplaceAll(line, " ", ""), "\r", "");
      size_t colon = line.find(':');
      if (colon != std::string::npos) line = line.substr(colon + 1);
      if (line.size() != 5 || line.find_first_not_of("012") != std::string::npos) continue;
      uint8_t kousei[kMatches];
      for (int m = 0; m < kMatches; ++m) kousei[m] = static_cast<uint8_t>(line[m] - '0');
      singles.push_back(number.ByteToNo(kousei));
    }
  }
  return singles;
}

std::vector<int> clsTClipImport::Import() {
  std::vector<int> singles;
  platform().SetBusyCursor(true);
  try {
    singles = ParseSingles(platform().ClipboardText());
  } catch (const std::exception& e) {
    ReportException("clsTClipImport", "Import", e);
  }
  platform().SetBusyCursor(false);
  return singles;
}

}  // namespace zelvo
