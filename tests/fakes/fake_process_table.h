#pragma once
// A scripted process list: every walk delivers `exeFiles` in order; counts the snapshots taken.

#include <functional>
#include <string>
#include <vector>

#include "platform/processes.h"

class FakeProcessTable : public platform::ProcessTable {
 public:
  std::vector<std::string> exeFiles;  // szExeFile of each running process, in walk order
  bool snapshotFails = false;         // CreateToolhelp32Snapshot fails
  int snapshots = 0;                  // snapshot attempts, failed ones included

  bool WalkProcesses(const std::function<bool(const std::string& exeFile)>& visit) override {
    ++snapshots;
    if (snapshotFails) return false;
    for (const std::string& exeFile : exeFiles) {
      if (visit(exeFile)) break;
    }
    return true;
  }
};
