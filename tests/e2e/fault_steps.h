#pragma once
// Steps shared by the fault, hostile-input and concurrent-start scenarios: clicking a button as a
// person can (only while it is enabled), answering each notice as it comes, holding a handle the
// way another program would, and reading the files back byte for byte.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

/// Clicks the main window's button `id` (BM_CLICK). A person can't click a disabled button, so
/// that is a test failure and nothing is clicked.
bool ClickButton(HWND window, int id);
/// Waits for the next notice of `pid`, answers it with `buttonId`, waits until it has gone and
/// returns its text; "" when none came.
std::string AnswerNextNotice(DWORD pid, int buttonId = IDOK);
/// The buttons' states as "优化 on, 还原 off".
std::string ButtonStates(HWND window);

/// Overwrites InstallSource of the game's uninstall entry with exactly `bytes` of `type` (no NUL
/// added). The key must exist: an InstallSourceEntry made it and removes it again.
bool OverwriteInstallSource(DWORD type, const std::string& bytes);

/// A handle another program holds on a file or folder (CreateFileA) until the object goes.
class HeldOpen {
 public:
  /// `share` is the FILE_SHARE_* mask; a folder is opened with FILE_FLAG_BACKUP_SEMANTICS.
  HeldOpen(const std::string& path, DWORD share);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace e2e
