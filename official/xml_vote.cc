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

// Element names of the outcomes by outcome code.
constexpr const char* kOutcomeNames[3] = {"その他", "ホーム勝ち", "ホーム負け"};
// Element names of the three figures of each total.
const char* FigureName(size_t k) {
  static constexpr const char* kNames[3] = {"合計", "マルチ", "シングル"};
  return kNames[k];
}

}  // namespace

std::string clsXmlVote::GetOldFileName(int round, DateTime date) {
  return JoinPath(ProgramDir(),
                  "vote_" + PadRound(round, 3) + "_" + date.Format("yyyy-mm-dd") + ".xml");
}

void VoteForm::WriteBody(XmlLines& x, const VoteStatusRecord& r) {
  x.Element("販売終了時点", r.as_of);
  WriteMatches(x, r.matches, [&x](const VoteMatch& m) {
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
  });
  for (const VoteTotal& t : kVoteTotals) WriteFigures(x, t.name, r.*t.figures, 3, FigureName);
  WriteRoundDates(x, r);
}

void VoteForm::Assign(VoteStatusRecord& r, int match, const std::string& path,
                      const std::string& v) {
  if (path == "<販売終了時点>") {
    r.as_of = XmlToDate(v);
    return;
  }
  for (int code = 0; code < 3; ++code) {
    const std::string outcome = std::string("<指定試合><") + kOutcomeNames[code] + ">";
    if (path == outcome + "<投票口数>")
      MatchAt(r.matches, match).outcomes[code].count = VoteFigure(v);
    if (path == outcome + "<投票率>") MatchAt(r.matches, match).outcomes[code].rate = VoteFigure(v);
  }
  for (const VoteTotal& t : kVoteTotals) {
    if (int k = FigureIndex(path, t.name, 3, FigureName); k >= 0) (r.*t.figures)[k] = VoteFigure(v);
  }
}

std::string clsXmlVote::GetXmlString(bool header) const {
  return header ? XmlRecordFile::GetXmlString(record_) : KindElement(record_);
}

bool clsXmlVote::SetXmlString(const std::string& text, bool header) {
  return XmlRecordFile::SetXmlString(header ? text : "<minitoto>\r\n" + text + "\r\n</minitoto>");
}

bool clsXmlVote::XmlLoadFile(const std::string& path) {
  std::string text;
  if (!ReadOfficialXml(path, text)) return false;
  return SetXmlString(text, true);
}

}  // namespace zelvo
