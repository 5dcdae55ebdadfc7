// A list box as a model: items, the selected position and the selection
// event.  The window layer shows the items and passes the user's choice to
// SetListIndex.
#ifndef ZELVOMINI_SUPPORT_LIST_MODEL_H_
#define ZELVOMINI_SUPPORT_LIST_MODEL_H_

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

class ListModel {
 public:
  void Clear();
  void AddItem(const std::string& text);
  int ListCount() const { return static_cast<int>(items_.size()); }
  // "" outside the list.
  std::string List(int index) const;

  // -1 when nothing is selected.
  int ListIndex() const { return index_; }
  // Selects a position (-1 for none); a position outside the list is
  // ignored.  Raises on_select when the selection changes.
  void SetListIndex(int index);

  bool visible = false;
  std::function<void()> on_select;
  // Raised when the items change, for the window to redraw.
  std::function<void()> on_changed;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_LIST_MODEL_H_
