#include "switch/cross_switch.h"

#include <string>

#include "app/global_texts.h"
#include "app/texts.h"

namespace {

std::string ComponentPath() { return GamePathWith(texts::kComponentSuffix); }
std::string BackupPath() { return GamePathWith(texts::kBackupSuffix); }

}  // namespace

void CrossSwitch::HandleOptimizeClick() {
  if (RefusedWhileClientRuns()) return;
  if (!folders_.IsDirectory(ComponentPath())) folders_.MakeDirectoryPath(ComponentPath());
  if (folders_.IsDirectoryEmpty(ComponentPath())) {
    notices_.ShowNotice(texts::kAlreadyOptimized, ui::kStyleExclamation);
    return;
  }
  // A Cross that is still no folder (it could not be made, or a file holds the name) can't
  // become the backup: fail before the question, or a Yes would delete the old backup for
  // nothing, or replace it with that file.
  if (!folders_.IsDirectory(ComponentPath())) {
    notices_.ShowNotice(texts::kOptimizeFailed, ui::kStyleStop);
    return;
  }
  if (!MakeRoomForBackup()) return;
  if (!folders_.RenamePath(ComponentPath(), BackupPath())) {
    notices_.ShowNotice(texts::kOptimizeFailed, ui::kStyleStop);
    return;
  }
  folders_.MakeDirectoryPath(ComponentPath());
  window_.SetControlDisabled(ui::Control::按钮2, false);
  window_.SetControlDisabled(ui::Control::按钮1, true);
  notices_.ShowNotice(texts::kOptimizeDone, ui::kStyleInformation);
}

// No question, no confirmation: the user clicked "还原", and Cross is what the backup replaces.
void CrossSwitch::HandleRestoreClick() {
  if (RefusedWhileClientRuns()) return;
  if (!folders_.IsDirectory(BackupPath())) {
    notices_.ShowNotice(texts::kNoBackup, ui::kStyleExclamation);
    return;
  }
  if (!folders_.DeleteDirectoryTree(ComponentPath()) ||
      !folders_.RenamePath(BackupPath(), ComponentPath())) {
    notices_.ShowNotice(texts::kRestoreFailed, ui::kStyleStop);
    window_.DestroyMainWindow();  // only once the notice is closed; the window goes later
    return;
  }
  window_.SetControlDisabled(ui::Control::按钮2, true);
  window_.SetControlDisabled(ui::Control::按钮1, false);
  notices_.ShowNotice(texts::kRestoreDone, ui::kStyleInformation);
}

bool CrossSwitch::RefusedWhileClientRuns() {
  if (!clients_.IsGameClientRunning()) return false;
  notices_.ShowNotice(texts::kCloseClientFirst, ui::kStyleExclamation);
  return true;
}

// Frees the name Cross111 for the rename. Only an explicit Yes deletes a backup with content: a
// message box that failed to show answers 0, and taking that for consent would lose the user's
// files. An empty Cross111 holds nothing to lose and would otherwise make every rename fail;
// RemoveEmptyDirectory can't remove a folder that has gained an entry meanwhile.
bool CrossSwitch::MakeRoomForBackup() {
  if (!folders_.IsDirectory(BackupPath())) return true;
  if (folders_.IsDirectoryEmpty(BackupPath())) {
    folders_.RemoveEmptyDirectory(BackupPath());  // the rename tells whether the name is free
    return true;
  }
  if (notices_.ShowNotice(texts::kOverwriteBackup, ui::kStyleQuestion) != ui::kAnswerYes)
    return false;
  folders_.DeleteDirectoryTree(BackupPath());  // what stays behind makes the rename fail
  return true;
}
