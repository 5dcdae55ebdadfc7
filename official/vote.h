// The vote status service the round document uses.  Only a final, valid
// status is cached (once, overwritten only by an explicit refresh); an
// interim one is handed back for the current call alone.
#ifndef ZELVOMINI_OFFICIAL_VOTE_H_
#define ZELVOMINI_OFFICIAL_VOTE_H_

#include <string>

#include "official/html_vote.h"
#include "official/official_service.h"
#include "official/vote_record.h"
#include "official/xml_vote.h"
#include "support/date_time.h"

namespace zelvo {

// The vote status's part in the shared cache-or-download path.
struct VoteKind {
  using Record = VoteStatusRecord;
  using Xml = clsXmlVote;
  using Html = clsHtmlVote;
  static constexpr const char* kXmlClass = "clsXmlVote";
  static constexpr const char* kTitle = "投票状況";
  static bool Usable(const VoteStatusRecord& r);
  static bool NotHeld(const VoteStatusRecord&) { return false; }
  static bool Parse(clsXmlVote& xml, const std::string& text);
  static bool Scrape(clsHtmlVote& html, int round, const std::string& group);
  // Interim figures change until the sale ends; caching them would freeze
  // a passing state as if it were the final one.
  static bool Final(const clsHtmlVote& html) { return html.Final(); }
};

class clsVote {
 public:
  void Initialize();

  // Mode and `ask` as for the schedule.  True when the record in hand is a
  // valid vote status.
  bool GetVote(int round, const std::string& group, int mode, bool ask);
  // The archived file an old document names by round and date; on success
  // its status, when valid, becomes the record.
  bool GetOldVoteFile(int round, DateTime date);

  VoteStatusRecord Record() const;
  bool Cancel() const;
  bool Unpublished() const;
  bool CheckVoteFile(int round, const std::string& group) const;
  // The record came from the cache file; the download was written to it.
  bool FromFile() const { return source_.from_file(); }
  bool Saved() const { return source_.saved(); }
  void FalseDialog(int round) const;

  bool ProgressOpen() const { return source_.html().ProgressOpen(); }
  void SetProgressOpen(bool v) { source_.html().SetProgressOpen(v); }
  bool ProgressClose() const { return source_.html().ProgressClose(); }
  void SetProgressClose(bool v) { source_.html().SetProgressClose(v); }

 private:
  bool initialized_ = false;
  OfficialSource<VoteKind> source_;
  // The record of the last GetVote, or of GetOldVoteFile after it.
  VoteStatusRecord record_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_VOTE_H_
