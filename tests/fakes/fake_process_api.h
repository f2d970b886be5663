#pragma once
// Start-up and shutdown calls in memory. ExitProcessNow throws ProcessExit, so a test sees where
// the process would have ended and with which code.

#include <string>
#include <vector>

#include "platform/process.h"

struct ProcessExit {
  int code;
};

class FakeProcessApi : public platform::ProcessApi {
 public:
  explicit FakeProcessApi(std::vector<std::string>& log) : log_(log) {}

  std::string modulePath = "C:\\Games\\Kestrova\\Kestrova.exe";
  bool eventOpens = false;  // another copy's event is there to open
  platform::EventCreation creation = platform::EventCreation::Created;

  void InitializeOle() override { log_.push_back("InitializeOle"); }
  void UninitializeOle() override { log_.push_back("UninitializeOle"); }
  std::string ModuleFileName() override { return modulePath; }
  void SetCurrentFolder(const std::string& folder) override {
    log_.push_back("SetCurrentFolder " + folder);
  }
  bool OpenNamedEvent(const std::string& name) override {
    log_.push_back("OpenNamedEvent " + name);
    return eventOpens;
  }
  platform::EventCreation CreateNamedEvent(const std::string& name) override {
    log_.push_back("CreateNamedEvent " + name);
    return creation;
  }
  void ExitProcessNow(int code) override {
    log_.push_back("ExitProcess " + std::to_string(code));
    throw ProcessExit{code};
  }

 private:
  std::vector<std::string>& log_;
};
