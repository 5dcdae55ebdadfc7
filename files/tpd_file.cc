#include "files/tpd_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/single_number.h"
#include "files/line_reader.h"
#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTFileTPD";
constexpr const char* kSaveTpdMessage = "TPDファイルに保存中";
constexpr const char* kSaveTpjMessage = "TPJファイルに保存中";
constexpr const char* kLoadMessage = "TPDファイルの読込中";
constexpr int kProgressStep = 1001;

// No line the program writes comes near these; a damaged file that does is
// refused before it can take much memory.
constexpr size_t kMaxLine = 64 * 1024;
constexpr size_t kMaxMessage = 16 * 1024 * 1024;
constexpr size_t kMaxVoteText = 1024 * 1024;

constexpr int kErrPastEnd = 62;
constexpr const char* kPastEndText = "ファイルにこれ以上データがありません。";

[[noreturn]] void Fail(int number, std::string description = {}) {
  throw RuntimeError(number, std::move(description));
}

// ---- value forms: writing ------------------------------------------------

template <class Bools>
std::string BitString(const Bools& bits) {
  std::string out;
  out.reserve(bits.size());
  for (bool b : bits) out += b ? '1' : '0';
  return out;
}

std::string IntTable(const std::array<std::array<int, 5>, 3>& table) {
  std::string out;
  for (size_t r = 0; r < table.size(); ++r) {
    if (r) out += ',';
    for (size_t c = 0; c < table[r].size(); ++c) {
      if (c) out += ':';
      out += std::to_string(table[r][c]);
    }
  }
  return out;
}

template <class Ints>
std::string IntList(const Ints& values) {
  std::string out;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += std::to_string(values[i]);
  }
  return out;
}

std::string MoneyList(const std::array<Money, 3>& values) {
  std::string out;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += values[i].ToString();
  }
  return out;
}

