#pragma once
// The two buttons: "优化" moves Cross aside into Cross111 and leaves an empty Cross; "还原"
// deletes Cross and gives the backup its name back.

#include "switch/client_check.h"
#include "switch/folder_ops.h"
#include "ui/notices.h"
#include "ui/window.h"

class CrossSwitch {
 public:
  CrossSwitch(ClientCheck& clients, FolderOps& folders, ui::Notices& notices, ui::Window& window)
      : clients_(clients), folders_(folders), notices_(notices), window_(window) {}

  /// Clicked event of 按钮1.
  void HandleOptimizeClick();
  /// Clicked event of 按钮2.
  void HandleRestoreClick();

 private:
  /// Shows the refusal and answers true while a game client runs.
  bool RefusedWhileClientRuns();
  /// Frees the backup name before the rename; false when the user keeps the old backup.
  bool MakeRoomForBackup();

  ClientCheck& clients_;
  FolderOps& folders_;
  ui::Notices& notices_;
  ui::Window& window_;
};
