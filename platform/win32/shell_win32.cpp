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

// shell32 is loaded only when the dialog is needed, which is rare: linked, it would cost every
// start its load time and half a megabyte of working set. It comes from the system folder only.
struct ShellCalls {
  decltype(&SHBrowseForFolderA) browse = nullptr;
  decltype(&SHGetPathFromIDListA) pathFromList = nullptr;
};

const ShellCalls& Shell32() {
  static const ShellCalls calls = [] {
    ShellCalls loaded;
    HMODULE shell32 = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (shell32) {  // kept loaded for the life of the process
      loaded.browse = reinterpret_cast<decltype(&SHBrowseForFolderA)>(
          reinterpret_cast<void*>(GetProcAddress(shell32, "SHBrowseForFolderA")));
      loaded.pathFromList = reinterpret_cast<decltype(&SHGetPathFromIDListA)>(
          reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetPathFromIDListA")));
    }
    return loaded;
  }();
  return calls;
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
    if (!Shell32().browse) return nullptr;  // as if cancelled
    openDialogCallback = info.callback;
    PIDLIST_ABSOLUTE list = Shell32().browse(&description);
    openDialogCallback = nullptr;
    return list;
  }

  void PathFromIdList(void* list, char* buffer) override {
    if (Shell32().pathFromList)
      Shell32().pathFromList(static_cast<PCIDLIST_ABSOLUTE>(list), buffer);
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
