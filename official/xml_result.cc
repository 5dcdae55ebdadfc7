#include "official/xml_result.h"

#include <vector>

#include "core/toto_rules.h"
#include "official/official_xml.h"
#include "support/error_report.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsXmlResult";
constexpr const char* kKind = "結果";

}  // namespace

const char* GradeElementName(int grade) {
  static const char* kNames[] = {"一等", "二等", "三等", "四等", "五等", "六等"};
  if (grade < 1 || grade > 6) throw RuntimeError(kErrSubscript);
  return kNames[grade - 1];
}

std::string clsXmlResult::GetFileName(int round, const std::string& group) {
  std::string name = "minitoto_result_" + PadRound(round, 3);
  if (!group.empty()) name += "_" + group;
  return OfficialCachePath("minitoto_Result", name + ".xml");
}

std::string clsXmlResult::GetXmlString(const ResultRecord& r) {
  XmlLines x;
  x.Line(kXmlDeclaration);
  x.Line("<?xml-stylesheet type=\"text/xsl\" href=\"minitoto_result.xsl\"?>");
  x.Line("<minitoto>");
  x.Line("<結果>");
  x.Element("開催回", r.Kaisaikai);
  if (!r.Kumi.empty()) x.Element("組", r.Kumi);
  for (int n = 1; n <= 5; ++n) {
    const ResultMatch& m = r.matches[n - 1];
    x.Line("<指定試合>");
    x.Element("番号", n);
    x.Element("試合開催日", m.match_date);
    x.Element("競技場", m.stadium);
    x.Element("くじ結果", static_cast<int>(m.result));
    x.Element("ホーム", m.home);
    x.Element("アウェイ", m.away);
    x.Element("ホーム得点", static_cast<int>(m.home_score));
    x.Element("アウェイ得点", static_cast<int>(m.away_score));
    x.Line("</指定試合>");
  }
  if (r.cancelled) {
    x.Element("開催状態", "中止");
    x.Element("返還確定日", r.result_announcement);
    x.Element("返還開始日", r.payout_start);
    x.Element("返還期限", r.payout_deadline);
  } else {
    int grades = totoRules().GetMaxGrade(r.Kaisaikai);
    struct Group {
      const char* name;
      const std::vector<Money>& values;
    };
    for (const Group& g : {Group{"当せん金", r.prize}, Group{"当せん口数", r.winners},
                           Group{"次回への繰越金", r.carryover}}) {
      x.Line(std::string("<") + g.name + ">");
      for (int grade = 1; grade <= grades; ++grade) {
        Money v = grade <= static_cast<int>(g.values.size()) ? g.values[grade - 1] : Money();
        x.Element(GradeElementName(grade), v);
      }
      x.Line(std::string("</") + g.name + ">");
    }
    x.Element("販売開始日", r.sale_start);
    x.Element("販売終了日", r.sale_end);
    x.Element("結果発表日", r.result_announcement);
    x.Element("払戻開始日", r.payout_start);
    x.Element("払戻期限", r.payout_deadline);
  }
  x.Line("</結果>");
  x.Line("</minitoto>");
  return x.text();
}

bool clsXmlResult::XmlSave() {
  try {
    return SaveOfficialXml(GetFileName(record_.Kaisaikai, record_.Kumi), GetXmlString(record_),
                           kClass);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlSave", e);
    return false;
  }
}

bool clsXmlResult::SetXmlString(const std::string& text) {
  try {
    ResultRecord fresh;
    size_t grades = static_cast<size_t>(totoRules().GetMaxGrade(0));
    fresh.prize.assign(grades, Money());
    fresh.winners.assign(grades, Money());
    fresh.carryover.assign(grades, Money());
    int current = 0;
    auto assign = [&current](ResultRecord& r, const std::string& path, const std::string& v) {
      if (AssignRoundValue(r, path, v)) return;
      // A cancelled round's refund dates stand in the result and payout
      // fields.
      if (path == "<返還確定日>") {
        r.result_announcement = XmlToDate(v);
      } else if (path == "<返還開始日>") {
        r.payout_start = XmlToDate(v);
      } else if (path == "<返還期限>") {
        r.payout_deadline = XmlToDate(v);
      } else if (path == "<開催状態>") {
        if (v == "中止") r.cancelled = true;
      } else if (path == "<指定試合><番号>") {
        current = XmlToInt(v);
        MatchAt(r.matches, current);
      } else if (path == "<指定試合><くじ結果>") {
        MatchAt(r.matches, current).result = XmlToByte(v);
      } else if (path == "<指定試合><ホーム得点>") {
        MatchAt(r.matches, current).home_score = XmlToByte(v);
      } else if (path == "<指定試合><アウェイ得点>") {
        MatchAt(r.matches, current).away_score = XmlToByte(v);
      } else if (path == "<指定試合><競技場>") {
        MatchAt(r.matches, current).stadium = v;
      } else if (path == "<指定試合><ホーム>") {
        MatchAt(r.matches, current).home = v;
      } else if (path == "<指定試合><アウェイ>") {
        MatchAt(r.matches, current).away = v;
      } else if (path == "<指定試合><試合開催日>") {
        MatchAt(r.matches, current).match_date = XmlToDate(v);
      } else {
        struct Group {
          const char* name;
          std::vector<Money>& values;
        };
        for (const Group& g : {Group{"<当せん金>", r.prize}, Group{"<当せん口数>", r.winners},
                               Group{"<次回への繰越金>", r.carryover}}) {
          for (size_t grade = 1; grade <= g.values.size(); ++grade) {
            if (path ==
                std::string(g.name) + "<" + GradeElementName(static_cast<int>(grade)) + ">") {
              g.values[grade - 1] = XmlToMoney(v);
            }
          }
        }
      }
    };
    return ReadOfficialRecord<ResultRecord>(text, kKind, kClass, std::move(fresh), assign, record_);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlLoad", e);
    return false;
  }
}

bool clsXmlResult::XmlLoad(int round, const std::string& group) {
  std::string text;
  if (!ReadOfficialXml(GetFileName(round, group), text)) return false;
  return SetXmlString(text);
}

}  // namespace zelvo
