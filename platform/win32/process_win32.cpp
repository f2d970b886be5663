// Start-up and shutdown calls: OLE, the current folder, the instance event, process exit.

#include <windows.h>
#include <ole2.h>

#include "platform/win32/win32_platform.h"

namespace platform {
namespace {

class Win32ProcessApi : public ProcessApi {
 public:
  void InitializeOle() override { OleInitialize(nullptr); }
  void UninitializeOle() override { OleUninitialize(); }

  std::string ModuleFileName() override {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : MAX_PATH);
  }

  void SetCurrentFolder(const std::string& folder) override {
    SetCurrentDirectoryA(folder.c_str());
  }

  // The handles below are never closed: the event marks a running copy for as long as the
  // process lives.
  bool OpenNamedEvent(const std::string& name) override {
    return OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str()) != nullptr;
  }

  EventCreation CreateNamedEvent(const std::string& name) override {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name.c_str());
    const DWORD error = GetLastError();
    if (!event) return EventCreation::Failed;
    return error == ERROR_ALREADY_EXISTS ? EventCreation::AlreadyExisted : EventCreation::Created;
  }

  void ExitProcessNow(int code) override { ExitProcess(static_cast<UINT>(code)); }
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  int ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                     unsigned style) override {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
  }
};

}  // namespace

std::unique_ptr<ProcessApi> NewWin32ProcessApi() { return std::make_unique<Win32ProcessApi>(); }
std::unique_ptr<MessageBoxes> NewWin32MessageBoxes() {
  return std::make_unique<Win32MessageBoxes>();
}

}  // namespace platform
