// The odds window on Qt: the 6 x 6 grid of labels and entry fields, the two
// unit buttons, OK and cancel.  Each key in a field is put to the controller,
// which says whether the field takes it.
#ifndef ZELVOMINI_UI_QT_ODDS_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_ODDS_WINDOW_VIEW_H_

#include <QDialog>
#include <QLineEdit>
#include <array>

#include "ui/odds_window.h"

class QPushButton;

namespace zelvo {

class OptionGroupView;

class OddsField : public QLineEdit {
  Q_OBJECT

 public:
  OddsField(frmOdds& odds, int field, QWidget* parent);
  void Sync();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  frmOdds& odds_;
  int field_;
};

class OddsDialog : public QDialog {
  Q_OBJECT

 public:
  OddsDialog(frmOdds& odds, QWidget* parent);
  ~OddsDialog() override;
  void Sync();
  OddsField* Field(int field) const { return fields_.at(field); }
  QPushButton* OkButton() const { return ok_; }
  OptionGroupView* ModeView() const { return mode_view_; }

 private:
  frmOdds& odds_;
  std::array<OddsField*, frmOdds::kFields> fields_{};
  OptionGroupView* mode_view_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// frmOdds shown modally; true when closed with OK (the rates are then in
// odds.ResultRates()).
bool RunOddsDialog(frmOdds& odds, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_ODDS_WINDOW_VIEW_H_
