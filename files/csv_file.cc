#include "files/csv_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "core/single_number.h"
#include "files/line_reader.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsTFileCSV";
constexpr const char* kPrefix = "Zmini-";
constexpr int kProgressStep = 1001;
constexpr size_t kMaxLine = 4096;

class WaitScope {
 public:
  WaitScope(const std::string& message, int64_t max) { platform().WaitBegin(message, max); }
  ~WaitScope() { platform().WaitEnd(); }
};

int64_t CountLines(const std::string& path) {
  LineReader reader(kMaxLine, true);
  // The file's name goes with the error: a bare "not found" names nothing.
  if (!reader.Open(path)) {
    throw RuntimeError(kErrFileNotFound, path + "\r\n" + UnreadableFileReason(path));
  }
  std::string line;
  while (true) {
    LineReader::Result r = reader.Next(line);
    if (r == LineReader::Result::kEnd) break;
    if (r == LineReader::Result::kError) throw RuntimeError(kErrFileIo);
  }
  return reader.LineNumber();
}

// Reading a number at position `s` (1-based) of the name: the characters from
// s up to the first non-digit after it.
int NumberAt(const std::u32string& name, size_t s) {
  if (s < 1 || s > name.size()) return 0;
  size_t p = s + 1;
  while (p <= name.size() && name[p - 1] >= U'0' && name[p - 1] <= U'9') ++p;
  if (p > name.size()) return 0;
  std::string text = FromU32(name.substr(s - 1, p - s));
  int value = 0;
  if (!IsNumeric(text) || !ConvertToLong(text, value)) return 0;
  // A round is never negative; "-5.csv" names none.
  return value > 0 ? value : 0;
}

}  // namespace

CsvLineKind ParseCsvLine(const std::string& line, int& single) {
  // The lines the program writes ("1,0,2,0,1") are read without splitting.
  if (line.size() == 9 && line[1] == ',' && line[3] == ',' && line[5] == ',' && line[7] == ',') {
    int value = 0;
    bool plain = true;
    for (int m = 4; m >= 0; --m) {
      char c = line[2 * m];
      plain = plain && c >= '0' && c <= '2';
      value = value * 3 + (c - '0');
    }
    if (plain) {
      single = value;
      return CsvLineKind::kSingle;
    }
  }
  std::vector<std::string> fields = Split(line, ",");
  if (fields.size() != 5) return CsvLineKind::kSkip;
  std::array<uint8_t, 5> k{};
  for (int m = 0; m < 5; ++m) {
    std::string f = Trim(fields[m]);
    if (!IsNumeric(f)) return CsvLineKind::kBad;
    double v = std::nearbyint(std::strtod(f.c_str(), nullptr));
    if (v < 0 || v > 2) return CsvLineKind::kBad;
    k[m] = static_cast<uint8_t>(v);
  }
  single = clsTNumber().ByteToNo(k);
  return CsvLineKind::kSingle;
}

std::string CsvNoSingleMessage(const std::string& path) {
  return path + "\r\n" + "読み込めるシングルがありません。";
}

std::string CsvBadLineMessage(const std::string& path, int64_t line) {
  return path + "\r\n" + std::to_string(line) + "行目：試合の結果は 1, 0, 2 のいずれかです。";
}

void StripByteOrderMark(std::string& first_line) {
  if (first_line.starts_with("\xEF\xBB\xBF")) first_line.erase(0, 3);
}

bool clsTFileCSV::CsvSave(const std::string& strFileName, int lngSCount,
                          const std::vector<int>& lngSingle) {
  try {
    WaitScope wait("CSVファイルに保存中", lngSCount - 1);
    if (lngSCount < 0 || static_cast<size_t>(lngSCount) > lngSingle.size()) {
      throw RuntimeError(kErrSubscript);
    }
    std::string out;
    out.reserve(static_cast<size_t>(lngSCount) * 11);
    for (int i = 0; i < lngSCount; ++i) {
      int s = lngSingle[i];
      if (s < 0 || s >= kSingles) throw RuntimeError(kErrInvalidCall);
      for (int m = 0; m < kMatches; ++m) {
        if (m) out += ',';
        out += static_cast<char>('0' + OutcomeOf(s, m));
      }
      out += "\r\n";
      if ((i + 1) % kProgressStep == 0) {
        platform().WaitProgress("CSVファイルに保存中", lngSCount - 1, i);
        platform().Yield();
      }
    }
    platform().WaitProgress("CSVファイルに保存中", lngSCount - 1, lngSCount - 1);
    if (!WriteFileBytes(strFileName, out, false)) {
      ReportError(
          kClass, "CsvSave_Sub",
          strFileName + "\r\n" + "ファイルの保存に失敗しました。" + "\r\n" + LastWriteError());
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "CsvSave_Sub", e);
    return false;
  }
}

