// The test double of the platform seam: records every message box, pop-up
// menu and wait-dialog call, answers from scripts, and has a clock that the
// test moves.
#ifndef ZELVOMINI_TESTS_COMMON_FAKE_PLATFORM_H_
#define ZELVOMINI_TESTS_COMMON_FAKE_PLATFORM_H_

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/platform.h"

namespace zelvo::testing {

struct RecordedMessage {
  std::string text;
  std::string title;
  MsgIcon icon;
  MsgButtons buttons;
};

struct RecordedMenu {
  std::string title;
  std::vector<MenuEntry> entries;
};

class FakePlatform : public Platform {
 public:
  // Installs itself as the process platform; the destructor restores the
  // previous one.
  FakePlatform();
  ~FakePlatform() override;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons, int default_button) override;
  void Yield() override;
  void Sleep(int milliseconds) override;
  uint32_t TickCount() override { return tick_; }
  DateTime Now() override { return now_; }
  std::string ClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  std::string OpenFileDialog(const FileDialogRequest& request) override;
  std::string SaveFileDialog(const FileDialogRequest& request) override;
  int PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) override;
  bool OpenUrl(const std::string& url) override;
  bool IsAdministrator() override { return administrator_; }
  void WaitBegin(const std::string& message, int64_t max) override;
  void WaitProgress(const std::string& message, int64_t max, int64_t value) override;
  void WaitEnd() override;
  void SetBusyCursor(bool) override {}

  // Scripts: answers are taken in order; when a script runs dry, message
  // boxes answer their default button and menus are dismissed (-1).
  void QueueAnswer(MsgAnswer a) { answers_.push_back(a); }
  void QueueMenuChoice(int index) { menu_choices_.push_back(index); }
  void QueueFileName(std::string name) { file_names_.push_back(std::move(name)); }

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  const std::vector<RecordedMenu>& menus() const { return menus_; }
  const std::vector<std::string>& opened_urls() const { return urls_; }
  // What OpenUrl answers: false as on a system without a browser.
  void SetOpenUrlResult(bool opened) { open_url_result_ = opened; }
  std::vector<std::string> MessageTexts() const;
  void ClearRecords();
  int yield_count() const { return yields_; }
  int sleep_total() const { return slept_; }

  // The wait dialog as a test sees it.
  struct Wait {
    bool open = false;
    std::string message;
    int64_t max = 0;
    int64_t value = 0;
    int updates = 0;
  };
  const Wait& wait() const { return wait_; }

  // The clock: TickCount and Now move only when the test (or a yield or
  // sleep hook) moves them.
  void SetTick(uint32_t t) { tick_ = t; }
  void AdvanceTick(uint32_t ms) { tick_ += ms; }
  void SetNow(DateTime now) { now_ = now; }
  // Milliseconds added to the tick at every Sleep (true to the call) and yield.
  int tick_per_yield = 0;
  std::function<void()> on_yield;
  bool administrator_ = false;

 private:
  Platform* previous_;
  std::vector<RecordedMessage> messages_;
  std::vector<RecordedMenu> menus_;
  std::vector<std::string> urls_;
  bool open_url_result_ = true;
  std::deque<MsgAnswer> answers_;
  std::deque<int> menu_choices_;
  std::deque<std::string> file_names_;
  std::string clipboard_;
  uint32_t tick_ = 0;
  DateTime now_ = DateTime::Date(2026, 12, 8);
  int yields_ = 0;
  int slept_ = 0;
  Wait wait_;
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_FAKE_PLATFORM_H_
