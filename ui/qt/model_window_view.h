// The view of the model's evaluation: a modal dialog with the test's
// settings, the table of scores and the calibration chart.
#ifndef ZELVOMINI_UI_QT_MODEL_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_MODEL_WINDOW_VIEW_H_

#include <QWidget>

#include "ui/model_window.h"

namespace zelvo {

void RunModelEvaluationDialog(frmModelEvaluation& evaluation, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_MODEL_WINDOW_VIEW_H_