bool clsTFileCSV::CsvLoad(const std::string& strFileName, int& lngSCount,
                          std::vector<int>& lngSingle) {
  try {
    WaitScope wait("CSVデータ数の取得中", 1);
    const int64_t n = CountLines(strFileName);
    if (n > INT32_MAX) throw RuntimeError(kErrOverflow);
    std::vector<int> singles;
    int count = 0;
    if (n >= 1) {
      singles.assign(static_cast<size_t>(n), 0);
      platform().WaitProgress("CSVファイルの読込中", n, 0);
      LineReader reader(kMaxLine, true);
      if (!reader.Open(strFileName)) {
        throw RuntimeError(kErrFileNotFound, UnreadableFileReason(strFileName));
      }
      std::string line;
      int64_t read = 0;
      // The file may have grown since it was counted; the array holds n.
      while (read < n) {
        LineReader::Result r = reader.Next(line);
        if (r == LineReader::Result::kEnd) break;
        if (r == LineReader::Result::kError) throw RuntimeError(kErrFileIo);
        ++read;
        if (read == 1) StripByteOrderMark(line);
        int single = 0;
        CsvLineKind kind =
            r == LineReader::Result::kLine ? ParseCsvLine(line, single) : CsvLineKind::kSkip;
        if (kind == CsvLineKind::kBad) {
          ReportError(kClass, "CsvLoad_Sub", CsvBadLineMessage(strFileName, read));
          return false;
        }
        if (kind == CsvLineKind::kSingle) singles[count++] = single;
        if (read % kProgressStep == 0) {
          platform().WaitProgress("CSVファイルの読込中", n, read);
          platform().Yield();
        }
      }
    }
    // A file without one single (another format, binary data, an empty
    // file) is not an empty list: taken as one it would replace or merge
    // into the user's singles as nothing.
    if (count == 0) {
      ReportError(kClass, "CsvLoad_Sub", CsvNoSingleMessage(strFileName));
      return false;
    }
    lngSCount = count;
    lngSingle = std::move(singles);
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "CsvLoad_Sub", e);
    return false;
  }
}

bool clsTFileCSV::CsvAdd(const std::string& strFileName, int& lngSCount,
                         std::vector<int>& lngSingle) {
  int added = 0;
  std::vector<int> file;
  if (!CsvLoad(strFileName, added, file)) return false;
  if (added < 1) return true;
  int current = std::max(0, std::min<int>(lngSCount, static_cast<int>(lngSingle.size())));
  lngSingle.resize(static_cast<size_t>(current) + static_cast<size_t>(added));
  std::copy(file.begin(), file.begin() + added, lngSingle.begin() + current);
  lngSCount = current + added;
  return true;
}

bool clsTFileCSV::CsvDel(const std::string& strFileName, int& lngSCount,
                         std::vector<int>& lngSingle) {
  if (lngSCount <= 0) return true;
  int count = 0;
  std::vector<int> file;
  if (!CsvLoad(strFileName, count, file)) return false;
  std::array<bool, kSingles> marked{};
  for (int i = 0; i < count; ++i) marked[file[i]] = true;
  int current = std::min<int>(lngSCount, static_cast<int>(lngSingle.size()));
  std::vector<int> kept;
  kept.reserve(static_cast<size_t>(current));
  for (int i = 0; i < current; ++i) {
    int s = lngSingle[i];
    if (s >= 0 && s < kSingles && marked[s]) continue;
    kept.push_back(s);
  }
  lngSCount = static_cast<int>(kept.size());
  lngSingle = std::move(kept);
  return true;
}

std::string clsTFileCSV::GetBaseName(int round, const std::string& group) {
  return std::string(kPrefix) + FormatNumber(static_cast<int64_t>(round), "000") + group;
}

std::string clsTFileCSV::GetCsvFileName(int round, const std::string& group) {
  return GetBaseName(round, group) + ".csv";
}

int clsTFileCSV::GetKaisaikai(const std::string& path) {
  std::u32string name = ToU32(FileNamePart(path));
  const size_t prefix = CharCount(kPrefix);
  int round = 0;
  bool has_prefix = StartsWithNoCase(FromU32(name), kPrefix);
  if (has_prefix) round = NumberAt(name, prefix + 1);
  if (round == 0) {
    bool z = !name.empty() && (name[0] == U'Z' || name[0] == U'z');
    round = NumberAt(name, z ? 2 : 1);
  }
  return round;
}

std::string clsTFileCSV::GetKumi(const std::string& path) {
  std::u32string name = ToU32(FileNamePart(path));
  if (!StartsWithNoCase(FromU32(name), kPrefix)) return {};
  // The group follows the round's digits: three in older names, four in the
  // names of current rounds ("Zmini-1487B").  Fewer than three keep the old
  // reading, the fourth character after the prefix.
  const size_t prefix = CharCount(kPrefix);
  size_t digits = 0;
  while (prefix + digits < name.size() && name[prefix + digits] >= U'0' &&
         name[prefix + digits] <= U'9') {
    ++digits;
  }
  size_t at = prefix + std::max<size_t>(digits, 3);
  if (at >= name.size()) return {};
  char32_t c = name[at];
  if (c == U'a' || c == U'A') return "A";
  if (c == U'b' || c == U'B') return "B";
  return {};
}

}  // namespace zelvo
