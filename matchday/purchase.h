// Reading a round's purchases from documents, and the round's official data
// from the cache, for the match-day view.
#ifndef ZELVOMINI_MATCHDAY_PURCHASE_H_
#define ZELVOMINI_MATCHDAY_PURCHASE_H_

#include <string>
#include <vector>

#include "files/document_record.h"
#include "matchday/match_day.h"
#include "official/result_record.h"
#include "official/round_archive.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"

namespace zelvo {

// Reads a document with the vote status it works with (its own, the archived
// one of an old document, or the cached one of its round and group).  False
// with `error` naming the file when it is no document or cannot be read;
// nothing is shown to the user here.
bool ReadPurchaseDocument(const std::string& path, PurchaseDocument& doc, std::string& error);

// A document as one part of the purchase; `path` is its file, empty for a
// document not saved yet.
PurchaseDocument PurchaseFromDocument(const DocumentRecord& record, const std::string& path);

// The documents (*.tpd, any letter case) directly in a folder, by name.
std::vector<std::string> FolderDocuments(const std::string& folder);

// Adds every document of `folder` of the purchase's round and group (of the
// first readable one when the purchase is empty); documents of other rounds,
// unreadable ones and those already held are passed over.  Returns how many
// were added; `skipped` receives a line per document passed over for another
// reason than being held already.
int AddFolderDocuments(MatchDay& day, const std::string& folder, std::vector<std::string>& skipped);

// A made-up round of the shipped sample archive that the user's cache does
// not hold: the match-day view may be tried on it, named as made up.
bool MadeUpSampleRound(int round, const std::string& group, ArchivedRound* records = nullptr);

// The cached final vote status and official result of a round and group
// (of the sample archive for a made-up round the cache lacks); false when
// there is none.
bool CachedRoundVote(int round, const std::string& group, VoteStatusRecord& vote);
bool CachedRoundResult(int round, const std::string& group, ResultRecord& result);
bool CachedRoundSchedule(int round, const std::string& group, ScheduleRecord& schedule);

// Sets the purchase's vote status and official result from the cache, where
// it holds them.  True when the official result is there.
bool UseCachedRoundData(MatchDay& day);

}  // namespace zelvo

#endif  // ZELVOMINI_MATCHDAY_PURCHASE_H_
