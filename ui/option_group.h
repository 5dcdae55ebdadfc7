// A group of option buttons as a model: the captions, which one is chosen,
// and which can be chosen.  The view draws radio buttons and passes a click
// to Choose().
#ifndef ZELVOMINI_UI_OPTION_GROUP_H_
#define ZELVOMINI_UI_OPTION_GROUP_H_

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

class OptionGroup {
 public:
  OptionGroup() = default;
  explicit OptionGroup(std::vector<std::string> captions)
      : captions_(std::move(captions)), enabled_(captions_.size(), true) {}

  int Count() const { return static_cast<int>(captions_.size()); }
  const std::string& Caption(int i) const { return captions_.at(i); }
  int Index() const { return index_; }
  bool Enabled(int i) const { return i >= 0 && i < Count() && enabled_[i]; }
  void SetEnabled(int i, bool enabled) {
    if (i >= 0 && i < Count()) enabled_[i] = enabled;
  }
  // Shows a stored value; an index outside the group falls back to the first.
  void SetIndex(int i) {
    index_ = i >= 0 && i < Count() ? i : 0;
  }
  // A user click: a disabled option cannot be chosen.
  void Choose(int i) {
    if (!Enabled(i)) return;
    index_ = i;
    if (on_change) on_change();
  }

  std::function<void()> on_change;

 private:
  std::vector<std::string> captions_;
  std::vector<bool> enabled_;
  int index_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_OPTION_GROUP_H_
