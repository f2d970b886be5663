#include "tests/e2e/harness.h"

#include <algorithm>
#include <sstream>
#include <thread>

namespace e2e {

namespace {

constexpr Millis kPollInterval{10};
constexpr char kNoticeClass[] = "#32770";
constexpr char kNoticeCaption[] = "信息：";
constexpr char kUninstallParent[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kGameEntry[] = "英雄联盟";

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct TopLevelSearch {
  DWORD pid;
  const std::function<bool(HWND)>& matches;
  HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.pid || !IsWindowVisible(window) || !search.matches(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// The first visible top-level window of `pid` that `matches` accepts, or null.
HWND FindTopLevel(DWORD pid, const std::function<bool(HWND)>& matches) {
  TopLevelSearch search{pid, matches, nullptr};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A name no other fixture of this run uses, for temporary folders.
std::string FreshTempFolder(const char* prefix) {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string path = std::string(temp) + prefix + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++counter);
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

// Deletes a folder with all it holds. Links (reparse points) are removed, never followed.
void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      const DWORD attributes = entry.dwFileAttributes;
      if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        DeleteTree(path);
      } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(path.c_str());
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

// Appends everything below `folder`: each folder as "relative\", each file as "relative" or,
// with its contents, "relative=content".
void ListTree(const std::string& folder, const std::string& relative, bool withContents,
              std::vector<std::string>& listing) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      listing.push_back(relative + name + "\\");
      ListTree(folder + "\\" + name, relative + name + "\\", withContents, listing);
    } else {
      listing.push_back(withContents ? relative + name + "=" + ReadWholeFile(folder + "\\" + name)
                                     : relative + name);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// A mouse event at screen point `at`. Each event carries its place: a cursor moved just before
// with SetCursorPos can still be put back by a late pointer event of the X server.
INPUT MouseInput(POINT at, DWORD button) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (at.x * 65536 + width - 1) / width;  // normalised, rounded up so it maps back
  input.mi.dy = (at.y * 65536 + height - 1) / height;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  return input;
}

// Paints a fresh width × height bitmap with `paint` and answers its pixels as 32-bit values.
std::vector<DWORD> PaintedPixels(int width, int height, const std::function<void(HDC)>& paint) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  paint(memory);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// What the screen shows in `rect`.
std::vector<DWORD> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  return PaintedPixels(width, height, [&](HDC memory) {
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

// `icon` at its own size over the dialog colour, as a message box shows it in a `rect` as big.
std::vector<DWORD> IconPixels(HICON icon, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  return PaintedPixels(width, height, [&](HDC memory) {
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  });
}

HWND IconControlOf(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Static" && IsWindowVisible(child) &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      return child;
  }
  return nullptr;
}

}  // namespace

// ---- Waiting ----

bool WaitUntil(const std::function<bool()>& ready, Millis deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

bool StaysTrue(const std::function<bool()>& holds, Millis period) {
  return !WaitUntil([&] { return !holds(); }, period);
}

// ---- Processes ----

std::string DriverFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

Process::Process(const std::string& exePath) {
  std::string commandLine = "\"" + exePath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info_)) {
    info_ = {};
  }
}

Process::Process(Process&& other) noexcept : info_(other.info_) { other.info_ = {}; }

Process::~Process() {
  if (!Started()) return;
  Kill();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Process::Running() const {
  return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(Millis deadline) const {
  if (!Started() ||
      WaitForSingleObject(info_.hProcess, static_cast<DWORD>(deadline.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, static_cast<DWORD>(kDeadline.count()));
}

Process StartKestrova() { return Process(DriverFolder() + "\\Kestrova.exe"); }

HWND WaitForMainWindow(const Process& app, Millis deadline) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevel(app.Id(), [](HWND w) { return TextOf(w) == "Kestrova"; });
        return found != nullptr;
      },
      deadline);
  return found;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
  std::vector<HWND> windows;
  FindTopLevel(pid, [&](HWND w) {
    windows.push_back(w);
    return false;
  });
  return windows;
}

bool StartUnixCommand(std::string commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started) != 0;
}

// ---- Windows and controls ----

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

HWND ControlOf(HWND window, int id) { return GetDlgItem(window, id); }

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT PlaceInParent(HWND control) {
  RECT rect = ScreenRect(control);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::string Describe(HWND window) {
  if (!window) return "(no window)";
  const RECT r = ScreenRect(window);
  std::ostringstream out;
  out << "[" << ClassOf(window) << " \"" << TextOf(window) << "\" " << r.left << "," << r.top
      << "-" << r.right << "," << r.bottom << (IsWindowVisible(window) ? " visible" : " hidden")
      << (IsWindowEnabled(window) ? " enabled" : " disabled") << "]";
  return out.str();
}

// ---- Real input ----

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; });
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
    inputs.push_back(KeyInput(*m, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickCentre(HWND window) {
  const RECT r = ScreenRect(window);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  INPUT clicks[] = {MouseInput(centre, 0), MouseInput(centre, MOUSEEVENTF_LEFTDOWN),
                    MouseInput(centre, MOUSEEVENTF_LEFTUP)};
  SendInput(3, clicks, sizeof(INPUT));
}

// ---- Notices ----

HWND FindNotice(DWORD pid) {
  return FindTopLevel(
      pid, [](HWND w) { return ClassOf(w) == kNoticeClass && TextOf(w) == kNoticeCaption; });
}

HWND WaitForNotice(DWORD pid, Millis deadline) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindNotice(pid)) != nullptr; }, deadline);
  return found;
}

