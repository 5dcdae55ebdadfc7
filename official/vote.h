// The vote status service the round document uses.  Only a final, valid
// status is cached (once, never overwritten); an interim one is handed back
// for the current call alone.
#ifndef ZELVOMINI_OFFICIAL_VOTE_H_
#define ZELVOMINI_OFFICIAL_VOTE_H_

#include <string>

#include "official/html_vote.h"
#include "official/official_service.h"
#include "official/vote_record.h"
#include "official/xml_vote.h"
#include "support/date_time.h"

namespace zelvo {

class clsVote {
 public:
  void Initialize();

  // Mode and `ask` as for the schedule.  True when the record in hand is a
  // valid vote status.
  bool GetVote(int round, const std::string& group, int mode, bool ask);
  // The archived file an old document names by round and date; on success
  // its status becomes the record.
  bool GetOldVoteFile(int round, DateTime date);

  VoteStatusRecord Record() const;
  bool Cancel() const;
  bool Unpublished() const;
  bool CheckVoteFile(int round, const std::string& group) const;
  void FalseDialog(int round) const;

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  bool initialized_ = false;
  clsXmlVote xml_;
  clsHtmlVote html_;
  VoteStatusRecord record_;
  bool cancel_ = false;
  bool unpublished_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_VOTE_H_
