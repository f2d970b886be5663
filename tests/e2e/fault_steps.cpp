#include "tests/e2e/fault_steps.h"

#include <algorithm>

namespace e2e {

namespace {

constexpr char kUninstallKey[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟";

}  // namespace

bool ClickButton(HWND window, int id) {
  HWND button = ControlOf(window, id);
  if (!button || !IsWindowEnabled(button)) {
    ADD_FAILURE() << "button " << id << " can't be clicked: " << Describe(button);
    return false;
  }
  PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

std::string AnswerNextNotice(DWORD pid, int buttonId) {
  HWND box = WaitForNotice(pid);
  if (!box) return "";
  const std::string text = NoticeText(box);
  AnswerNotice(box, buttonId);
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  return text;
}

std::string ButtonStates(HWND window) {
  return std::string("优化 ") + (IsWindowEnabled(ControlOf(window, ids::按钮1)) ? "on" : "off") +
         ", 还原 " + (IsWindowEnabled(ControlOf(window, ids::按钮2)) ? "on" : "off");
}

bool OverwriteInstallSource(DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return false;
  const bool written =
      RegSetValueExA(key, "InstallSource", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

HeldOpen::HeldOpen(const std::string& path, DWORD share)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}

HeldOpen::~HeldOpen() {
  if (Held()) CloseHandle(handle_);
}

}  // namespace e2e