std::string NoticeText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

std::vector<int> NoticeButtons(HWND box) {
  std::vector<int> buttons;
  for (int id = IDOK; id <= IDCONTINUE; ++id) {
    HWND button = GetDlgItem(box, id);
    if (button && IsWindowVisible(button) && ClassOf(button) == "Button") buttons.push_back(id);
  }
  return buttons;
}

UINT NoticeIcon(HWND box, Millis deadline) {
  struct Candidate {
    UINT style;
    LPCSTR icon;
  };
  static const Candidate kCandidates[] = {{MB_ICONHAND, IDI_HAND},
                                          {MB_ICONQUESTION, IDI_QUESTION},
                                          {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
                                          {MB_ICONASTERISK, IDI_ASTERISK}};
  HWND control = IconControlOf(box);
  if (!control) return 0;
  const RECT place = ScreenRect(control);
  UINT found = 0;
  WaitUntil(
      [&] {
        BringToFront(box);
        const std::vector<DWORD> shown = ScreenPixels(place);
        for (const Candidate& c : kCandidates) {
          if (IconPixels(LoadIconA(nullptr, c.icon), place) == shown) found = c.style;
        }
        return found != 0;
      },
      deadline);
  return found;
}

void AnswerNotice(HWND box, int buttonId) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

// ---- Fixtures ----

GameFolder::GameFolder() : root_(FreshTempFolder("kestrova-game-")), path_(root_ + "\\英雄联盟") {
  CreateDirectoryA(path_.c_str(), nullptr);
}

GameFolder::~GameFolder() { DeleteTree(root_); }

void GameFolder::AddFolder(const std::string& relative) const {
  for (size_t cut = relative.find('\\'); cut != std::string::npos;
       cut = relative.find('\\', cut + 1)) {
    CreateDirectoryA((path_ + "\\" + relative.substr(0, cut)).c_str(), nullptr);
  }
  CreateDirectoryA((path_ + "\\" + relative).c_str(), nullptr);
}

void GameFolder::AddFile(const std::string& relative, const std::string& content) const {
  const size_t cut = relative.find_last_of('\\');
  if (cut != std::string::npos) AddFolder(relative.substr(0, cut));
  HANDLE file = CreateFileA((path_ + "\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

void GameFolder::Remove(const std::string& relative) const {
  const std::string path = path_ + "\\" + relative;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    DeleteTree(path);
  } else {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}

std::vector<std::string> GameFolder::Listing() const {
  std::vector<std::string> listing;
  ListTree(path_, "", false, listing);
  std::sort(listing.begin(), listing.end());
  return listing;
}

// One level at a time: a 32-bit program that makes two new levels at once below WOW6432Node gets
// them from Wine one WOW6432Node deeper, where no open finds them.
InstallSourceEntry::InstallSourceEntry(const std::string& value, DWORD type) {
  HKEY parent = nullptr, key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallParent, 0, nullptr, 0, KEY_CREATE_SUB_KEY,
                      nullptr, &parent, nullptr) != ERROR_SUCCESS)
    return;
  if (RegCreateKeyExA(parent, kGameEntry, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    written_ = RegSetValueExA(key, "InstallSource", 0, type,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  RegCloseKey(parent);
}

InstallSourceEntry::~InstallSourceEntry() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kUninstallParent) + "\\" + kGameEntry).c_str());
}

NamedSleeper::NamedSleeper(const std::string& exeName)
    : folder_(FreshTempFolder("kestrova-sleeper-")), path_(folder_ + "\\" + exeName) {
  if (CopyFileA((DriverFolder() + "\\sleeper.exe").c_str(), path_.c_str(), FALSE))
    process_.emplace(path_);
}

NamedSleeper::~NamedSleeper() {
  process_.reset();
  DeleteFileA(path_.c_str());
  RemoveDirectoryA(folder_.c_str());
}

AppTest::AppTest() {
  game_.AddFile("英雄联盟卸载.exe");
  game_.AddFile("Cross\\a.dll");
  game_.AddFile("Cross111\\a.dll");
  entry_.emplace(game_.Path());
  EXPECT_TRUE(entry_->Written()) << "could not write InstallSource";
}

HWND AppTest::StartApp() {
  apps_.push_back(StartKestrova());
  const Process& app = apps_.back();
  if (!app.Started()) {
    ADD_FAILURE() << "could not start " << DriverFolder() << "\\Kestrova.exe";
    return nullptr;
  }
  HWND window = WaitForMainWindow(app);
  if (!window) {
    std::ostringstream seen;
    for (HWND w : VisibleWindowsOf(app.Id())) seen << " " << Describe(w);
    const std::optional<DWORD> exitCode = app.WaitForExit(Millis{0});
    ADD_FAILURE() << "no visible main window within " << kDeadline.count() << " ms; process "
                  << (exitCode ? "ended with exit code " + std::to_string(*exitCode) : "running")
                  << "; its visible windows:"
                  << (seen.str().empty() ? " none" : seen.str());
  }
  return window;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(unreadable)";
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}

std::vector<std::string> ContentsOf(const std::string& folder) {
  std::vector<std::string> contents;
  ListTree(folder, "", true, contents);
  std::sort(contents.begin(), contents.end());
  return contents;
}

}  // namespace e2e
