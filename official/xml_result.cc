#include "official/xml_result.h"

#include <vector>

#include "core/toto_rules.h"
#include "official/official_xml.h"
#include "support/error_report.h"

namespace zelvo {
namespace {

// The figures per grade, by index from 0.
const char* GradeName(size_t i) { return GradeElementName(static_cast<int>(i) + 1); }

}  // namespace

const char* GradeElementName(int grade) {
  static const char* kNames[] = {"一等", "二等", "三等", "四等", "五等", "六等"};
  if (grade < 1 || grade > 6) throw RuntimeError(kErrSubscript);
  return kNames[grade - 1];
}

ResultRecord ResultForm::Fresh() {
  ResultRecord fresh;
  const size_t grades = static_cast<size_t>(totoRules().GetMaxGrade(0));
  for (const PerGradeFigures& g : kPerGradeFigures) (fresh.*g.values).assign(grades, Money());
  return fresh;
}

void ResultForm::WriteBody(XmlLines& x, const ResultRecord& r) {
  WriteMatches(x, r.matches, [&x](const ResultMatch& m) {
    x.Element("試合開催日", m.match_date);
    x.Element("競技場", m.stadium);
    x.Element("くじ結果", static_cast<int>(m.result));
    x.Element("ホーム", m.home);
    x.Element("アウェイ", m.away);
    x.Element("ホーム得点", static_cast<int>(m.home_score));
    x.Element("アウェイ得点", static_cast<int>(m.away_score));
  });
  if (r.cancelled) {
    x.Element("開催状態", "中止");
    x.Element("返還確定日", r.result_announcement);
    x.Element("返還開始日", r.payout_start);
    x.Element("返還期限", r.payout_deadline);
    return;
  }
  const size_t grades = static_cast<size_t>(totoRules().GetMaxGrade(r.Kaisaikai));
  for (const PerGradeFigures& g : kPerGradeFigures)
    WriteFigures(x, g.name, r.*g.values, grades, GradeName);
  WriteRoundDates(x, r);
}

void ResultForm::Assign(ResultRecord& r, int match, const std::string& path, const std::string& v) {
  // A cancelled round's refund dates stand in the result and payout fields.
  if (path == "<返還確定日>") {
    r.result_announcement = XmlToDate(v);
  } else if (path == "<返還開始日>") {
    r.payout_start = XmlToDate(v);
  } else if (path == "<返還期限>") {
    r.payout_deadline = XmlToDate(v);
  } else if (path == "<開催状態>") {
    if (v == "中止") r.cancelled = true;
  } else if (path == "<指定試合><くじ結果>") {
    MatchAt(r.matches, match).result = XmlToByte(v);
  } else if (path == "<指定試合><ホーム得点>") {
    MatchAt(r.matches, match).home_score = XmlToByte(v);
  } else if (path == "<指定試合><アウェイ得点>") {
    MatchAt(r.matches, match).away_score = XmlToByte(v);
  } else {
    for (const PerGradeFigures& g : kPerGradeFigures) {
      std::vector<Money>& values = r.*g.values;
      if (int i = FigureIndex(path, g.name, values.size(), GradeName); i >= 0) {
        values[i] = XmlToMoney(v);
      }
    }
  }
}

}  // namespace zelvo
