// The backtest window over the shipped made-up rounds, driven by its
// buttons: the table fills, the chart gets its two lines, and a double click
// hands the round to the main window.
#include "ui/qt/archive_windows_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "tests/common/fake_platform.h"
#include "tests/ui/ui_fixtures.h"

namespace zelvo {
namespace {

TEST(BacktestViewTest, RunFillsTableAndChartAndARowOpensItsRound) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  frmBacktest backtest;
  // The sample round 1487, which the cache ships, and two made-up rounds
  // the cache does not hold.
  backtest.From().SetIntValue(1487);
  backtest.To().SetIntValue(9002);
  int opened = 0;
  backtest.on_open_round = [&](const DocumentRecord& doc) { opened = doc.Kaisaikai; };
  bool checked = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QPushButton* run = nullptr;
    for (QPushButton* b : box->findChildren<QPushButton*>()) {
      if (b->text() == QString::fromUtf8("検証(&K)")) run = b;
    }
    auto* table = box->findChild<QTableWidget*>();
    auto* chart = box->findChild<QChartView*>();
    ASSERT_TRUE(run && table && chart);
    // No axes before there is something on them.
    EXPECT_TRUE(chart->chart()->axes().isEmpty());
    run->click();
    EXPECT_EQ(chart->chart()->axes().size(), 2);
    ASSERT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->item(2, 0)->text(), "9001");
    EXPECT_EQ(chart->chart()->series().size(), 2);
    auto* stake = static_cast<QLineSeries*>(chart->chart()->series()[0]);
    EXPECT_EQ(stake->count(), 6);
    run->click();  // again: the chart is rebuilt, not added to
    EXPECT_EQ(chart->chart()->series().size(), 2);
    checked = true;
    // Enter on a row of the cache's round opens it; the window stays.
    table->setFocus();
    table->setCurrentCell(1, 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(opened, 1487);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(table->rowCount(), 6);
    box->close();
  });
  RunBacktestDialog(backtest, nullptr);
  EXPECT_TRUE(checked);
  EXPECT_EQ(opened, 1487);
}

}  // namespace
}  // namespace zelvo
