// Small helpers the three page scrapers share.
#ifndef ZELVOMINI_OFFICIAL_HTML_SCRAPE_H_
#define ZELVOMINI_OFFICIAL_HTML_SCRAPE_H_

#include <string>
#include <vector>

#include "support/date_time.h"

namespace zelvo {

// The match number a text "1" to `last` stands for, else 0.
int MatchNumberText(const std::string& text, int last);

// Whether the text reads as a date or a time, as the pages' date cells do.
bool IsDateText(const std::string& text, int year, DateTime* out = nullptr);

// The date or time of a text; a text that does not convert is an error of
// the page (RuntimeError, type mismatch).
DateTime ConvertDate(const std::string& text, int year);

// A row of the page that does not read (cut short, a cell of the wrong
// form).  The page reader catches it and fails without an error box: an odd
// page is an expected condition, told to the user by the service's failure
// message.
struct PageRowError {};

// The index of the round's heading among the texts: the first that holds
// `marker` and reads as a round ("第1487回 ...", its number in `round`), or
// texts.size() when none comes before `cannot_show`, the site's line for a
// round it cannot show.  A heading whose number does not convert is an
// error of the page (RuntimeError).
size_t FindRoundHeading(const std::vector<std::string>& texts, const std::string& cannot_show,
                        const std::string& marker, int& round);

// texts[i], or PageRowError past the end of the page.
const std::string& TextAt(const std::vector<std::string>& texts, size_t i);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_SCRAPE_H_
