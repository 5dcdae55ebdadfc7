// The dialog of every unknown club on Qt, offscreen: an edited short-name
// cell reaches the controller's checks, and the dialog closes only on a
// successful add.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/small_windows_view.h"

namespace zelvo {
namespace {

TEST(TeamNamesDialogViewTest, EditedCellsReachTheChecks) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  frmTeamNames names;
  names.Load({"ＸＹＺシティ", "ＸＹＺユナイテッド"});
  TeamNamesDialog dialog(names, nullptr);
  dialog.show();
  QTableWidget* table = dialog.Table();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(1, 0)->text().toStdString(), "ＸＹＺユナイテッド");
  EXPECT_EQ(table->item(1, 1)->text().toStdString(), "XYZﾕﾅｲ");
  EXPECT_FALSE(table->item(1, 0)->flags() & Qt::ItemIsEditable);
  table->item(1, 1)->setText("XYZUNITED");
  QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
  EXPECT_EQ(fake.MessageTexts().back(), "略称は6文字以内で入力して下さい。");
  EXPECT_TRUE(dialog.isVisible());
  table->item(1, 1)->setText("XYZU");
  QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(names.Result());
  EXPECT_TRUE(Contains(FromCp932(dir.ReadBytes("SysData/TeamName3.dat")),
                       "\r\nXYZｼﾃｨ = ＸＹＺシティ\r\nXYZU   = ＸＹＺユナイテッド\r\n"));
}

}  // namespace
}  // namespace zelvo
