#include "tests/common/fake_platform.h"

namespace zelvo::testing {

FakePlatform::FakePlatform() : previous_(SetPlatform(this)) {}

FakePlatform::~FakePlatform() { SetPlatform(previous_); }

MsgAnswer FakePlatform::MessageBox(const std::string& text, const std::string& title,
                                   MsgIcon icon, MsgButtons buttons, int default_button) {
  messages_.push_back({text, title, icon, buttons});
  if (!answers_.empty()) {
    MsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return DefaultAnswer(buttons, default_button);
}

void FakePlatform::Yield() {
  ++yields_;
  tick_ += tick_per_yield;
  if (on_yield) on_yield();
}

void FakePlatform::Sleep(int milliseconds) {
  slept_ += milliseconds;
  tick_ += milliseconds;
  if (on_yield) on_yield();
}

std::string FakePlatform::OpenFileDialog(const FileDialogRequest&) {
  if (file_names_.empty()) return {};
  std::string name = file_names_.front();
  file_names_.pop_front();
  return name;
}

std::string FakePlatform::SaveFileDialog(const FileDialogRequest& request) {
  return OpenFileDialog(request);
}

int FakePlatform::PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) {
  menus_.push_back({title, entries});
  if (menu_choices_.empty()) return -1;
  int choice = menu_choices_.front();
  menu_choices_.pop_front();
  return choice;
}

bool FakePlatform::OpenUrl(const std::string& url) {
  urls_.push_back(url);
  return open_url_result_;
}

void FakePlatform::WaitBegin(const std::string& message, int64_t max) {
  wait_ = Wait{true, message, max, 0, 0};
}

void FakePlatform::WaitProgress(const std::string& message, int64_t max, int64_t value) {
  wait_.message = message;
  wait_.max = max;
  wait_.value = value;
  ++wait_.updates;
}

void FakePlatform::WaitEnd() { wait_.open = false; }

std::vector<std::string> FakePlatform::MessageTexts() const {
  std::vector<std::string> out;
  for (const auto& m : messages_) out.push_back(m.text);
  return out;
}

void FakePlatform::ClearRecords() {
  messages_.clear();
  menus_.clear();
  urls_.clear();
}

}  // namespace zelvo::testing
