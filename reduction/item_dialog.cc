#include "reduction/item_dialog.h"

namespace zelvo {

void frmJouken::Setup(const std::vector<std::string>& long_titles, const std::vector<bool>& ticks) {
  result_ = false;
  boxes_.assign(long_titles.size(), CheckBox());
  for (size_t i = 0; i < boxes_.size(); ++i) {
    boxes_[i].caption = long_titles[i];
    boxes_[i].SetChecked(i < ticks.size() && ticks[i]);
    boxes_[i].on_change = [this] {
      if (on_changed) on_changed();
    };
  }
}

bool frmJouken::OkEnabled() const {
  int ticked = 0;
  for (const CheckBox& b : boxes_) ticked += b.Checked() ? 1 : 0;
  return ticked >= 1 && ticked < ItemCount();
}

bool frmJouken::Ok() {
  if (!OkEnabled()) return false;
  result_ = true;
  return true;
}

void frmJouken::Cancel() { result_ = false; }

std::vector<bool> frmJouken::Ticks() const {
  std::vector<bool> ticks;
  for (const CheckBox& b : boxes_) ticks.push_back(b.Checked());
  return ticks;
}

}  // namespace zelvo
