#pragma once
// Finding the game's install folder when the main window is created, and the buttons' first
// state.

#include "platform/registry.h"
#include "platform/shell.h"
#include "switch/folder_ops.h"
#include "ui/notices.h"
#include "ui/window.h"

class GameFolderDiscovery {
 public:
  GameFolderDiscovery(platform::Registry& registry, platform::Shell& shell, FolderOps& folders,
                      ui::Notices& notices, ui::Window& window)
      : registry_(registry), shell_(shell), folders_(folders), notices_(notices),
        window_(window) {}

  /// Fills GamePath (registry, else the picker), writes the path label and disables the buttons
  /// that do not apply. A picked folder without the uninstaller ends the program after a notice.
  void Run();

 private:
  void SetRestoreButtonState();
  void SetOptimizeButtonState();

  platform::Registry& registry_;
  platform::Shell& shell_;
  FolderOps& folders_;
  ui::Notices& notices_;
  ui::Window& window_;
};
