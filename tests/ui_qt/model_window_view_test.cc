// The model's evaluation window driven by its button over a small history:
// the table and the calibration chart fill, and a second run rebuilds the
// chart instead of adding to it.
#include "ui/qt/model_window_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChartView>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTimer>

#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

TEST(ModelWindowViewTest, RunFillsTheScoresAndTheCalibrationChart) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  std::string csv = "match_date,home_team,home_goal,away_goal,away_team,status\n";
  const char* clubs[] = {"北", "南", "東", "西"};
  for (int year : {2022, 2023}) {
    for (int week = 0; week < 20; ++week) {
      for (int h = 0; h < 4; ++h) {
        csv += std::to_string(year) + "/" + std::to_string(3 + week / 4) + "/" +
               std::to_string(1 + week % 4 * 7 + h) + "," + clubs[h] + "," +
               std::to_string((h + week) % 3) + "," + std::to_string(week % 2) + "," +
               clubs[(h + 1 + week % 3) % 4] + ",試合終了\n";
      }
    }
  }
  dir.WriteBytes("History/clubs-J1.csv", csv);
  clsTotoData toto;
  frmModelEvaluation evaluation(toto);
  bool checked = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    auto* run = box->findChild<QPushButton*>("cmdRun");
    auto* save = box->findChild<QPushButton*>("cmdSave");
    auto* table = box->findChild<QTableWidget*>("tblScores");
    auto* chart = box->findChild<QChartView*>("chtCalibration");
    ASSERT_TRUE(run && save && table && chart);
    EXPECT_FALSE(save->isEnabled());
    run->click();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 1)->text(), "80");
    EXPECT_TRUE(save->isEnabled());
    // The diagonal, and the line, full and hollow dots of the model.
    const int series = static_cast<int>(chart->chart()->series().size());
    EXPECT_EQ(series, 4);
    run->click();
    EXPECT_EQ(static_cast<int>(chart->chart()->series().size()), series);
    checked = true;
    box->close();
  });
  RunModelEvaluationDialog(evaluation, nullptr);
  EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace zelvo