bool HasLineBreak(std::string_view text) {
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

std::string EntryText(const ConditionEntry& e) {
  const size_t n = e.N < 0 ? 0 : static_cast<size_t>(e.N);
  if (e.row_items.size() != n || e.cells.size() != n || e.captions.size() != n) {
    Fail(kErrSubscript);
  }
  std::string out;
  out += e.A ? "1" : "0";
  out += '|';
  out += e.B ? "1" : "0";
  out += '|' + std::to_string(e.N) + '|' + std::to_string(e.M) + '|';
  out += BitString(e.target_matches) + '|' + BitString(e.target_outcomes);
  for (const std::vector<bool>& row : e.row_items) {
    if (row.size() != static_cast<size_t>(e.M)) Fail(kErrSubscript);
    out += '|' + BitString(row);
  }
  out += '|';
  for (int c = 0; c < 6; ++c) {
    if (c) out += ',';
    for (size_t r = 0; r < n; ++r) {
      uint8_t v = e.cells[r][c];
      if (v > 9) Fail(kErrOverflow);  // a cell is one digit in the file
      out += static_cast<char>('0' + v);
    }
  }
  out += '|';
  for (size_t r = 0; r < n; ++r) {
    const std::string& caption = e.captions[r];
    // A separator inside a caption would split the entry differently on reading.
    if (caption.find_first_of(",|\r\n") != std::string::npos) Fail(kErrInvalidCall);
    if (r) out += ',';
    out += caption;
  }
  return out;
}

// ---- value forms: reading ------------------------------------------------

int Decimal(std::string_view value) {
  int v = 0;
  if (!ConvertToLong(value, v)) Fail(kErrTypeMismatch);
  return v;
}

int DecimalIn(std::string_view value, int lo, int hi) {
  int v = Decimal(value);
  if (v < lo || v > hi) Fail(kErrOverflow);
  return v;
}

bool Boolean(std::string_view value) { return value == "1"; }

template <class Bools>
void ReadBits(std::string_view value, Bools& bits) {
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = i < value.size() && value[i] == '1';
}

// A value that is empty holds no elements (rather than one empty one).
std::vector<std::string> Elements(std::string_view value, std::string_view sep) {
  if (value.empty()) return {};
  return Split(value, sep);
}

template <class Ints>
void ReadIntList(std::string_view value, Ints& out) {
  std::vector<std::string> parts = Elements(value, ",");
  for (size_t i = 0; i < parts.size() && i < out.size(); ++i) out[i] = Decimal(parts[i]);
}

void ReadIntTable(std::string_view value, std::array<std::array<int, 5>, 3>& table, int lo,
                  int hi) {
  std::vector<std::string> rows = Elements(value, ",");
  for (size_t r = 0; r < rows.size() && r < table.size(); ++r) {
    std::vector<std::string> cols = Split(rows[r], ":");
    for (size_t c = 0; c < cols.size() && c < table[r].size(); ++c) {
      table[r][c] = DecimalIn(cols[c], lo, hi);
    }
  }
}

void ReadMoneyList(std::string_view value, std::array<Money, 3>& out) {
  std::vector<std::string> parts = Elements(value, ",");
  for (size_t i = 0; i < parts.size() && i < out.size(); ++i) {
    if (!Money::Parse(Trim(parts[i]), out[i])) Fail(kErrTypeMismatch);
  }
}

DateTime ReadDate(std::string_view value) {
  if (value.empty() || value == "Nothing") return DateTime();
  DateTime d;
  if (!DateTime::Parse(value, d)) Fail(kErrTypeMismatch);
  return d;
}

// A plain decimal with its point moved `places` to the right (left when
// negative): "0.108972" and 2 give "10.8972".  Moving the point in the text,
// not multiplying, is what lets a probability stored as a percentage read
// back as exactly the same double.
std::string ShiftPoint(std::string_view text, int places) {
  std::string digits(text);
  size_t point = digits.find('.');
  if (point == std::string::npos) point = digits.size();
  digits.erase(point < digits.size() ? point : digits.size(), point < digits.size() ? 1 : 0);
  long at = static_cast<long>(point) + places;
  while (at <= 0) {
    digits.insert(0, "0");
    ++at;
  }
  while (static_cast<size_t>(at) > digits.size()) digits += '0';
  std::string out = digits.substr(0, static_cast<size_t>(at));
  std::string fraction = digits.substr(static_cast<size_t>(at));
  out.erase(0, std::min(out.find_first_not_of('0'), out.size() - 1));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? out : out + "." + fraction;
}

// A figure the user gave, stored exactly; one that cannot be (not finite,
// below 0) is refused rather than written as something else.
std::string ExactFigure(double value) {
  if (!std::isfinite(value) || value < 0) Fail(kErrInvalidCall, "保存できない値です。");
  return ExactDecimalText(value);
}

// Own probabilities as percentages laid out as the multi is: a row per
// outcome code, a column per match.  Each match must add up to 100.
std::string OwnProbabilitiesText(const OwnProbabilities& own) {
  std::string out;
  for (int o = 0; o < 3; ++o) {
    if (o) out += ',';
    for (int m = 0; m < kMatches; ++m) {
      if (m) out += ':';
      out += ShiftPoint(ExactFigure(own.p[m][o]), 2);
    }
  }
  return out;
}

void ReadOwnProbabilities(std::string_view value, OwnProbabilities& own) {
  std::vector<std::string> rows = Elements(value, ",");
  if (rows.size() != 3) Fail(kErrTypeMismatch);
  OwnProbabilities read;
  std::array<double, kMatches> sums{};
  for (int o = 0; o < 3; ++o) {
    std::vector<std::string> cols = Split(rows[o], ":");
    if (cols.size() != kMatches) Fail(kErrTypeMismatch);
    for (int m = 0; m < kMatches; ++m) {
      const std::string pct = Trim(cols[m]);
      double p = 0;
      if (pct.starts_with("-") || !ParseExactDecimal(pct, p) ||
          !ParseExactDecimal(ShiftPoint(pct, -2), p) || p > 1) {
        Fail(kErrTypeMismatch);
      }
      read.p[m][o] = p;
      sums[m] += p;
    }
  }
  for (int m = 0; m < kMatches; ++m) {
    // Older files keep four decimals of a percent, whose three figures miss
    // 100 by a rounding; those are rescaled.  Exact figures already add up
    // to 1 but for the last bits of their sum, and are kept as they are.
    if (sums[m] < 0.9999 || sums[m] > 1.0001) Fail(kErrTypeMismatch);
    if (std::fabs(sums[m] - 1) > 1e-12) {
      for (int o = 0; o < 3; ++o) read.p[m][o] /= sums[m];
    }
  }
  read.set = true;
  own = read;
}

// "model|2024/06/22|10652|11101": proposed by the goal model, fitted on the
// 10,652 matches before 2024/06/22, matches 1, 2, 3 and 5 from it.
std::string OwnProbabilitySourceText(const OwnProbabilitySource& source) {
  std::string matches;
  for (bool m : source.matches) matches += m ? '1' : '0';
  return "model|" + source.fit_date.Format("yyyy/mm/dd") + "|" +
         std::to_string(source.history_matches) + "|" + matches;
}

void ReadOwnProbabilitySource(std::string_view value, OwnProbabilitySource& source) {
  std::vector<std::string> parts = Split(value, "|");
  if (parts.size() != 4 || Trim(parts[0]) != "model") Fail(kErrTypeMismatch);
  OwnProbabilitySource read;
  read.model = true;
  read.fit_date = ReadDate(Trim(parts[1]));
  read.history_matches = DecimalIn(Trim(parts[2]), 0, INT32_MAX);
  const std::string matches = Trim(parts[3]);
  if (matches.size() != kMatches || matches.find_first_not_of("01") != std::string::npos) {
    Fail(kErrTypeMismatch);
  }
  for (int m = 0; m < kMatches; ++m) read.matches[m] = matches[m] == '1';
  source = read;
}

// "Enabled|Kind|Min|Max".
std::string ValueConditionsText(const ValueConditions& v) {
  return std::string(v.Enabled ? "1" : "0") + "|" + std::to_string(v.Kind) + "|" +
         ExactFigure(v.Min) + "|" + ExactFigure(v.Max);
}

void ReadValueConditions(std::string_view value, ValueConditions& v) {
  std::vector<std::string> parts = Split(value, "|");
  if (parts.size() != 4) Fail(kErrTypeMismatch);
  double min = 0, max = 0;
  if (!ParseExactDecimal(Trim(parts[2]), min) || !ParseExactDecimal(Trim(parts[3]), max) ||
      min < 0 || max < 0) {
    Fail(kErrTypeMismatch);
  }
  v.Enabled = Boolean(parts[0]);
  v.Kind = DecimalIn(parts[1], 0, 1);
  v.Min = min;
  v.Max = max;
  const std::string problem = ValueRangeProblem(v);
  if (!problem.empty()) Fail(kErrInvalidCall, problem);
}

// One condition entry: "A|B|N|M|matches|outcomes|row 1|...|row N|cells|captions".
void ReadEntry(std::string_view value, ConditionTable table, ConditionEntry& e) {
  std::vector<std::string> parts = Split(value, "|");
  if (parts.size() < 4) Fail(kErrSubscript);
  // The panels and the reduction have one row per item and one tick per
  // item; any other shape can only come from a damaged file.
  const int items = static_cast<int>(ConditionItems(table).size());
  const int n = DecimalIn(parts[2], items, items);
  const int m = DecimalIn(parts[3], items, items);
  if (parts.size() < static_cast<size_t>(n) + 8) Fail(kErrSubscript);
  e.A = Boolean(parts[0]);
  e.B = Boolean(parts[1]);
  e.N = n;
  e.M = m;
  ReadBits(parts[4], e.target_matches);
  ReadBits(parts[5], e.target_outcomes);
  e.row_items.resize(n);
  e.cells.resize(n);
  e.captions.resize(n);
  for (int r = 0; r < n; ++r) {
    e.row_items[r].assign(m, false);
    ReadBits(parts[6 + r], e.row_items[r]);
  }
  std::vector<std::string> groups = Split(parts[6 + n], ",");
  if (groups.size() < 6) Fail(kErrSubscript);
  for (int c = 0; c < 6; ++c) {
    const std::string& g = groups[c];
    if (g.size() < static_cast<size_t>(n)) Fail(kErrSubscript);
    for (int r = 0; r < n; ++r) {
      if (g[r] < '0' || g[r] > '9') Fail(kErrTypeMismatch);
      e.cells[r][c] = static_cast<uint8_t>(g[r] - '0');
    }
  }
  std::vector<std::string> captions = Elements(parts[7 + n], ",");
  for (size_t r = 0; r < captions.size() && r < static_cast<size_t>(n); ++r) {
    e.captions[r] = captions[r];
  }
}

std::string Decode(const std::string& raw) { return IsAsciiBytes(raw) ? raw : FromCp932(raw); }

// One hexadecimal single number, "0" to "F2".
int HexSingle(std::string_view raw) {
  std::string t = Trim(raw);
  if (t.empty() || t.size() > 8) Fail(kErrTypeMismatch);
  uint32_t v = 0;
  for (char ch : t) {
    int d;
    if (ch >= '0' && ch <= '9') {
      d = ch - '0';
    } else if (ch >= 'A' && ch <= 'F') {
      d = ch - 'A' + 10;
    } else if (ch >= 'a' && ch <= 'f') {
      d = ch - 'a' + 10;
    } else {
      Fail(kErrTypeMismatch);
    }
    v = v * 16 + static_cast<uint32_t>(d);
  }
  if (v >= static_cast<uint32_t>(kSingles)) Fail(kErrInvalidCall);
  return static_cast<int>(v);
}

std::string Hex(int v) {
  static const char kDigits[] = "0123456789ABCDEF";
  char buf[8];
  int n = 0;
  uint32_t u = static_cast<uint32_t>(v);
  do {
    buf[n++] = kDigits[u & 15];
    u >>= 4;
  } while (u);
  std::string out;
  while (n) out += buf[--n];
  return out;
}

// Reading one file: the lines in order, with the blocks read by their own
// loops as they start.
class Loader {
 public:
  Loader(const std::string& path, DocumentRecord& record, const VoteXmlReader& xml_to_vote)
      : path_(path), rec_(record), xml_to_vote_(xml_to_vote), reader_(kMaxLine) {}

  void Run() {
    if (!reader_.Open(path_)) Fail(kErrFileNotFound, UnreadableFileReason(path_));
    // Every single takes a line of at least two bytes.
    max_singles_ = reader_.FileSize() / 2;
    std::string raw;
    while (NextLine(raw)) {
      if (!raw.empty() && raw[0] == ';') continue;
      std::string line = Decode(raw);
      size_t eq = line.find('=');
      if (eq == std::string::npos) {
        if (line == "<SingleData>") {
          ReadSingles();
        } else if (line == "<SakugenMessage>") {
          ReadMessage();
        } else if (line == "<投票状況>") {
          ReadVote();
        }
        continue;
      }
      Assign(Trim(std::string_view(line).substr(0, eq)),
             Trim(std::string_view(line).substr(eq + 1)));
    }
    // Singles announced by a count but never listed: the file lost them.
    if (singles_pending_) Fail(kErrPastEnd, kPastEndText);
    // Files of the current version end with a fixed last section; without it
    // the file was cut short.
    if (data_version_ >= kTpdDataVersion) {
      if (data_type_ == "minitoto" && !vote_read_) Fail(kErrPastEnd, kPastEndText);
      if (data_type_ == "minitoto Jouken" && !machigai_list_read_) {
        Fail(kErrPastEnd, kPastEndText);
      }
    }
    // The source belongs to the probabilities of the same file: without its
    // key they are the user's, and without them it describes nothing.
    if (own_read_) rec_.OwnProbs.source = own_source_;
    if (!rec_.OwnProbs.set) rec_.OwnProbs.source = OwnProbabilitySource{};
    // The vote status XML does not give the group back; it is the document's.
    if (vote_read_ && rec_.Vote.Kumi.empty() && rec_.Vote.Kaisaikai > 0) {
      rec_.Vote.Kumi = rec_.Kumi;
    }
  }

 private:
  bool NextLine(std::string& raw) {
    switch (reader_.Next(raw)) {
      case LineReader::Result::kLine:
        return true;
      case LineReader::Result::kEnd:
        return false;
      case LineReader::Result::kTooLong:
        Fail(kErrOutOfMemory);
      case LineReader::Result::kError:
        Fail(kErrFileIo);
    }
    return false;
  }

  // A block's next line; the end of the file inside a block fails the load.
  void BlockLine(std::string& raw) {
    if (!NextLine(raw)) Fail(kErrPastEnd, kPastEndText);
  }

  void Assign(const std::string& name, const std::string& value) {
    for (ConditionTable t :
         {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
      std::string_view prefix = t == ConditionTable::kHonmei  ? "Honmei."
                                : t == ConditionTable::kNinki ? "Ninki."
                                                              : "Mark.";
      if (name.compare(0, prefix.size(), prefix) == 0) {
        int index = Decimal(std::string_view(name).substr(prefix.size()));
        if (index < 0 || index >= kConditionGroups) return;
        ReadEntry(value, t, rec_.Conditions.Table(t)[index]);
        return;
      }
    }
    ReductionConditions& c = rec_.Conditions;
    EngineSettings& e = rec_.Engine;
    if (name == "Kaisaikai") {
      rec_.Kaisaikai = DecimalIn(value, 0, INT32_MAX);
    } else if (name == "VoteTime") {
      rec_.VoteTime = ReadDate(value);
    } else if (name == "Kumi") {
      // The group names the cache files of the round; nothing else may pass.
      if (value != "A" && value != "B" && !value.empty()) Fail(kErrInvalidCall);
      rec_.Kumi = value;
    } else if (name == "Multi") {
      ReadIntTable(value, rec_.Multi, 0, 6);
    } else if (name == "OwnProb") {
      ReadOwnProbabilities(value, rec_.OwnProbs);
      own_read_ = true;
    } else if (name == "OwnProbSource") {
      OwnProbabilitySource source;
      ReadOwnProbabilitySource(value, source);
      own_source_ = source;
    } else if (name == "Value") {
      ReadValueConditions(value, c.Value);
    } else if (name == "ChushutsuOrder") {
      e.ChushutsuOrder = DecimalIn(value, 0, kExtractionOrderCount - 1);
    } else if (name == "Haitou.Enabled") {
      ReadBits(value, c.Haitou.Enabled);
    } else if (name == "Haitou.Flag") {
      ReadBits(value, c.Haitou.Flag);
    } else if (name == "Haitou.Min") {
      ReadMoneyList(value, c.Haitou.Min);
    } else if (name == "Haitou.Max") {
      ReadMoneyList(value, c.Haitou.Max);
    } else if (name == "MachigaiType") {
      c.MachigaiType = DecimalIn(value, 0, 2);
    } else if (name == "MachigaiList") {
      ReadBits(value, c.MachigaiList);
      machigai_list_read_ = true;
    } else if (name == "MsEngine") {
      e.MsEngine = DecimalIn(value, 0, 5);
    } else if (name == "BeginCount") {
      e.BeginCount = DecimalIn(value, 1, 9999);
    } else if (name == "EndCount") {
      e.EndCount = DecimalIn(value, 1, 9999);
    } else if (name == "EndTime") {
      e.EndTime = DecimalIn(value, 0, 9999);
    } else if (name == "ExGrade2") {
      e.ExGrade2 = Boolean(value);
    } else if (name == "ExGrade3") {
      e.ExGrade3 = Boolean(value);
    } else if (name == "SeBeginCount") {
      e.SeBeginCount = DecimalIn(value, 1, 9999);
    } else if (name == "SeEndTime") {
      e.SeEndTime = DecimalIn(value, 0, 9999);
    } else if (name == "ChushutsuFlag") {
      e.ChushutsuFlag = Boolean(value);
    } else if (name == "ChushutsuCount") {
      e.ChushutsuCount = DecimalIn(value, 1, 9999);
    } else if (name == "ChushutsuType") {
      e.ChushutsuType = DecimalIn(value, 0, 3);
    } else if (name == "MsSingleCount") {
      rec_.MsSingleCount = DecimalIn(value, 0, INT32_MAX);
    } else if (name == "MsSingleFrame") {
      ReadIntTable(value, rec_.MsSingleFrame, INT32_MIN, INT32_MAX);
    } else if (name == "MsTousen") {
      ReadIntList(value, rec_.MsTousen);
    } else if (name == "SingleCount") {
      int count = Decimal(value);
      // More singles than the file has lines for cannot be real.
      if (count < 0 || count > max_singles_) Fail(kErrOverflow);
      rec_.SingleCount = count;
      platform().WaitProgress(kLoadMessage, count, 0);
      wait_max_ = count;
      singles_pending_ = count >= 1;
    } else if (name == "SingleFrame") {
      ReadIntTable(value, rec_.SingleFrame, INT32_MIN, INT32_MAX);
    } else if (name == "DataType") {
      data_type_ = value;
    } else if (name == "DataVersion") {
      int v = 0;
      if (ConvertToLong(value, v)) data_version_ = v;
    }
  }

  void ReadSingles() {
    // With a count read before the block the list has exactly that many
    // entries; without one the block writes into the list as it is.
    const bool counted = singles_pending_;
    const size_t size = counted ? static_cast<size_t>(rec_.SingleCount) : rec_.SingleData.size();
    std::vector<int> singles;
    singles.reserve(counted ? size : 0);
    std::string raw;
    size_t j = 0;
    while (true) {
      BlockLine(raw);
      if (raw == "</SingleData>") break;
      if (j >= size) Fail(kErrSubscript);
      int v = HexSingle(raw);
      if (counted) {
        singles.push_back(v);
      } else {
        rec_.SingleData[j] = v;
      }
      ++j;
      if (j % kProgressStep == 0) {
        platform().WaitProgress(kLoadMessage, wait_max_, static_cast<int64_t>(j));
        platform().Yield();
      }
    }
    if (counted) {
      // Fewer numbers than the count means lost lines, not empty singles.
      if (j != size) Fail(kErrPastEnd, kPastEndText);
      rec_.SingleData = std::move(singles);
      singles_pending_ = false;
    }
    platform().WaitProgress(kLoadMessage, wait_max_, wait_max_);
  }

  void ReadMessage() {
    std::string text;
    std::string raw;
    while (true) {
      BlockLine(raw);
      if (raw == "</SakugenMessage>") break;
      std::string line = Decode(raw);
      if (Trim(line).empty()) continue;
      text += line;
      text += "\r\n";
      if (text.size() > kMaxMessage) Fail(kErrOutOfMemory);
    }
    rec_.SakugenMessage = std::move(text);
  }

  void ReadVote() {
    std::string text = "<投票状況>\r\n";
    std::string raw;
    while (true) {
      BlockLine(raw);
      std::string line = Decode(raw);
      if (line == "</投票状況>") break;
      if (Trim(line).empty()) continue;
      text += line;
      text += "\r\n";
      if (text.size() > kMaxVoteText) Fail(kErrOutOfMemory);
    }
    text += "</投票状況>";
    VoteStatusRecord vote;
    if (!xml_to_vote_ || !xml_to_vote_(text, vote)) Fail(kErrInvalidCall);
    rec_.Vote = std::move(vote);
    vote_read_ = true;
  }

  const std::string& path_;
  DocumentRecord& rec_;
  const VoteXmlReader& xml_to_vote_;
  LineReader reader_;
  int64_t max_singles_ = 0;
  int64_t wait_max_ = 1;
  bool singles_pending_ = false;
  bool vote_read_ = false;
  bool machigai_list_read_ = false;
  bool own_read_ = false;
  OwnProbabilitySource own_source_;
  std::string data_type_;
  int data_version_ = 0;
};

// Closes the wait dialog and the busy pointer however the operation ends.
class WaitScope {
 public:
  WaitScope(const std::string& message, int64_t max) {
    platform().SetBusyCursor(true);
    platform().WaitBegin(message, max);
  }
  ~WaitScope() {
    platform().WaitEnd();
    platform().SetBusyCursor(false);
  }
};

// With messages off (the batch run) nothing the load calls may stop to ask
// the user either: message boxes are answered with their default button
// unseen, everything else goes to the platform in force.
class QuietPlatform : public ForwardingPlatform {
 public:
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons buttons,
                       int default_button) override {
    return DefaultAnswer(buttons, default_button);
  }
};

// The text an error report would show, kept for a list of results.
std::string FaultText(const std::exception& e) {
  return ErrorDescriptionOf(e) + " ( " + std::to_string(ErrorNumberOf(e)) + " )";
}

}  // namespace

