// The clipboard texts of a document: the prediction report (with or without
// the reduction conditions) and the singles in two layouts; and the import
// of singles from clipboard text.
#ifndef ZELVOMINI_OUTPUT_CLIPBOARD_H_
#define ZELVOMINI_OUTPUT_CLIPBOARD_H_

#include <string>
#include <string_view>
#include <vector>

#include "files/document_record.h"
#include "official/schedule_record.h"
#include "support/money.h"

namespace zelvo {

class clsTClipboard {
 public:
  // The forms of the clipboard menu (2 is not used).
  static constexpr int kFormReport = 0;
  static constexpr int kFormReportWithConditions = 1;
  static constexpr int kFormSinglesPerLine = 3;
  static constexpr int kFormSinglesPerColumn = 4;
  // More singles than this are not written by the singles forms.
  static constexpr int kMaxSingles = 10000;

  // The text of a form, every line ended by CR LF.  The team names come
  // from the schedule of the document's round and group (an empty schedule
  // shows "？？？"); `user_vote_rates` tells that the vote rates in force
  // were entered by hand.  Empty for an unknown form and for a singles form
  // over the limit.
  static std::string GetText(int form, const DocumentRecord& doc, const ScheduleRecord& schedule,
                             bool user_vote_rates = false);

  // Puts the form's text on the clipboard and tells the user so; a singles
  // form over the limit only warns, and an empty text copies nothing.  True
  // when something was copied.
  bool Copy(int form, const DocumentRecord& doc, const ScheduleRecord& schedule,
            bool user_vote_rates = false);
};

class clsTClipImport {
 public:
  // The singles found on the clipboard, in the order of the text.
  std::vector<int> Import();
  // The singles of a text: lines of five outcome digits, after an optional
  // "number:" and with blanks ignored.
  static std::vector<int> ParseSingles(std::string_view text);
};

// Pieces of the report, for the report and its tests.
// "0～2,4" for 0, 1, 2, 4: ascending, runs of two or more as first～last.
std::string CompressedList(std::vector<int> numbers);
// An amount in yen: "1,500", "5万", "12,000万", "3億".
std::string ReportAmountText(Money amount);
// The payout range of a grade: "" without bounds, "…円以下", "…円以上",
// "…円 ～ …円".
std::string ReportRangeText(Money min, Money max);

}  // namespace zelvo

#endif  // ZELVOMINI_OUTPUT_CLIPBOARD_H_
