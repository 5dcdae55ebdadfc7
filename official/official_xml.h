// The line-based XML of the official-data cache files (schedule, vote status,
// result).  The files are small and written only by this program, so they are
// built and read line by line instead of through an XML library: a value is
// written as it is held, without escaping, and read back by the path of the
// elements open around it.
#ifndef ZELVOMINI_OFFICIAL_OFFICIAL_XML_H_
#define ZELVOMINI_OFFICIAL_OFFICIAL_XML_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "support/date_time.h"
#include "support/error_report.h"
#include "support/money.h"

namespace zelvo {

inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
inline constexpr const char* kXmlMalformed = "XMLデータが異常です。";
inline constexpr const char* kXmlSaveFailed = "ファイルの保存に失敗しました。";

// Builds the text of a cache file: one element or tag per line, CR LF ends.
class XmlLines {
 public:
  void Line(std::string_view line);
  // <name>value</name> on one line.
  void Element(std::string_view name, std::string_view value);
  void Element(std::string_view name, int value);
  void Element(std::string_view name, DateTime value);
  void Element(std::string_view name, Money value);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Runs the reading algorithm over a cache text: every tag and value on a line
// of its own, start tags on a stack, end tags checked against its top.  Each
// value found under <minitoto><kind> is handed to `assign` with the path of
// the start tags below those two levels ("<指定試合><ホーム>").  Returns false
// on an end tag that does not close the open element, and on a text that
// ends before its root element is closed (a cut file); exceptions thrown by
// `assign` (a value that does not convert) pass to the caller.
bool ParseOfficialXml(
    std::string_view text, std::string_view kind,
    const std::function<void(const std::string& path, const std::string& value)>& assign);

// Value conversions of the readers; a text that does not convert throws a
// RuntimeError (type mismatch, or overflow for an 8-bit value above 255).
int XmlToInt(const std::string& value);
uint8_t XmlToByte(const std::string& value);
Money XmlToMoney(const std::string& value);
DateTime XmlToDate(const std::string& value);

// How the reading of a cache text ended: read, a structure that does not
// close (a cut or edited file), or a value that does not convert.
struct XmlReadResult {
  enum class What { kRead, kMalformed, kBadValue } what = What::kRead;
  std::exception_ptr error;  // the conversion's error, for kBadValue
  bool ok() const { return what == What::kRead; }
};

// Runs ParseOfficialXml without a word to the user: an exception of
// `assign` becomes a kBadValue result.
XmlReadResult ReadOfficialText(
    std::string_view text, std::string_view kind,
    const std::function<void(const std::string& path, const std::string& value)>& assign);

// Tells the user why a text did not read, as the readers always have:
// "XMLデータが異常です。", or the conversion's error, under `class_name` /
// "XmlLoad".
void ReportXmlRead(const XmlReadResult& result, std::string_view class_name);

// What a cache file holds, for the round and group it is filed under.
enum class CacheFileState {
  kAbsent,    // no file
  kUsable,    // reads and passes the kind's check
  kNotHeld,   // the user's not-held mark (schedule)
  kDamaged,   // does not read: cut, edited, a value that does not convert
  kUnusable,  // reads but fails the kind's check
  kMisfiled,  // holds another round or group than its name says
};

struct CacheFileCheck {
  CacheFileState state = CacheFileState::kAbsent;
  XmlReadResult read;      // why a damaged file did not read
  int held_round = 0;      // what a misfiled file holds
  std::string held_group;  // ("" when it names no group)
};

// "このファイルは第<held>回<group>組のデータです（第<round>回<group>組のファイル
// としては使えません）。"
std::string MisfiledText(const CacheFileCheck& check, int round, const std::string& group);

// The values every kind of file holds alike: the round, the group and the
// round's dates.  True when `path` named one of them.
template <typename Record>
bool AssignRoundValue(Record& r, const std::string& path, const std::string& v) {
  if (path == "<開催回>") {
    r.Kaisaikai = XmlToInt(v);
  } else if (path == "<組>") {
    r.Kumi = v;
  } else if (path == "<販売開始日>") {
    r.sale_start = XmlToDate(v);
  } else if (path == "<販売終了日>") {
    r.sale_end = XmlToDate(v);
  } else if (path == "<結果発表日>" || path == "<結果速報発表日>") {
    r.result_announcement = XmlToDate(v);
  } else if (path == "<払戻開始日>") {
    r.payout_start = XmlToDate(v);
  } else if (path == "<払戻期限>") {
    r.payout_deadline = XmlToDate(v);
  } else {
    return false;
  }
  return true;
}

// The match a "<指定試合><番号>" selected; values before one are an error.
template <typename Match, size_t N>
Match& MatchAt(std::array<Match, N>& matches, int number) {
  if (number < 1 || number > static_cast<int>(N)) throw RuntimeError(kErrSubscript);
  return matches[number - 1];
}

// The round with at least `digits` digits ("085", "0085").
std::string PadRound(int round, int digits);

// Writes a cache file (CP932, replacing an existing one); on failure the
// common error report shows the path and "ファイルの保存に失敗しました。"
// under `class_name` / `proc`.
bool SaveOfficialXml(const std::string& path, const std::string& text, std::string_view class_name,
                     std::string_view proc = "XmlSave");
// Reads a cache file when it exists; false without a message when it does not.
bool ReadOfficialXml(const std::string& path, std::string& text);

// <root>/<folder>/<prefix><round, at least three digits>[_<group>].xml: a
// cache file below SysData, or a file of another archive of the same layout.
std::string OfficialFilePath(std::string_view root, std::string_view folder,
                             std::string_view prefix, int round, const std::string& group);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_OFFICIAL_XML_H_
