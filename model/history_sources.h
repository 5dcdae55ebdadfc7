// Where the match history comes from: the results files shipped with the
// program (read-only once installed), the scores of the result pages in the
// round archive, and the results files the user added.  Read in that order,
// so a later source's score of a match replaces an earlier one.
#ifndef ZELVOMINI_MODEL_HISTORY_SOURCES_H_
#define ZELVOMINI_MODEL_HISTORY_SOURCES_H_

#include <memory>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "model/club_names.h"
#include "model/match_history.h"

namespace zelvo {

// The shipped results: <share>/History of an installed program, History
// beside SysData in a portable one.
std::string ShippedHistoryDir();
// The results files the user added (`model add`): SysData/UserResults.
std::string AddedHistoryDir();

// The results files the history reads (shipped, then added): the inputs no
// output may replace.
std::vector<std::string> HistoryFiles();

struct HistorySummary {
  int shipped_files = 0;
  int shipped_matches = 0;
  int archive_rounds = 0;
  int archive_matches = 0;
  int added_files = 0;
  int added_matches = 0;
  // Files that were refused, each "PATH: line N: why".
  std::vector<std::string> refused;
};

struct LoadedHistory {
  MatchHistory history;
  HistorySummary summary;
};

// Reads one results file with its clubs taken to the tables' names and each
// match labelled with its league (the file name's, else the tables').
// False with the refusal when a line does not read; nothing is taken then.
bool ReadResultsFile(const std::string& path, const ClubNames& names,
                     std::vector<HistoryMatch>& out, std::string& refusal);

// The whole history as the model uses it.  Read once and kept while no file
// of it changes (a new download, an added file), so windows and documents
// opened later do not read it again.
std::shared_ptr<const LoadedHistory> LoadHistory(const clsTotoData& toto);

// `model add`: checks the file reads whole and copies it into
// AddedHistoryDir() under its own name (replacing a file of that name).
// False with the reason otherwise; `read` gets its matches.
bool AddResultsFile(const std::string& path, const clsTotoData& toto,
                    std::vector<HistoryMatch>& read, std::string& error);

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_HISTORY_SOURCES_H_
