// The shell's folder-browse dialog.

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/win32_platform.h"

namespace platform {

namespace {

// The callback of the dialog that is open on the GUI thread. The dialog's own application data
// belongs to the caller, so the portable callback waits here rather than there.
BrowseCallback openDialogCallback = nullptr;

int CALLBACK ForwardBrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data) {
  return openDialogCallback ? openDialogCallback(dialog, message, param, data) : 0;
}

class Win32Shell : public Shell {
 public:
  void* BrowseForFolderDialog(const BrowseInfo& info) override {
    BROWSEINFOA description{};
    description.hwndOwner = static_cast<HWND>(info.owner);
    description.lpszTitle = info.title;
    description.ulFlags = info.flags;
    description.lpfn = info.callback ? ForwardBrowseCallback : nullptr;
    description.lParam = info.data;
    openDialogCallback = info.callback;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&description);
    openDialogCallback = nullptr;
    return list;
  }

  void PathFromIdList(void* list, char* buffer) override {
    SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(list), buffer);
  }

  void FreeIdList(void* list) override { CoTaskMemFree(list); }

  void SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) override {
    SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
  }
};

}  // namespace

std::unique_ptr<Shell> NewWin32Shell() { return std::make_unique<Win32Shell>(); }

}  // namespace platform
