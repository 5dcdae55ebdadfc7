#include "support/list_model.h"

namespace zelvo {

void ListModel::Clear() {
  items_.clear();
  index_ = -1;
  if (on_changed) on_changed();
}

void ListModel::AddItem(const std::string& text) {
  items_.push_back(text);
  if (on_changed) on_changed();
}

std::string ListModel::List(int index) const {
  if (index < 0 || index >= ListCount()) return "";
  return items_[static_cast<size_t>(index)];
}

void ListModel::SetListIndex(int index) {
  if (index < -1 || index >= ListCount() || index == index_) return;
  index_ = index;
  if (on_select) on_select();
}

}  // namespace zelvo
