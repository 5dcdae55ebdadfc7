// The one writer and reader of the three kinds of cache file (schedule, vote
// status, result).  Every file is the declaration, a style sheet line, the
// root and one element of its kind holding the round, the group, the five
// matches and the kind's own values; what differs between the kinds is a
// small form, a FormOf with:
//   kNames                          the FileNames of the kind
//   WriteBody(lines, record)        the elements after the round and group
//   Assign(record, match, path, v)  a value of the kind's own, if it is one
#ifndef ZELVOMINI_OFFICIAL_XML_RECORD_FILE_H_
#define ZELVOMINI_OFFICIAL_XML_RECORD_FILE_H_

#include <array>
#include <exception>
#include <string>
#include <string_view>

#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {

// The values every match of every kind holds, and those only some kinds
// hold (kick-off, stadium).  True when `path` named one of them.
template <typename Record>
bool AssignMatchValue(Record& r, int match, const std::string& path, const std::string& v) {
  using Match = typename decltype(r.matches)::value_type;
  if (path == "<指定試合><ホーム>") {
    MatchAt(r.matches, match).home = v;
  } else if (path == "<指定試合><アウェイ>") {
    MatchAt(r.matches, match).away = v;
  } else if (path == "<指定試合><試合開催日>") {
    MatchAt(r.matches, match).match_date = XmlToDate(v);
  } else if (path == "<指定試合><試合開始予定時間>") {
    if constexpr (!requires(Match m) { m.kickoff; })
      return false;
    else
      MatchAt(r.matches, match).kickoff = XmlToDate(v);
  } else if (path == "<指定試合><競技場>") {
    if constexpr (!requires(Match m) { m.stadium; })
      return false;
    else
      MatchAt(r.matches, match).stadium = v;
  } else {
    return false;
  }
  return true;
}

// The five matches, each in its own <指定試合> after its number.
template <typename Match, typename WriteMatch>
void WriteMatches(XmlLines& x, const std::array<Match, 5>& matches, WriteMatch write) {
  for (int n = 1; n <= 5; ++n) {
    x.Line("<指定試合>");
    x.Element("番号", n);
    write(matches[n - 1]);
    x.Line("</指定試合>");
  }
}

// The sale dates and, unless only the sale is known (a cancelled round's
// schedule), the result and payout dates.
template <typename Record>
void WriteRoundDates(XmlLines& x, const Record& r, bool payout = true) {
  x.Element("販売開始日", r.sale_start);
  x.Element("販売終了日", r.sale_end);
  if (!payout) return;
  x.Element("結果発表日", r.result_announcement);
  x.Element("払戻開始日", r.payout_start);
  x.Element("払戻期限", r.payout_deadline);
}

// A group of figures, "<name><item>value</item>...</name>".
template <typename Figures, typename ItemName>
void WriteFigures(XmlLines& x, std::string_view name, const Figures& figures, size_t count,
                  ItemName item_name) {
  x.Line("<" + std::string(name) + ">");
  for (size_t i = 0; i < count; ++i) {
    x.Element(item_name(i), i < figures.size() ? figures[i] : Money());
  }
  x.Line("</" + std::string(name) + ">");
}

// The index of the figure "<name><item>" names in a group of `count`, or -1.
template <typename ItemName>
int FigureIndex(const std::string& path, std::string_view name, size_t count, ItemName item_name) {
  const std::string head = "<" + std::string(name) + "><";
  if (!path.starts_with(head)) return -1;
  for (size_t i = 0; i < count; ++i) {
    if (path == head + item_name(i) + ">") return static_cast<int>(i);
  }
  return -1;
}

// Where the files of one kind lie and what they are called.
struct FileNames {
  const char* file_class;   // the file class's name in reports, "clsXmlSchedule"
  const char* kind;         // the element under the root, "開催"
  const char* folder;       // below SysData, "minitoto_Schedule"
  const char* prefix;       // of the file name, "minitoto_schedule_"
  const char* style_sheet;  // named in the style sheet line, "minitoto_schedule.xsl"
};

