// The process list through a tool-help snapshot (ANSI entries).
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/win32_platform.h"

namespace platform {
namespace {

// All processes and threads, plus this process's heaps and modules (process id 0); only the
// process list is read.
constexpr DWORD kSnapshotFlags = TH32CS_SNAPALL;
static_assert(kSnapshotFlags == 15, "TH32CS_SNAPALL");

// szExeFile is a fixed array; never read past it.
std::string ExeFileOf(const PROCESSENTRY32& entry) {
  return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
}

class Win32ProcessTable : public ProcessTable {
 public:
  bool WalkProcesses(const std::function<bool(const std::string& exeFile)>& visit) override {
    HANDLE snapshot = CreateToolhelp32Snapshot(kSnapshotFlags, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      if (visit(ExeFileOf(entry))) break;
    }
    CloseHandle(snapshot);
    return true;
  }
};

}  // namespace

std::unique_ptr<ProcessTable> NewWin32ProcessTable() {
  return std::make_unique<Win32ProcessTable>();
}

}  // namespace platform
