// The schedule, vote status and result services the round document, the
// archive and the commands use.  Each is its kind's part in the shared
// cache-or-download path (official_service.h): the record's check, the
// names it reports under, and the operations only that kind has.
//  - The schedule: complete downloads are cached once and overwritten only by
//    an explicit refresh; the user may mark a round as not held.
//  - The vote status: only a final, valid status is cached; an interim one
//    is handed back for the current call alone.
//  - The result: valid downloads are cached as the schedule's are.
#ifndef ZELVOMINI_OFFICIAL_SERVICES_H_
#define ZELVOMINI_OFFICIAL_SERVICES_H_

#include <functional>
#include <string>
#include <vector>

#include "official/html_pages.h"
#include "official/official_service.h"
#include "official/record_checks.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/date_time.h"

namespace zelvo {

// The schedule's part in the shared cache-or-download path.
struct ScheduleKind : KindOf<clsXmlSchedule, clsHtmlSchedule> {
  static constexpr ServiceNames kNames = {"clsSchedule", "GetSchedule", "開催情報"};
  static bool Usable(const ScheduleRecord& r) { return IsScheduleComplete(r); }
  static bool NotHeld(const ScheduleRecord& r) { return r.holding_state == kHoldingNotHeld; }
};

class clsSchedule : public OfficialService<ScheduleKind> {
 public:
  // Mode: kSourceFile, kSourceDownload, kSourceRefresh.  With `ask` the user
  // confirms a download first.  True when the record in hand is complete.
  bool GetSchedule(int round, const std::string& group, int mode, bool ask) {
    return Get(round, group, mode, ask);
  }
  // The cache holds the user's not-held mark for the round and group.
  bool NoGame() const { return Ready("NoGame") && source_.no_game(); }
  bool CheckScheduleFile(int round, const std::string& group) const {
    return CheckFile(round, group);
  }

  // Marks the round and group as not held (asking first), only while no
  // schedule file exists; and removes the mark, or any schedule file.
  bool XmlSave_NoGame(int round, const std::string& group);
  bool XmlDelete_NoGame(int round, const std::string& group);

  // Offered the unknown clubs of a downloaded page (clsHtmlSchedule::UnknownTeams).
  void SetUnknownTeams(std::function<bool(const std::vector<std::string>&)> ask) {
    source_.html().UnknownTeams = std::move(ask);
  }

 private:
  // Asks, then changes the mark under the SysData lock.
  bool ChangeMark(const char* proc, bool exists, const std::string& question,
                  const std::function<bool()>& change);

  clsXmlSchedule xml_;
};

// The vote status's part in the shared cache-or-download path.
struct VoteKind : KindOf<clsXmlVote, clsHtmlVote> {
  static constexpr ServiceNames kNames = {"clsVote", "GetVote", "投票状況"};
  static bool Usable(const VoteStatusRecord& r) { return IsVoteValid(r); }
};

class clsVote : public OfficialService<VoteKind> {
 public:
  // Mode and `ask` as for the schedule.  True when the record in hand is a
  // valid vote status.
  bool GetVote(int round, const std::string& group, int mode, bool ask) {
    return Get(round, group, mode, ask);
  }
  // The archived file an old document names by round and date; on success
  // its status, when valid, becomes the record.
  bool GetOldVoteFile(int round, DateTime date);
  bool CheckVoteFile(int round, const std::string& group) const { return CheckFile(round, group); }
};

// The result's part in the shared cache-or-download path.
struct ResultKind : KindOf<clsXmlResult, clsHtmlResult> {
  static constexpr ServiceNames kNames = {"clsResult", "GetResult", "くじ結果"};
  static bool Usable(const ResultRecord& r) { return IsResultValid(r); }
};

class clsResult : public OfficialService<ResultKind> {
 public:
  // Mode and `ask` as for the schedule.  True when the record in hand is a
  // valid result.
  bool GetResult(int round, const std::string& group, int mode, bool ask) {
    return Get(round, group, mode, ask);
  }
  bool CheckResultFile(int round, const std::string& group) const {
    return CheckFile(round, group);
  }
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_SERVICES_H_
