#pragma once
// The spine of the process: start-up, the single-instance guard, the message loop and every
// way the program ends.

#include <string>
#include <vector>

#include "gamefolder/discovery.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/message_boxes.h"
#include "platform/process.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "switch/client_check.h"
#include "switch/cross_switch.h"
#include "switch/folder_ops.h"
#include "ui/main_window.h"
#include "ui/notices.h"

/// The Windows side the program runs on: the real one in Kestrova.exe, fakes in tests.
struct Platform {
  platform::ProcessApi& process;
  platform::Gui& gui;
  platform::MessageBoxes& boxes;
  platform::FileSystem& files;
  platform::ProcessTable& processes;
  platform::Registry& registry;
  platform::Shell& shell;
};

class Program {
 public:
  explicit Program(const Platform& platform);

  /// Runs the program from start-up to the end of its message loop; returns the exit code.
  /// The paths that end the process at once (a second copy, a fatal error) go through
  /// EndProgram and do not return on Windows.
  int Run();

  /// Returns only when no other copy runs in this Windows session; otherwise ends the process
  /// with exit code 0 before anything is shown.
  void EnsureSingleInstance(const std::string& identifier);
  /// Runs the end sequence and ends the process at once with `exitCode`.
  void EndProgram(int exitCode);
  /// Adds a routine to the exit clean-up list, unless it is there already.
  void AddExitCleanup(void (*routine)());

  ui::MainWindow& window() { return window_; }

 private:
  void HandleMainWindowCreated();
  void HandleMainWindowDestroyed();
  void RunEndSequence();
  void FailFatally();

  Platform platform_;
  ui::Notices notices_;
  FolderOps folders_;
  ClientCheck clients_;
  ui::MainWindow window_;
  GameFolderDiscovery discovery_;
  CrossSwitch switch_;
  std::vector<void (*)()> exitCleanup_;
  bool messageLoopEntered_ = false;
};
