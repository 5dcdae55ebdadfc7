#include "official/xml_schedule.h"

#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsXmlSchedule";
constexpr const char* kKind = "開催";

}  // namespace

std::string clsXmlSchedule::GetFileName(int round, const std::string& group) {
  std::string name = "minitoto_schedule_" + PadRound(round, 3);
  if (!group.empty()) name += "_" + group;
  return OfficialCachePath("minitoto_Schedule", name + ".xml");
}

std::string clsXmlSchedule::GetXmlString(const ScheduleRecord& r) {
  XmlLines x;
  x.Line(kXmlDeclaration);
  x.Line("<?xml-stylesheet type=\"text/xsl\" href=\"minitoto_schedule.xsl\"?>");
  x.Line("<minitoto>");
  x.Line("<開催>");
  x.Element("開催回", r.Kaisaikai);
  if (!r.Kumi.empty()) x.Element("組", r.Kumi);
  for (int n = 1; n <= 5; ++n) {
    const ScheduleMatch& m = r.matches[n - 1];
    x.Line("<指定試合>");
    x.Element("番号", n);
    x.Element("試合開催日", m.match_date);
    x.Element("試合開始予定時間", m.kickoff);
    x.Element("競技場", m.stadium);
    x.Element("状態", m.state);
    x.Element("ホーム", m.home);
    x.Element("アウェイ", m.away);
    x.Line("</指定試合>");
  }
  x.Element("販売開始日", r.sale_start);
  x.Element("販売終了日", r.sale_end);
  if (r.holding_state == kHoldingCancelled) {
    x.Line("<開催状態>中止</開催状態>");
  } else {
    x.Element("結果発表日", r.result_announcement);
    x.Element("払戻開始日", r.payout_start);
    x.Element("払戻期限", r.payout_deadline);
  }
  x.Line("</開催>");
  x.Line("</minitoto>");
  return x.text();
}

bool clsXmlSchedule::XmlSave() {
  try {
    return SaveOfficialXml(GetFileName(record_.Kaisaikai, record_.Kumi), GetXmlString(record_),
                           kClass);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlSave", e);
    return false;
  }
}

bool clsXmlSchedule::SetXmlString(const std::string& text) {
  int current = 0;
  auto assign = [&current](ScheduleRecord& r, const std::string& path, const std::string& v) {
    if (AssignRoundValue(r, path, v)) return;
    if (path == "<開催状態>") {
      r.holding_state = v == "中止" ? kHoldingCancelled : XmlToInt(v);
    } else if (path == "<指定試合><番号>") {
      current = XmlToInt(v);
      MatchAt(r.matches, current);
    } else if (path == "<指定試合><ホーム>") {
      MatchAt(r.matches, current).home = v;
    } else if (path == "<指定試合><アウェイ>") {
      MatchAt(r.matches, current).away = v;
    } else if (path == "<指定試合><試合開催日>") {
      MatchAt(r.matches, current).match_date = XmlToDate(v);
    } else if (path == "<指定試合><試合開始予定時間>") {
      MatchAt(r.matches, current).kickoff = XmlToDate(v);
    } else if (path == "<指定試合><競技場>") {
      MatchAt(r.matches, current).stadium = v;
    } else if (path == "<指定試合><状態>") {
      MatchAt(r.matches, current).state = v;
    }
  };
  return ReadOfficialRecord<ScheduleRecord>(text, kKind, kClass, {}, assign, record_);
}

bool clsXmlSchedule::XmlLoad(int round, const std::string& group) {
  std::string text;
  if (!ReadOfficialXml(GetFileName(round, group), text)) return false;
  return SetXmlString(text);
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
