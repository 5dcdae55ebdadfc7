#include "official/xml_vote.h"

#include <array>

#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

// Votes, rates and sales are never negative: such a figure is damage, and
// the payout estimate would divide by a total it makes up.
Money VoteFigure(const std::string& value) {
  Money m = XmlToMoney(value);
  if (m < Money()) throw RuntimeError(kErrInvalidCall);
  return m;
}

constexpr const char* kClass = "clsXmlVote";
constexpr const char* kKind = "投票状況";

// Element names of the outcomes by outcome code.
constexpr const char* kOutcomeNames[3] = {"その他", "ホーム勝ち", "ホーム負け"};
// Element names of the three figures of each total.
constexpr const char* kFigureNames[3] = {"合計", "マルチ", "シングル"};

}  // namespace

std::string clsXmlVote::GetFileName(int round, const std::string& group) {
  std::string name = "minitoto_vote_" + PadRound(round, 3);
  if (!group.empty()) name += "_" + group;
  return OfficialCachePath("minitoto_Vote", name + ".xml");
}

std::string clsXmlVote::GetOldFileName(int round, DateTime date) {
  return JoinPath(ProgramDir(),
                  "vote_" + PadRound(round, 3) + "_" + date.Format("yyyy-mm-dd") + ".xml");
}

std::string clsXmlVote::GetXmlString(bool header) const {
  const VoteStatusRecord& r = record_;
  XmlLines x;
  if (header) {
    x.Line(kXmlDeclaration);
    x.Line("<?xml-stylesheet type=\"text/xsl\" href=\"minitoto_vote.xsl\"?>");
    x.Line("<minitoto>");
  }
  x.Line("<投票状況>");
  x.Element("開催回", r.Kaisaikai);
  if (!r.Kumi.empty()) x.Element("組", r.Kumi);
  x.Element("販売終了時点", r.as_of);
  for (int n = 1; n <= 5; ++n) {
    const VoteMatch& m = r.matches[n - 1];
    x.Line("<指定試合>");
    x.Element("番号", n);
    x.Element("試合開催日", m.match_date);
    x.Element("試合開始予定時間", m.kickoff);
    x.Element("ホーム", m.home);
    x.Element("アウェイ", m.away);
    for (int code = 0; code < 3; ++code) {
      x.Line(std::string("<") + kOutcomeNames[code] + ">");
      x.Element("投票口数", m.outcomes[code].count);
      x.Element("投票率", m.outcomes[code].rate);
      x.Line(std::string("</") + kOutcomeNames[code] + ">");
    }
    x.Line("</指定試合>");
  }
  struct Group {
    const char* name;
    const std::array<Money, 3>& figures;
  };
  for (const Group& g :
       {Group{"売上金額", r.sales}, Group{"投票口数", r.tickets}, Group{"投票枚数", r.cards}}) {
    x.Line(std::string("<") + g.name + ">");
    for (int k = 0; k < 3; ++k) x.Element(kFigureNames[k], g.figures[k]);
    x.Line(std::string("</") + g.name + ">");
  }
  x.Element("販売開始日", r.sale_start);
  x.Element("販売終了日", r.sale_end);
  x.Element("結果発表日", r.result_announcement);
  x.Element("払戻開始日", r.payout_start);
  x.Element("払戻期限", r.payout_deadline);
  x.Line("</投票状況>");
  if (header) x.Line("</minitoto>");
  return x.text();
}

bool clsXmlVote::SetXmlString(const std::string& text, bool header) {
  std::string whole = header ? text : "<minitoto>\r\n" + text + "\r\n</minitoto>";
  int current = 0;
  auto assign = [&current](VoteStatusRecord& r, const std::string& path, const std::string& v) {
    if (AssignRoundValue(r, path, v)) return;
    if (path == "<販売終了時点>") {
      r.as_of = XmlToDate(v);
    } else if (path == "<指定試合><番号>") {
      current = XmlToInt(v);
      MatchAt(r.matches, current);
    } else if (path == "<指定試合><試合開催日>") {
      MatchAt(r.matches, current).match_date = XmlToDate(v);
    } else if (path == "<指定試合><試合開始予定時間>") {
      MatchAt(r.matches, current).kickoff = XmlToDate(v);
    } else if (path == "<指定試合><ホーム>") {
      MatchAt(r.matches, current).home = v;
    } else if (path == "<指定試合><アウェイ>") {
      MatchAt(r.matches, current).away = v;
    } else {
      for (int code = 0; code < 3; ++code) {
        std::string outcome = std::string("<指定試合><") + kOutcomeNames[code] + ">";
        if (path == outcome + "<投票口数>") {
          MatchAt(r.matches, current).outcomes[code].count = VoteFigure(v);
        }
        if (path == outcome + "<投票率>") {
          MatchAt(r.matches, current).outcomes[code].rate = VoteFigure(v);
        }
      }
      struct Group {
        const char* name;
        std::array<Money, 3>& figures;
      };
      for (const Group& g : {Group{"<売上金額>", r.sales}, Group{"<投票口数>", r.tickets},
                             Group{"<投票枚数>", r.cards}}) {
        for (int k = 0; k < 3; ++k) {
          if (path == std::string(g.name) + "<" + kFigureNames[k] + ">") {
            g.figures[k] = VoteFigure(v);
          }
        }
      }
    }
  };
  return ReadOfficialRecord<VoteStatusRecord>(whole, kKind, kClass, {}, assign, record_);
}

bool clsXmlVote::XmlSave() {
  try {
    return SaveOfficialXml(GetFileName(record_.Kaisaikai, record_.Kumi), GetXmlString(true),
                           kClass);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlSave", e);
    return false;
  }
}

bool clsXmlVote::XmlLoadFile(const std::string& path) {
  std::string text;
  if (!ReadOfficialXml(path, text)) return false;
  return SetXmlString(text, true);
}

bool clsXmlVote::XmlLoad(int round, const std::string& group) {
  return XmlLoadFile(GetFileName(round, group));
}

}  // namespace zelvo