clsTFileTPD::clsTFileTPD()
    : vote_to_xml(DefaultVoteXmlWriter()), xml_to_vote(DefaultVoteXmlReader()) {}

bool clsTFileTPD::DataTypeCheck(const std::string& file_name, bool document, int& data_version,
                                bool report) {
  last_fault_.clear();
  try {
    data_version = 0;
    LineReader reader(kMaxLine);
    if (!reader.Open(file_name)) Fail(kErrFileNotFound, UnreadableFileReason(file_name));
    bool software = false, kind = false;
    std::string raw;
    for (int i = 0; i < 8; ++i) {
      switch (reader.Next(raw)) {
        case LineReader::Result::kLine:
          break;
        case LineReader::Result::kEnd:
          Fail(kErrPastEnd, kPastEndText);
        case LineReader::Result::kTooLong:
          Fail(kErrOutOfMemory);
        case LineReader::Result::kError:
          Fail(kErrFileIo);
      }
      if (!raw.empty() && raw[0] == ';') continue;
      std::string line = Decode(raw);
      size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string name = Trim(std::string_view(line).substr(0, eq));
      std::string value = Trim(std::string_view(line).substr(eq + 1));
      if (name == "Software") {
        if (value == "Zelvo mini") software = true;
      } else if (name == "DataType") {
        if (value == (document ? "minitoto" : "minitoto Jouken")) kind = true;
      } else if (name == "DataVersion") {
        data_version = Decimal(value);
      }
    }
    return software && kind;
  } catch (const std::exception& e) {
    last_fault_ = FaultText(e);
    if (report) ReportException(kClass, "DataTypeCheck", e);
    return false;
  }
}

