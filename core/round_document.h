// The round document: which round and group the user works on, and the
// official data known for them.  It owns the models of the round-number box
// and the group list; any change there reloads the schedule, vote status
// and result from the cache and raises KaisaikaiChange, on which the main
// window redraws.
#ifndef ZELVOMINI_CORE_ROUND_DOCUMENT_H_
#define ZELVOMINI_CORE_ROUND_DOCUMENT_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "official/services.h"
#include "support/date_time.h"
#include "support/list_model.h"
#include "support/number_entry.h"

namespace zelvo {

class clsTMain {
 public:
  clsTMain();
  // The controls' events hold the document's address.
  clsTMain(const clsTMain&) = delete;
  clsTMain& operator=(const clsTMain&) = delete;

  // Sets up the round box (0 to 9999, "0"), the group list ("Ａ組", "Ｂ組",
  // the first selected) and the services; control events count only after.
  void Initialize();

  // Writes the number into the round box; its change event refreshes.
  void SetKaisaikai(int round);
  // "A" or "B" selects that group; anything else is ignored.
  void SetKumi(const std::string& group);

  // Fetch the kind for the current round and group, from the cache or else
  // the official site (asking first with `ask`); the service tells the user
  // when nothing came.  With `refresh` the site is asked whatever the cache
  // holds, and a usable record replaces the cached file.  Nothing happens
  // for a round marked as not held.
  void GetSchedule(bool ask, bool refresh = false);
  void GetVote(bool ask, bool refresh = false);
  void GetResult(bool ask, bool refresh = false);
  // The vote status an old document names by round and sale end; true when
  // the archived file was found and read.
  bool GetOldVoteFile(int round, DateTime sale_end);

  bool CheckScheduleFile() const;
  bool CheckVoteFile() const;
  bool CheckResultFile() const;
  // A new schedule service, whose team-name tables are read afresh.
  void ScheduleInitialize();

  // The round box's value and the selected group ("A", "B", "" before
  // Initialize).
  int Kaisaikai() const;
  std::string Kumi() const;
  const ScheduleRecord& Schedule() const { return schedule_; }
  const VoteStatusRecord& Vote() const { return vote_; }
  const ResultRecord& Result() const { return result_; }
  // The cached schedule marks the round and group as not held.
  bool NoGame() const { return no_game_; }
  // The window's vote status replaces the document's (one stored in a
  // document, or rates the user typed).
  void SetVote(const VoteStatusRecord& vote) { vote_ = vote; }

  NumberEntry& RoundEntry() { return round_entry_; }
  ListModel& GroupList() { return group_list_; }
  clsSchedule& ScheduleService() { return *schedule_service_; }
  clsVote& VoteService() { return vote_service_; }
  clsResult& ResultService() { return result_service_; }

  // Asked, during GetSchedule, to add the clubs a downloaded page names but
  // the tables lack; true when they were added.
  std::function<bool(const std::vector<std::string>& long_names)> UnknownTeams;

  // Raised at the end of every refresh with the round and group.
  std::function<void(int kaisaikai, const std::string& kumi)> KaisaikaiChange;

 private:
  void RefreshRound(bool reload_vote, bool clear_vote);

  NumberEntry round_entry_;
  ListModel group_list_;
  std::unique_ptr<clsSchedule> schedule_service_;
  clsVote vote_service_;
  clsResult result_service_;
  ScheduleRecord schedule_;
  VoteStatusRecord vote_;
  ResultRecord result_;
  bool no_game_ = false;
  bool ready_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_ROUND_DOCUMENT_H_
