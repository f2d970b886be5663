#pragma once
// The process list: one tool-help snapshot per call.

#include <functional>
#include <string>

namespace platform {

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;
  /// CreateToolhelp32Snapshot(15, 0), then Process32First/Process32Next, handing each entry's
  /// szExeFile to `visit` until it answers true (stop) or no entry is delivered; CloseHandle.
  /// Answers false when the snapshot could not be taken.
  virtual bool WalkProcesses(const std::function<bool(const std::string& exeFile)>& visit) = 0;
};

}  // namespace platform