std::string clsTFileTPD::BuildFileBytes(bool document, const DocumentRecord& rec) {
  if (rec.SingleCount < 0 || static_cast<size_t>(rec.SingleCount) > rec.SingleData.size()) {
    Fail(kErrSubscript);
  }
  // A line break in the group would start a line of its own on reading.
  if (HasLineBreak(rec.Kumi)) Fail(kErrInvalidCall);
  std::string out;
  out.reserve(16 * 1024 + static_cast<size_t>(rec.SingleCount) * 4 + rec.SakugenMessage.size());
  auto text = [&out](std::string_view utf8) {
    bool ascii = true;
    for (char ch : utf8) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (ascii) {
      out.append(utf8);
    } else {
      out += ToCp932(utf8);
    }
  };
  auto line = [&](std::string_view utf8) {
    text(utf8);
    out += "\r\n";
  };

  line(document ? ";Pendralcove Data File (.tpd)" : ";Pendralcove Jouken File (.tpj)");
  line(";" + CopyrightNotice());
  line("");
  line("Software    = Zelvo mini");
  line("SoftVersion = " + ProgramVersionText());
  line(document ? "DataType    = minitoto" : "DataType    = minitoto Jouken");
  line("DataVersion = " + std::to_string(kTpdDataVersion));
  line("");
  if (document) {
    line("Kaisaikai = " + std::to_string(rec.Kaisaikai));
    line("Kumi = " + rec.Kumi);
    line("");
    line("Multi = " + IntTable(rec.Multi));
    // Written only when set, so that a document without them stays the file
    // older versions wrote; they skip the key.
    if (rec.OwnProbs.set) line("OwnProb = " + OwnProbabilitiesText(rec.OwnProbs));
    if (rec.OwnProbs.set && rec.OwnProbs.source.model) {
      line("OwnProbSource = " + OwnProbabilitySourceText(rec.OwnProbs.source));
    }
    line("");
  }
  const ReductionConditions& c = rec.Conditions;
  line("Haitou.Enabled = " + BitString(c.Haitou.Enabled));
  line("Haitou.Flag = " + BitString(c.Haitou.Flag));
  line("Haitou.Min = " + MoneyList(c.Haitou.Min));
  line("Haitou.Max = " + MoneyList(c.Haitou.Max));
  line("");
  for (ConditionTable t :
       {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
    const char* prefix = t == ConditionTable::kHonmei  ? "Honmei."
                         : t == ConditionTable::kNinki ? "Ninki."
                                                       : "Mark.";
    for (int g = 0; g < kConditionGroups; ++g) {
      line(prefix + std::to_string(g) + " = " + EntryText(c.Table(t)[g]));
    }
    line("");
  }
  if (c.Value != ValueConditions{}) line("Value = " + ValueConditionsText(c.Value));
  line("MachigaiType = " + std::to_string(c.MachigaiType));
  line("MachigaiList = " + BitString(c.MachigaiList));
  line("");
  if (!document) return out;

  const EngineSettings& e = rec.Engine;
  line("MsEngine = " + std::to_string(e.MsEngine));
  // The engine limits, in the order they are read: without them a document
  // saved and opened again ran its search with the defaults.
  line("BeginCount = " + std::to_string(e.BeginCount));
  line("EndCount = " + std::to_string(e.EndCount));
  line("EndTime = " + std::to_string(e.EndTime));
  line(std::string("ExGrade2 = ") + (e.ExGrade2 ? "1" : "0"));
  line(std::string("ExGrade3 = ") + (e.ExGrade3 ? "1" : "0"));
  line("SeBeginCount = " + std::to_string(e.SeBeginCount));
  line("SeEndTime = " + std::to_string(e.SeEndTime));
  line("");
  line(std::string("ChushutsuFlag = ") + (e.ChushutsuFlag ? "1" : "0"));
  line("ChushutsuCount = " + std::to_string(e.ChushutsuCount));
  line("ChushutsuType = " + std::to_string(e.ChushutsuType));
  if (e.ChushutsuOrder != 0) line("ChushutsuOrder = " + std::to_string(e.ChushutsuOrder));
  line("");
  line("MsSingleCount = " + std::to_string(rec.MsSingleCount));
  line("MsSingleFrame = " + IntTable(rec.MsSingleFrame));
  line("MsTousen = " + IntList(rec.MsTousen));
  line("");
  line("SingleCount = " + std::to_string(rec.SingleCount));
  line("SingleFrame = " + IntTable(rec.SingleFrame));
  line("");
  line("<SingleData>");
  const int64_t max = rec.SingleCount;
  for (int j = 0; j < rec.SingleCount; ++j) {
    int v = rec.SingleData[j];
    // Written as it is, a number the loader refuses would lose the document.
    if (v < 0 || v >= kSingles) Fail(kErrInvalidCall);
    out += Hex(v);
    out += "\r\n";
    if ((j + 1) % kProgressStep == 0) {
      platform().WaitProgress(kSaveTpdMessage, max, j + 1);
      platform().Yield();
    }
  }
  platform().WaitProgress(kSaveTpdMessage, max, max);
  line("</SingleData>");
  line("");
  line("<SakugenMessage>");
  line(rec.SakugenMessage);
  line("</SakugenMessage>");
  line("");
  if (!vote_to_xml) Fail(kErrInvalidCall);
  std::string vote = vote_to_xml(rec.Vote);
  // The element ends with its closing line and one line end, whether or not
  // the XML text brings its own.
  if (vote.size() >= 2 && vote.compare(vote.size() - 2, 2, "\r\n") == 0) {
    text(vote);
  } else {
    line(vote);
  }
  return out;
}

bool clsTFileTPD::SaveFile(const std::string& file_name, bool document,
                           const DocumentRecord& record, bool report) {
  last_fault_.clear();
  try {
    WaitScope wait(document ? kSaveTpdMessage : kSaveTpjMessage, record.SingleCount);
    std::string bytes = BuildFileBytes(document, record);
    if (!WriteFileBytes(file_name, bytes, false)) {
      last_fault_ = "ファイルの保存に失敗しました。";
      if (report)
        ReportError(
            kClass, "Save",
            file_name + "\r\n" + "ファイルの保存に失敗しました。" + "\r\n" + LastWriteError());
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    last_fault_ = FaultText(e);
    if (report) ReportException(kClass, "Save", e);
    return false;
  }
}

bool clsTFileTPD::LoadFile(const std::string& file_name, DocumentRecord& record, bool report) {
  last_fault_.clear();
  last_reason_.clear();
  try {
    std::optional<QuietPlatform> quiet;
    if (!report) quiet.emplace();
    WaitScope wait(kLoadMessage, 1);
    Loader loader(file_name, record, xml_to_vote);
    loader.Run();
    return true;
  } catch (const std::exception& e) {
    last_fault_ = FaultText(e);
    if (ErrorNumberOf(e) == kErrInvalidCall && e.what() != ErrorDescription(kErrInvalidCall)) {
      last_reason_ = e.what();
    }
    if (report) ReportException(kClass, "Load", e);
    return false;
  }
}

bool LoadDocumentFile(clsTFileTPD& tpd, const std::string& file_name, bool whole, bool dialog,
                      DocumentRecord& doc, const OldVoteFileFn& old_vote_file,
                      DocumentLoadInfo* info) {
  DocumentLoadInfo local;
  auto done = [&](bool ok) {
    if (info) *info = local;
    return ok;
  };
  // A folder or a pipe is no "file of another program": say what it is.
  if (const std::string reason = UnreadableFileReason(file_name); !reason.empty()) {
    local.fault = reason;
    if (dialog) platform().MessageBox(reason + "\r\n" + file_name, kAppTitle, MsgIcon::kWarning);
    return done(false);
  }
  if (!tpd.DataTypeCheck(file_name, whole, local.data_version, false)) {
    local.wrong_type = true;
    local.fault = std::string(kAppTitle) + "のファイルではありません。";
    if (dialog) platform().MessageBox(local.fault, "ファイルタイプ警告", MsgIcon::kWarning);
    if (!tpd.LastFault().empty()) local.fault += " " + tpd.LastFault();
    return done(false);
  }
  // Everything happens on a copy, so that a file that fails half-way leaves
  // the open document as it was.
  DocumentRecord copy = doc;
  if (whole) {
    ResetToNewDocument(copy);
  } else {
    copy.Conditions = DefaultReductionConditions();
  }
  if (!tpd.LoadFile(file_name, copy, false)) {
    local.fault = "ファイルの読込に失敗しました。 " + tpd.LastFault();
    if (dialog) {
      const std::string& reason = tpd.LastReason();
      platform().MessageBox(
          "ファイルの読込に失敗しました。" + (reason.empty() ? std::string() : "\r\n" + reason),
          kAppTitle, MsgIcon::kWarning);
    }
    return done(false);
  }
  if (!whole) {
    doc.Conditions = std::move(copy.Conditions);
    doc.Multi = copy.Multi;
    return done(true);
  }
  if (local.data_version > 4) {
    local.vote_from_file = true;
  } else {
    // Old documents carry no vote status of their own, whatever they hold.
    copy.Vote = doc.Vote;
    VoteStatusRecord archived;
    if (old_vote_file && old_vote_file(copy.Kaisaikai, copy.VoteTime, archived)) {
      copy.Vote = std::move(archived);
      local.vote_from_file = true;
    }
  }
  doc = std::move(copy);
  return done(true);
}

}  // namespace zelvo
