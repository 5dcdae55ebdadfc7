// What the schedule, vote status and result services share: the source
// flags of their Get operations, the download question and the message that
// tells the user why a Get gave nothing.
#ifndef ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_
#define ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_

#include <string>

namespace zelvo {

// Source flags, added up into a mode: 1 the cache file, 2 the official site
// when the file gave nothing, 3 both.
inline constexpr int kSourceFile = 1;
inline constexpr int kSourceDownload = 2;

// "インターネットより <kind> をダウンロードします。よろしいですか？" titled
// " <kind>"; true on Yes.
bool AskDownload(const std::string& kind);

// Nothing after a refused download; "第<round>回 <kind>は発表されていません。"
// (information) for a page that does not show the round yet; otherwise the
// download-failure warning.  Titled " <kind>".
void ShowFalseDialog(bool cancel, bool unpublished, int round, const std::string& kind);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_OFFICIAL_SERVICE_H_
