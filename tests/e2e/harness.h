#pragma once
// The end-to-end harness: starts the real Kestrova.exe and works it from outside as a person
// would, through window messages and real input. Every wait polls until a deadline; none sleeps a
// fixed time. Texts are code page 936 bytes, like the program's.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace e2e {

using Millis = std::chrono::milliseconds;
constexpr Millis kDeadline{5000};

// The main window's control ids.
namespace ids {
constexpr int 标签1 = 101;
constexpr int 按钮1 = 102;
constexpr int 按钮2 = 103;
constexpr int 标签3 = 104;
}  // namespace ids

// ---- Waiting ----

/// Polls `ready` until it answers true (true) or the deadline passes (false).
bool WaitUntil(const std::function<bool()>& ready, Millis deadline = kDeadline);
/// Watches `holds` for `period`; false as soon as it fails. For what must not happen.
bool StaysTrue(const std::function<bool()>& holds, Millis period);

// ---- Processes ----

/// The folder of the driver; Kestrova.exe and sleeper.exe are built beside it.
std::string DriverFolder();

/// A process started by the driver; killed when the object goes if it still runs.
class Process {
 public:
  /// Starts `exePath`; Started() tells whether CreateProcessA succeeded.
  explicit Process(const std::string& exePath);
  ~Process();
  Process(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process& operator=(Process&&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  /// Waits for the process to end: its exit code, or nothing at the deadline.
  std::optional<DWORD> WaitForExit(Millis deadline = kDeadline) const;
  /// Ends the process at once (TerminateProcess) and waits until it is gone.
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

/// Starts a copy of Kestrova.exe from beside the driver.
Process StartKestrova();
/// Waits until the process's main window (caption "Kestrova") is visible; null at the deadline.
HWND WaitForMainWindow(const Process& app, Millis deadline = kDeadline);
/// The visible top-level windows of process `pid`.
std::vector<HWND> VisibleWindowsOf(DWORD pid);
/// Starts a Unix program under Wine, named by its Z: path ("Z:\\bin\\ln -s a b"), in `folder`.
/// Wine hands back no handle to wait on, so the caller polls for the effect. False where there
/// is no such program (not under Wine).
bool StartUnixCommand(std::string commandLine, const std::string& folder);

// ---- Windows and controls ----

/// A window's text read with WM_GETTEXT, so a label's text comes from the program itself.
std::string TextOf(HWND window);
/// The control of the main window with this id; null if there is none.
HWND ControlOf(HWND window, int id);
/// A window's outer rectangle in screen coordinates.
RECT ScreenRect(HWND window);
/// A control's rectangle in the client coordinates of its parent.
RECT PlaceInParent(HWND control);
/// The window that has the keyboard focus in `window`'s GUI thread (null: none).
HWND FocusOf(HWND window);
/// Describes a window for failure messages: class, caption, rectangle, visible and enabled state.
std::string Describe(HWND window);

// ---- Real input ----

/// Makes `window` the foreground window, so that keyboard input reaches it.
bool BringToFront(HWND window);
/// Presses and releases `key` while holding `modifiers` (SendInput to the foreground window).
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
/// Clicks the left mouse button at the centre of `window` on screen (SendInput). Unlike
/// BM_CLICK, which Wine carries out even on a disabled button, this is refused as a person's is.
void ClickCentre(HWND window);

// ---- Notices ----

/// Waits for a notice (a message box captioned "信息：") of process `pid`; null at the deadline.
HWND WaitForNotice(DWORD pid, Millis deadline = kDeadline);
/// A visible notice of process `pid` right now, or null.
HWND FindNotice(DWORD pid);
/// The notice's message text.
std::string NoticeText(HWND box);
/// The ids of the notice's buttons, ascending: IDOK (1), IDYES (6), IDNO (7), ...
std::vector<int> NoticeButtons(HWND box);
/// The notice's icon as MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION or MB_ICONASTERISK, found
/// by comparing it on screen with the system's icons (an icon handle means nothing in another
/// process); 0 when it shows none of them within the deadline.
UINT NoticeIcon(HWND box, Millis deadline = kDeadline);
/// Closes the notice with the button of this id, as a click on it would.
void AnswerNotice(HWND box, int buttonId);

// ---- Fixtures ----

/// The whole file's bytes; "(unreadable)" when it can't be opened.
std::string ReadWholeFile(const std::string& path);
/// Everything below `folder`, sorted: each folder as "relative\", each file as
/// "relative=content".
std::vector<std::string> ContentsOf(const std::string& folder);

/// A game folder (named 英雄联盟) inside a fresh temporary folder, removed with all it holds when
/// the object goes.
class GameFolder {
 public:
  GameFolder();
  ~GameFolder();
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  /// The game folder's full path, without a trailing backslash.
  const std::string& Path() const { return path_; }
  /// Makes a folder, and its parents, below the game folder ("Cross\\sub").
  void AddFolder(const std::string& relative) const;
  /// Writes a small file below the game folder, making its folders ("Cross\\a.dll").
  void AddFile(const std::string& relative, const std::string& content = "x") const;
  /// Deletes a file or a folder with all it holds below the game folder.
  void Remove(const std::string& relative) const;
  /// Everything below the game folder, relative and sorted; folders end in a backslash.
  std::vector<std::string> Listing() const;

 private:
  std::string root_;  // the temporary folder that holds the game folder
  std::string path_;
};

/// Sets InstallSource of the game's uninstall entry (HKLM, as a 32-bit program sees it) to `value`
/// for the object's lifetime; afterwards the value and the key are deleted.
class InstallSourceEntry {
 public:
  explicit InstallSourceEntry(const std::string& value, DWORD type = REG_SZ);
  ~InstallSourceEntry();
  InstallSourceEntry(const InstallSourceEntry&) = delete;
  InstallSourceEntry& operator=(const InstallSourceEntry&) = delete;
  /// False when the value could not be written.
  bool Written() const { return written_; }

 private:
  bool written_ = false;
};

/// A copy of sleeper.exe running under the file name `exeName` (a game client's, say); killed and
/// deleted when the object goes.
class NamedSleeper {
 public:
  explicit NamedSleeper(const std::string& exeName);
  ~NamedSleeper();
  NamedSleeper(const NamedSleeper&) = delete;
  NamedSleeper& operator=(const NamedSleeper&) = delete;
  const Process& process() const { return *process_; }

 private:
  std::string folder_;
  std::string path_;
  std::optional<Process> process_;
};

/// The usual start of a scenario: a game folder with its uninstaller, whose Cross and Cross111 each
/// hold a file (so both buttons are enabled), named in the registry. StartApp() starts Kestrova and
/// waits for its window; copies still running at the end are killed.
class AppTest : public ::testing::Test {
 protected:
  AppTest();
  /// Starts a copy of Kestrova and waits for its window; the failure says what was seen instead.
  HWND StartApp();

  GameFolder game_;
  std::optional<InstallSourceEntry> entry_;
  std::vector<Process> apps_;
};

}  // namespace e2e
