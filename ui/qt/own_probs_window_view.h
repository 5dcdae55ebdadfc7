// The own-probability window on Qt: the 6 x 6 grid of labels and fields, the
// form buttons, モデルから, ファイル..., 貼り付け, 消去, OK and cancel, and the line
// saying where the goal model's figures came from.  A paste of several cells goes
// to the controller whole, so that a spreadsheet block fills the rows.
#ifndef ZELVOMINI_UI_QT_OWN_PROBS_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_OWN_PROBS_WINDOW_VIEW_H_

#include <QDialog>
#include <QLineEdit>
#include <array>

#include "ui/own_probs_window.h"

class QLabel;
class QPushButton;

namespace zelvo {

class OptionGroupView;

class OwnProbField : public QLineEdit {
  Q_OBJECT

 public:
  OwnProbField(frmOwnProbs& window, int field, QWidget* parent);
  void Sync();
  // A paste through the keys or the context menu; the message when refused.
  std::function<void(const std::string&)> on_paste_refused;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromClipboard();

 private:
  frmOwnProbs& window_;
  int field_;
};

class OwnProbsDialog : public QDialog {
  Q_OBJECT

 public:
  OwnProbsDialog(frmOwnProbs& window, QWidget* parent);
  ~OwnProbsDialog() override;
  void Sync();
  OwnProbField* Field(int field) const { return fields_.at(field); }
  QPushButton* OkButton() const { return ok_; }
  OptionGroupView* FormView() const { return form_view_; }

 private:
  frmOwnProbs& window_;
  std::array<OwnProbField*, frmOwnProbs::kFields> fields_{};
  std::array<QLabel*, frmOwnProbs::kMatches> errors_{};
  QLabel* message_ = nullptr;
  QLabel* model_text_ = nullptr;
  OptionGroupView* form_view_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// frmOwnProbs shown modally; true when closed with OK.
bool RunOwnProbsDialog(frmOwnProbs& window, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_OWN_PROBS_WINDOW_VIEW_H_