// The record a form's files hold, and the empty one read into (a form
// whose records need sizing gives its own).
template <typename RecordType>
struct FormOf {
  using Record = RecordType;
  static Record Fresh() { return {}; }
};

template <typename Form>
class XmlRecordFile {
 public:
  using RecordType = typename Form::Record;
  static constexpr const char* kClass = Form::kNames.file_class;

  // SysData/<folder>/<prefix>085_A.xml ("_A" only with a group).
  static std::string GetFileName(int round, const std::string& group) {
    return FileNameIn(SysDataPath(), round, group);
  }
  // The same name below another folder of the cache's layout.
  static std::string FileNameIn(const std::string& root, int round, const std::string& group) {
    return OfficialFilePath(root, Form::kNames.folder, Form::kNames.prefix, round, group);
  }

  // The file text of a record, as XmlSave writes it.
  static std::string GetXmlString(const RecordType& r) {
    XmlLines x;
    x.Line(kXmlDeclaration);
    x.Line(std::string("<?xml-stylesheet type=\"text/xsl\" href=\"") + Form::kNames.style_sheet +
           "\"?>");
    x.Line("<minitoto>");
    WriteKindElement(x, r);
    x.Line("</minitoto>");
    return x.text();
  }
  // The kind's element alone, every line ended by CR LF.
  static std::string KindElement(const RecordType& r) {
    XmlLines x;
    WriteKindElement(x, r);
    return x.text();
  }

  // Reads a whole file text into `out` without a word to the user; `out`
  // changes only when the whole text read.
  static XmlReadResult Read(std::string_view text, RecordType& out) {
    XmlReadResult result;
    try {
      RecordType fresh = Form::Fresh();
      int match = 0;
      result = ReadOfficialText(
          text, Form::kNames.kind, [&](const std::string& path, const std::string& v) {
            if (AssignRoundValue(fresh, path, v) || AssignMatchValue(fresh, match, path, v)) return;
            if (path == "<指定試合><番号>") {
              match = XmlToInt(v);
              MatchAt(fresh.matches, match);
              return;
            }
            Form::Assign(fresh, match, path, v);
          });
      if (result.ok()) out = std::move(fresh);
    } catch (const std::exception&) {
      result.what = XmlReadResult::What::kBadValue;
      result.error = std::current_exception();
    }
    return result;
  }

  // Writes the record to the file of its round and group.
  bool XmlSave() {
    try {
      return SaveOfficialXml(GetFileName(record_.Kaisaikai, record_.Kumi), GetXmlString(record_),
                             kClass);
    } catch (const std::exception& e) {
      ReportException(kClass, "XmlSave", e);
      return false;
    }
  }
  // Reads the file of the round and group into the record; false without a
  // message when there is no file, with one when it is damaged (the record
  // is then left as it was).
  bool XmlLoad(int round, const std::string& group) {
    std::string text;
    if (!ReadOfficialXml(GetFileName(round, group), text)) return false;
    return SetXmlString(text);
  }
  // Parses a file text into the record, reporting a damaged one.
  bool SetXmlString(const std::string& text) {
    XmlReadResult result = Read(text, record_);
    ReportXmlRead(result, kClass);
    return result.ok();
  }

  const RecordType& Record() const { return record_; }
  void SetRecord(const RecordType& record) { record_ = record; }

 protected:
  RecordType record_;

 private:
  static void WriteKindElement(XmlLines& x, const RecordType& r) {
    x.Line(std::string("<") + Form::kNames.kind + ">");
    x.Element("開催回", r.Kaisaikai);
    if (!r.Kumi.empty()) x.Element("組", r.Kumi);
    Form::WriteBody(x, r);
    x.Line(std::string("</") + Form::kNames.kind + ">");
  }
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_XML_RECORD_FILE_H_
