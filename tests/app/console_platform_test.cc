// The command line's answer to the save question: 保存, 保存しない, or
// anything else (nothing typed too) キャンセル, which keeps what there is.
#include <gtest/gtest.h>

#include <sstream>

#include "app/console_platform.h"

namespace zelvo {
namespace {

TEST(ConsolePlatformTest, SaveQuestionHasThreeAnswers) {
  std::istringstream in("s\nD\nwhat\n");
  std::ostringstream err;
  ConsolePlatform console(in, err);
  auto ask = [&] {
    return console.MessageBox("変更を保存しますか？", "Zelvo mini", MsgIcon::kQuestion,
                              MsgButtons::kSaveDiscardCancel, 0);
  };
  EXPECT_EQ(ask(), MsgAnswer::kYes);
  EXPECT_EQ(ask(), MsgAnswer::kNo);
  EXPECT_EQ(ask(), MsgAnswer::kCancel);
  EXPECT_EQ(ask(), MsgAnswer::kCancel);  // the input has ended
  EXPECT_NE(err.str().find("(s: 保存 / d: 保存しない / c: キャンセル)"), std::string::npos);
  console.assume_yes = true;
  EXPECT_EQ(ask(), MsgAnswer::kYes);
}

}  // namespace
}  // namespace zelvo
