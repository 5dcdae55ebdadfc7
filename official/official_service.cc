#include "official/official_service.h"

#include "support/platform.h"

namespace zelvo {

bool AskDownload(const std::string& kind) {
  return platform().MessageBox(
             "インターネットより " + kind + " をダウンロードします。よろしいですか？", " " + kind,
             MsgIcon::kQuestion, MsgButtons::kYesNo) == MsgAnswer::kYes;
}

std::string OtherRoundText(int other_round, int round, const std::string& kind) {
  return "公式サイトは第" + std::to_string(round) + "回ではなく第" + std::to_string(other_round) +
         "回の" + kind + "を返しました。";
}

void ShowFalseDialog(bool cancel, bool unpublished, int other_round, int round,
                     const std::string& kind) {
  if (cancel) return;
  if (other_round != 0) {
    platform().MessageBox(OtherRoundText(other_round, round, kind), " " + kind,
                          MsgIcon::kInformation);
  } else if (unpublished) {
    platform().MessageBox("第" + std::to_string(round) + "回 " + kind + "は発表されていません。",
                          " " + kind, MsgIcon::kInformation);
  } else {
    platform().MessageBox("インターネットよりダウンロードに失敗しました。", " " + kind,
                          MsgIcon::kWarning);
  }
}

}  // namespace zelvo
