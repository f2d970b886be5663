#pragma once
// What the cases share: trees of files, Kestrova started on a game folder, timed clicks.
// Built on the end-to-end harness.

#include <windows.h>

#include <string>

#include "tests/e2e/harness.h"

namespace bench {

/// Makes `folder` and `files` empty files below it, 100 to a folder, three folder levels deep
/// (folder\d0\d0\d0\f0.dat ...), so that no folder holds many entries.
void BuildTree(const std::string& folder, int files);

/// Waits until process `pid` has shown a window and, for the first time, found its message queue
/// empty (WaitForInputIdle). Windows hands out WM_PAINT only when nothing else is queued, so its
/// window has been painted by then. False at the deadline.
bool WaitUntilShownAndIdle(DWORD pid);

/// Runs a command line (cmd.exe ...) and waits for it to end; false if it did not start.
bool RunCommand(std::string commandLine);

/// A game folder holding the game's uninstaller; Cross and Cross111 are the case's to fill.
struct Game : e2e::GameFolder {
  Game() { AddFile("英雄联盟卸载.exe"); }
};

/// Kestrova started on `game`, named in the registry for the object's lifetime; its main window
/// shown and idle. Killed when the object goes.
struct RunningKestrova {
  explicit RunningKestrova(const Game& game);
  e2e::InstallSourceEntry entry;
  e2e::Process app;
  HWND window = nullptr;
};

/// Clicks the button `buttonId` of the running Kestrova and times until a notice shows; the
/// notice must read `expected`. Answers it with OK.
double TimeClickToNotice(const RunningKestrova& kestrova, int buttonId,
                         const std::string& expected);

}  // namespace bench
