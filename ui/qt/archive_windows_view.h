// The views of the archive windows: modal dialogs over their controllers.
#ifndef ZELVOMINI_UI_QT_ARCHIVE_WINDOWS_VIEW_H_
#define ZELVOMINI_UI_QT_ARCHIVE_WINDOWS_VIEW_H_

#include <QWidget>

#include "ui/archive_windows.h"

namespace zelvo {

void RunArchiveDialog(frmArchive& archive, QWidget* parent);
void RunBacktestDialog(frmBacktest& backtest, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_ARCHIVE_WINDOWS_VIEW_H_
