#include "official/xml_schedule.h"

#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {

void ScheduleForm::WriteBody(XmlLines& x, const ScheduleRecord& r) {
  WriteMatches(x, r.matches, [&x](const ScheduleMatch& m) {
    x.Element("試合開催日", m.match_date);
    x.Element("試合開始予定時間", m.kickoff);
    x.Element("競技場", m.stadium);
    x.Element("状態", m.state);
    x.Element("ホーム", m.home);
    x.Element("アウェイ", m.away);
  });
  // A cancelled round has no result or payout to announce.
  const bool cancelled = r.holding_state == kHoldingCancelled;
  WriteRoundDates(x, r, !cancelled);
  if (cancelled) x.Line("<開催状態>中止</開催状態>");
}

void ScheduleForm::Assign(ScheduleRecord& r, int match, const std::string& path,
                          const std::string& v) {
  if (path == "<開催状態>") {
    r.holding_state = v == "中止" ? kHoldingCancelled : XmlToInt(v);
  } else if (path == "<指定試合><状態>") {
    MatchAt(r.matches, match).state = v;
  }
}

bool clsXmlSchedule::XmlSave_NoGame(int round, const std::string& group) {
  XmlLines x;
  x.Line(kXmlDeclaration);
  x.Line("<?xml-stylesheet type=\"text/xsl\" href=\"style.xsl\"?>");
  x.Line("<minitoto>");
  x.Line("<開催>");
  x.Element("開催回", round);
  x.Line("<開催状態>1</開催状態>");
  x.Line("</開催>");
  x.Line("</minitoto>");
  return SaveOfficialXml(GetFileName(round, group), x.text(), kClass, "XmlSave_NoGame");
}

bool clsXmlSchedule::XmlDelete_NoGame(int round, const std::string& group) {
  std::string path = GetFileName(round, group);
  if (RemoveFile(path)) return true;
  ReportError(kClass, "XmlDelete_NoGame", path + "\r\n" + "ファイルの削除に失敗しました。");
  return false;
}

}  // namespace zelvo
