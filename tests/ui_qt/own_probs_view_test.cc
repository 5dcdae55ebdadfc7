// The own-probability window on Qt: typed figures reach the controller, a
// block on the clipboard fills the rows through Ctrl+V, OK follows validity.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

#include "tests/common/fake_platform.h"
#include "ui/qt/own_probs_window_view.h"

namespace zelvo {
namespace {

TEST(OwnProbsViewTest, TypingAndASpreadsheetPaste) {
  testing::FakePlatform fake;
  frmOwnProbs own;
  own.Setup(OwnProbabilities{}, {});
  OwnProbsDialog dialog(own, nullptr);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_TRUE(dialog.OkButton()->isEnabled());  // all empty

  QTest::keyClicks(dialog.Field(0), "60");
  EXPECT_EQ(own.FieldText(0), "60");
  EXPECT_FALSE(dialog.OkButton()->isEnabled());

  // Three columns from a spreadsheet, pasted into the second match's field.
  QApplication::clipboard()->setText("40\t30\t30\n50\t25\t25\n45\t30\t25\n35\t35\t30\n");
  dialog.Field(3)->setFocus();
  QTest::keyClick(dialog.Field(3), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(dialog.Field(3)->text(), "40");
  EXPECT_EQ(dialog.Field(14)->text(), "30");
  EXPECT_FALSE(dialog.OkButton()->isEnabled());  // match 1 still 60 alone
  QTest::keyClicks(dialog.Field(1), "25");
  QTest::keyClicks(dialog.Field(2), "15");
  ASSERT_TRUE(dialog.OkButton()->isEnabled());
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  ASSERT_TRUE(own.Result());
  EXPECT_DOUBLE_EQ(own.ResultProbabilities().p[0][1], 0.6);
  EXPECT_DOUBLE_EQ(own.ResultProbabilities().p[4][2], 0.3);
}

}  // namespace
}  // namespace zelvo
