#include "official/official_service.h"

#include "support/platform.h"

namespace zelvo {

bool AskDownload(const std::string& kind) {
  return platform().MessageBox(
             "インターネットより " + kind + " をダウンロードします。よろしいですか？", " " + kind,
             MsgIcon::kQuestion, MsgButtons::kYesNo) == MsgAnswer::kYes;
}

void ShowFalseDialog(bool cancel, bool unpublished, int round, const std::string& kind) {
  if (cancel) return;
  if (unpublished) {
    platform().MessageBox("第" + std::to_string(round) + "回 " + kind + "は発表されていません。",
                          " " + kind, MsgIcon::kInformation);
  } else {
    platform().MessageBox("インターネットよりダウンロードに失敗しました。", " " + kind,
                          MsgIcon::kWarning);
  }
}

}  // namespace zelvo
