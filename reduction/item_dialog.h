// frmJouken, the item dialog of a count-grid row: one check box per item of
// the table, labelled with the item's long title.  The window layer shows
// this model modally; the panels open it through a replaceable function.
#ifndef ZELVOMINI_REDUCTION_ITEM_DIALOG_H_
#define ZELVOMINI_REDUCTION_ITEM_DIALOG_H_

#include <functional>
#include <string>
#include <vector>

#include "support/check_box.h"

namespace zelvo {

class frmJouken {
 public:
  static constexpr const char* kTitle = "複合条件設定";

  frmJouken() = default;
  // The boxes call back into this object.
  frmJouken(const frmJouken&) = delete;
  frmJouken& operator=(const frmJouken&) = delete;

  // One box per long title, ticked as `ticks` (missing ticks unticked).
  void Setup(const std::vector<std::string>& long_titles, const std::vector<bool>& ticks);

  int ItemCount() const { return static_cast<int>(boxes_.size()); }
  // The item boxes; a click on one re-evaluates OK.
  CheckBox& Item(int index) { return boxes_.at(index); }
  const CheckBox& Item(int index) const { return boxes_.at(index); }

  // A row must count something and must not count everything: a row over
  // all items would count every match and tell nothing apart.
  bool OkEnabled() const;
  // OK closes the dialog with Result() true, only while it is enabled.
  bool Ok();
  void Cancel();
  bool Result() const { return result_; }
  // The ticks as they stand.
  std::vector<bool> Ticks() const;

  // Redraw request after a change of the OK state.
  std::function<void()> on_changed;

 private:
  std::vector<CheckBox> boxes_;
  bool result_ = false;
};

// Shows the dialog modally; true when it was closed with OK.
using ItemDialogRunner = std::function<bool(frmJouken&)>;

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_ITEM_DIALOG_H_
