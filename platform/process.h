#pragma once
// Process-level calls of start-up and shutdown: OLE, the current folder, the named event of the
// single-instance guard, and the end of the process.

#include <string>

namespace platform {

enum class EventCreation { Created, AlreadyExisted, Failed };

class ProcessApi {
 public:
  virtual ~ProcessApi() = default;
  /// OleInitialize(null); the result is not needed.
  virtual void InitializeOle() = 0;
  /// OleUninitialize.
  virtual void UninitializeOle() = 0;
  /// GetModuleFileNameA(null, buffer of 260 bytes): the executable's full path.
  virtual std::string ModuleFileName() = 0;
  /// SetCurrentDirectoryA; the result is not needed.
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  /// OpenEventA(EVENT_ALL_ACCESS, FALSE, name): true when a handle came back. The handle is
  /// kept open until the process ends.
  virtual bool OpenNamedEvent(const std::string& name) = 0;
  /// CreateEventA(null, FALSE, FALSE, name). The handle, if any, stays open until the process
  /// ends. AlreadyExisted when GetLastError() is ERROR_ALREADY_EXISTS after a handle came back.
  virtual EventCreation CreateNamedEvent(const std::string& name) = 0;
  /// ExitProcess(code). Does not return on Windows.
  virtual void ExitProcessNow(int code) = 0;
};

}  // namespace platform
