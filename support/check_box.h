// The check box as a model: a ticked state with an enabled and a visible
// flag.  The window layer draws it and turns a user click into Click().
#ifndef ZELVOMINI_SUPPORT_CHECK_BOX_H_
#define ZELVOMINI_SUPPORT_CHECK_BOX_H_

#include <functional>
#include <string>

namespace zelvo {

class CheckBox {
 public:
  bool Checked() const { return checked_; }
  // Raises on_change only when the state really changes, so an owner that
  // shows a stored value does not hear its own write back.
  void SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (on_change) on_change();
  }
  // A user click: disabled or hidden boxes ignore it.
  void Click() {
    if (enabled && visible) SetChecked(!checked_);
  }

  std::string caption;
  bool enabled = true;
  bool visible = true;
  std::function<void()> on_change;

 private:
  bool checked_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_CHECK_BOX_H_
