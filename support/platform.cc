#include "support/platform.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <iostream>
#include <thread>

namespace zelvo {
namespace {

HeadlessPlatform& DefaultPlatform() {
  static HeadlessPlatform instance;
  return instance;
}

Platform* g_platform = nullptr;

}  // namespace

Platform& platform() { return g_platform ? *g_platform : DefaultPlatform(); }

Platform* SetPlatform(Platform* p) {
  Platform* previous = g_platform;
  g_platform = p;
  return previous;
}

std::vector<std::string> Platform::OpenFilesDialog(const FileDialogRequest& request) {
  std::string name = OpenFileDialog(request);
  if (name.empty()) return {};
  return {name};
}

MenuChoice Platform::PopupMenuTree(const std::string& title,
                                   const std::vector<MenuEntry>& entries) {
  MenuChoice choice;
  choice.index = PopupMenu(title, entries);
  if (choice.index < 0 || choice.index >= static_cast<int>(entries.size())) {
    choice.index = -1;
    return choice;
  }
  const MenuEntry& entry = entries[choice.index];
  if (entry.submenu.empty()) return choice;
  choice.sub_index = PopupMenu(entry.text, entry.submenu);
  if (choice.sub_index < 0 || choice.sub_index >= static_cast<int>(entry.submenu.size())) {
    choice = MenuChoice();
  }
  return choice;
}

MsgAnswer DefaultAnswer(MsgButtons buttons, int default_button) {
  switch (buttons) {
    case MsgButtons::kOk: return MsgAnswer::kOk;
    case MsgButtons::kOkCancel: return default_button == 1 ? MsgAnswer::kCancel : MsgAnswer::kOk;
    case MsgButtons::kYesNo: return default_button == 1 ? MsgAnswer::kNo : MsgAnswer::kYes;
    case MsgButtons::kYesNoCancel:
    case MsgButtons::kSaveDiscardCancel:
    case MsgButtons::kReloadOverwriteCancel:
      return default_button == 2 ? MsgAnswer::kCancel
                                 : (default_button == 1 ? MsgAnswer::kNo : MsgAnswer::kYes);
  }
  return MsgAnswer::kOk;
}

MsgAnswer HeadlessPlatform::MessageBox(const std::string& text, const std::string& title, MsgIcon,
                                       MsgButtons buttons, int default_button) {
  std::cerr << "[" << title << "] " << text << "\n";
  return DefaultAnswer(buttons, default_button);
}

void HeadlessPlatform::Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t HeadlessPlatform::TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DateTime HeadlessPlatform::Now() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  DateTime d;
  DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec, d);
  return d;
}

bool HeadlessPlatform::IsAdministrator() { return geteuid() == 0; }

}  // namespace zelvo
