// Hostile registry values and paths on the real Kestrova.exe under Wine: InstallSource of every
// registry type and of odd sizes, texts that expand to nothing or too much, paths with "&",
// spaces, a trailing backslash, a character whose second byte is 0x5C, a path so long that the
// ANSI calls give out, and file names code page 936 can't hold. Whatever the input, the program
// shows one of its notices, and the backup is never lost.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/e2e/fault_steps.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

using texts::kOptimizeDone;
using texts::kOptimizeFailed;
using texts::kRestoreDone;
using texts::kRestoreFailed;
using texts::kWrongFolder;
constexpr const char* kAsked = texts::kOverwriteBackup;
constexpr const char* kLabelSuffix = texts::kPathLabelSuffix;
constexpr DWORD kRegQword = 11;
constexpr size_t kMaxValueBytes = 65535;

// The folder dialog's tree: how the picker is told from the notices.
constexpr int kFolderTreeId = 0x3741;

HWND WaitForPicker(DWORD pid) {
  HWND picker = nullptr;
  WaitUntil([&] {
    for (HWND window : VisibleWindowsOf(pid))
      if (GetDlgItem(window, kFolderTreeId)) picker = window;
    return picker != nullptr;
  });
  return picker;
}

// ---- Values that are no install folder: the picker opens ----

struct RejectedValue {
  const char* what;
  DWORD type;
  std::string bytes;
};

const RejectedValue kRejected[] = {
    {"REG_NONE", REG_NONE, "C:\\\0"s},
    {"REG_BINARY", REG_BINARY, "C:\\\0"s},
    {"REG_DWORD", REG_DWORD, "\x43\x3A\x5C\0"s},
    {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, "\0\0\0\1"s},
    {"REG_LINK", REG_LINK, "C\0:\0\\\0"s},
    {"REG_MULTI_SZ", REG_MULTI_SZ, "C:\\\0D:\\\0\0"s},
    {"REG_RESOURCE_LIST", REG_RESOURCE_LIST, "C:\\\0"s},
    {"REG_QWORD", kRegQword, "C:\\\0\0\0\0\0"s},
    {"REG_SZ of 0 bytes", REG_SZ, ""},
    {"REG_SZ of 1 byte, a NUL", REG_SZ, "\0"s},
    {"REG_EXPAND_SZ of 1 byte, a NUL", REG_EXPAND_SZ, "\0"s},
};

// Proves a value of any other type, or an empty one, is no install folder: the picker opens,
// and cancelling it ends the program after the notice.
TEST(HostileRegistry, ValuesThatAreNoTextOpenThePicker) {
  for (const RejectedValue& c : kRejected) {
    SCOPED_TRACE(c.what);
    InstallSourceEntry entry("");
    ASSERT_TRUE(OverwriteInstallSource(c.type, c.bytes));
    Process app = StartKestrova();
    HWND picker = WaitForPicker(app.Id());
    ASSERT_TRUE(picker) << "no folder dialog";
    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(AnswerNextNotice(app.Id()), kWrongFolder);
    EXPECT_EQ(app.WaitForExit(), 0u);
  }
}

// ---- Values that are taken as they stand ----

struct TakenValue {
  const char* what;
  const char* folder;  // the install folder, below the temporary game folder ("" itself)
  DWORD type;
  std::string (*value)(const std::string& folder);  // the bytes stored, from the folder's path
  std::string (*label)(const std::string& folder);  // GamePath as the label shows it
  // An empty folder that MakeSureDirectoryPathExists makes beside the install folder when it
  // re-creates Cross: dbghelp looks for backslashes byte by byte, so it takes the second byte of
  // 乗 for one and makes the folder named by the bytes before it.
  const char* stray = nullptr;
};

std::string Itself(const std::string& folder) { return folder; }
std::string WithNul(const std::string& folder) { return folder + '\0'; }

const TakenValue kTaken[] = {
    {"REG_SZ without its NUL", "", REG_SZ, Itself, Itself},
    {"65,535 bytes: the path, its NUL and padding after it", "", REG_SZ,
     [](const std::string& f) { return (f + '\0').append(kMaxValueBytes - f.size() - 1, 'p'); },
     Itself},
    {"a trailing backslash", "", REG_SZ,
     [](const std::string& f) { return WithNul(f + "\\"); },
     [](const std::string& f) { return f + "\\"; }},
    {"an ampersand", "A&B", REG_SZ, WithNul, Itself},
    {"乗, whose second byte is 0x5C", "乗", REG_SZ, WithNul, Itself},
    {"乗 at the end, then a trailing backslash", "英雄乗", REG_SZ,
     [](const std::string& f) { return WithNul(f + "\\"); },
     [](const std::string& f) { return f + "\\"; }, "英雄\\"},
    {"REG_EXPAND_SZ with a variable", "", REG_EXPAND_SZ,
     [](const std::string& f) { return WithNul("%KESTROVA_GAME%" + f.substr(2)); }, Itself},
};

const Lines kCross = {"Cross\\", "Cross\\a.dll=new-a", "Cross\\sub\\", "Cross\\sub\\b.dll=new-b"};
const Lines kMovedAside = {"Cross111\\", "Cross111\\a.dll=new-a", "Cross111\\sub\\",
                           "Cross111\\sub\\b.dll=new-b", "Cross\\"};

// `entries` as ContentsOf(game folder) lists them when they lie in `folder` below it.
Lines Below(const std::string& folder, const Lines& entries, const char* stray = nullptr) {
  if (folder.empty()) return entries;
  Lines below = {folder + "\\"};
  if (stray) below.push_back(stray);
  for (const std::string& entry : entries) below.push_back(folder + "\\" + entry);
  std::sort(below.begin(), below.end());
  return below;
}

void FillCross(const GameFolder& game, const std::string& folder) {
  const std::string in = folder.empty() ? "" : folder + "\\";
  game.AddFile(in + "Cross\\a.dll", "new-a");
  game.AddFile(in + "Cross\\sub\\b.dll", "new-b");
}

// Proves each such value is the install folder exactly as stored (up to its first NUL), and that
// 优化 and then 还原 work on it, give Cross back byte for byte and make nothing beside it.
TEST(HostileRegistry, TextValuesAreTakenAsTheyStandAndSwitchBothWays) {
  for (const TakenValue& c : kTaken) {
    SCOPED_TRACE(c.what);
    GameFolder game;
    const std::string folder = *c.folder ? game.Path() + "\\" + c.folder : game.Path();
    FillCross(game, c.folder);
    SetEnvironmentVariableA("KESTROVA_GAME", folder.substr(0, 2).c_str());  // the drive
    InstallSourceEntry entry("");
    ASSERT_TRUE(OverwriteInstallSource(c.type, c.value(folder)));
    Process app = StartKestrova();
    HWND window = WaitForMainWindow(app);
    ASSERT_TRUE(window);
    EXPECT_EQ(TextOf(ControlOf(window, ids::标签1)),
              "游戏路径：" + c.label(folder) + kLabelSuffix);
    EXPECT_EQ(ButtonStates(window), "优化 on, 还原 off");

    ASSERT_TRUE(ClickButton(window, ids::按钮1));
    EXPECT_EQ(AnswerNextNotice(app.Id()), kOptimizeDone);
    EXPECT_EQ(ContentsOf(game.Path()), Below(c.folder, kMovedAside, c.stray));
    ASSERT_TRUE(ClickButton(window, ids::按钮2));
    EXPECT_EQ(AnswerNextNotice(app.Id()), kRestoreDone);
    EXPECT_EQ(ContentsOf(game.Path()), Below(c.folder, kCross, c.stray));
    EXPECT_EQ(ButtonStates(window), "优化 on, 还原 off");
  }
  SetEnvironmentVariableA("KESTROVA_GAME", nullptr);
}


// ---- Values that name no usable folder ----

struct BrokenValue {
  const char* what;
  DWORD type;
  std::string (*value)(const std::string& game);
  std::string (*label)(const std::string& game);
  Lines made;  // what the program makes below the game folder
};

const std::string kLongVariable(230, 'L');

const BrokenValue kBroken[] = {
    {"REG_EXPAND_SZ expanding past 260 characters", REG_EXPAND_SZ,
     [](const std::string& g) { return WithNul(g + "\\%KESTROVA_LONG%"); },
     [](const std::string& g) { return g + "\\" + kLongVariable; }, {}},
    {"REG_EXPAND_SZ naming an undefined variable: kept as it stands", REG_EXPAND_SZ,
     [](const std::string& g) { return WithNul(g + "\\%KESTROVA_UNDEFINED%"); },
     [](const std::string& g) { return g + "\\%KESTROVA_UNDEFINED%"; },
     {"%KESTROVA_UNDEFINED%\\", "%KESTROVA_UNDEFINED%\\Cross\\"}},
    {"65,535 bytes without a NUL", REG_SZ,
     [](const std::string& g) { return (g + "\\").append(kMaxValueBytes - g.size() - 1, 'q'); },
     [](const std::string& g) { return (g + "\\").append(kMaxValueBytes - g.size() - 1, 'q'); },
     {}},
};

const Lines kBoth = {"Cross111\\", "Cross111\\old.dll=old", "Cross\\", "Cross\\a.dll=new-a",
                     "Cross\\sub\\", "Cross\\sub\\b.dll=new-b"};

// Proves a value that names no usable folder is shown as it stands, leaves both buttons off, and
// touches nothing of the game's own Cross and Cross111.
TEST(HostileRegistry, UnusablePathsLeaveBothButtonsOffAndTouchNothing) {
  SetEnvironmentVariableA("KESTROVA_LONG", kLongVariable.c_str());
  for (const BrokenValue& c : kBroken) {
    SCOPED_TRACE(c.what);
    GameFolder game;
    FillCross(game, "");
    game.AddFile("Cross111\\old.dll", "old");
    InstallSourceEntry entry("");
    ASSERT_TRUE(OverwriteInstallSource(c.type, c.value(game.Path())));
    Process app = StartKestrova();
    HWND window = WaitForMainWindow(app);
    ASSERT_TRUE(window);
    EXPECT_EQ(TextOf(ControlOf(window, ids::标签1)),
              "游戏路径：" + c.label(game.Path()) + kLabelSuffix);
    EXPECT_EQ(ButtonStates(window), "优化 off, 还原 off");
    Lines expected = kBoth;
    expected.insert(expected.end(), c.made.begin(), c.made.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ContentsOf(game.Path()), expected);
  }
  SetEnvironmentVariableA("KESTROVA_LONG", nullptr);
}

// ---- Paths ----

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

std::string Utf8(const std::wstring& text) {
  std::string utf8(text.size() * 4, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                  utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

// The wide calls take any name and, with \\?\, any length: the fixture needs both.
std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

void WriteWide(const std::wstring& path, const std::string& content) {
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadWide(const std::wstring& path) {
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(unreadable)";
  char buffer[256];
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

void CollectWide(const std::wstring& folder, const std::wstring& relative, Lines& contents) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(Long(folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      contents.push_back(Utf8(relative + name + L"\\"));
      CollectWide(folder + L"\\" + name, relative + name + L"\\", contents);
    } else {
      contents.push_back(Utf8(relative + name) + "=" + ReadWide(folder + L"\\" + name));
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

// Removes a folder with all it holds through the wide calls: the ANSI calls that clean up after
// GameFolder can't reach these names and lengths, and what stays would meet the next run.
class RemovedAtEnd {
 public:
  explicit RemovedAtEnd(std::wstring folder) : folder_(std::move(folder)) {}
  ~RemovedAtEnd() { Remove(folder_); }
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;

 private:
  static void Remove(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(Long(folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(folder + L"\\" + name);
        else DeleteFileW(Long(folder + L"\\" + name).c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(Long(folder).c_str());
  }
  std::wstring folder_;
};

// ContentsOf through the wide calls, names in UTF-8: for what the ANSI calls can't reach.
Lines WideContentsOf(const std::wstring& folder) {
  Lines contents;
  CollectWide(folder, L"", contents);
  std::sort(contents.begin(), contents.end());
  return contents;
}

// Proves a value with spaces at both ends is used exactly as stored: it names no folder, so both
// buttons are off and the game's folders are untouched. It is a relative path, so the folders
// above the new Cross are made below the program's own folder (Wine allows the ":" in " C:").
TEST(HostilePaths, SpacesAtBothEndsAreKeptAndTheGamesFoldersUntouched) {
  GameFolder game;
  FillCross(game, "");
  game.AddFile("Cross111\\old.dll", "old");
  GameFolder home;  // the program runs from here, so what it makes there goes with it
  const RemovedAtEnd removed(Wide(home.Path()));  // " C:" is beyond the ANSI calls
  const std::string exe = home.Path() + "\\Kestrova.exe";
  ASSERT_TRUE(CopyFileA((DriverFolder() + "\\Kestrova.exe").c_str(), exe.c_str(), FALSE));
  const std::string value = " " + game.Path() + " ";
  InstallSourceEntry entry(value);
  Process app(exe);
  HWND window = WaitForMainWindow(app);
  ASSERT_TRUE(window);

  EXPECT_EQ(TextOf(ControlOf(window, ids::标签1)), "游戏路径：" + value + kLabelSuffix);
  EXPECT_EQ(ButtonStates(window), "优化 off, 还原 off");
  EXPECT_EQ(ContentsOf(game.Path()), kBoth);
  for (const std::string& made : ContentsOf(home.Path())) {
    if (made.rfind("Kestrova.exe=", 0) != 0) {
      EXPECT_EQ(made.back(), '\\') << "only empty folders are made: " << made;
    }
  }
}

// Proves a game path of 250 characters, where "\Cross111\*.*" and every file in Cross and
// Cross111 lie beyond the ANSI calls' reach: 优化 (Yes) can't list the old backup, so nothing of
// it is deleted and the rename fails; 还原 can't empty Cross and ends. Nothing is lost.
TEST(HostilePaths, A250CharacterPathFailsWithItsNoticesAndLosesNothing) {
  GameFolder game;
  std::wstring folder = Wide(game.Path());
  folder += L"\\" + std::wstring(250 - folder.size() - 1, L'L');
  ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr));
  const RemovedAtEnd removed(folder);
  CreateDirectoryW(Long(folder + L"\\Cross").c_str(), nullptr);
  CreateDirectoryW(Long(folder + L"\\Cross111").c_str(), nullptr);
  WriteWide(folder + L"\\Cross\\a.dll", "new-a");
  WriteWide(folder + L"\\Cross111\\old.dll", "old");
  const Lines before = WideContentsOf(folder);
  ASSERT_EQ(before.size(), 4u);
  std::string ansi(2 * folder.size(), '\0');
  ansi.resize(WideCharToMultiByte(CP_ACP, 0, folder.data(), static_cast<int>(folder.size()),
                                  ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr));
  InstallSourceEntry entry(ansi);
  Process app = StartKestrova();
  HWND window = WaitForMainWindow(app);
  ASSERT_TRUE(window);
  EXPECT_EQ(ButtonStates(window), "优化 on, 还原 on");

  ASSERT_TRUE(ClickButton(window, ids::按钮1));
  EXPECT_EQ(AnswerNextNotice(app.Id(), IDYES), kAsked);
  EXPECT_EQ(AnswerNextNotice(app.Id()), kOptimizeFailed);
  EXPECT_EQ(WideContentsOf(folder), before);
  ASSERT_TRUE(ClickButton(window, ids::按钮2));
  EXPECT_EQ(AnswerNextNotice(app.Id()), kRestoreFailed);
  EXPECT_EQ(app.WaitForExit(), 0u);
  EXPECT_EQ(WideContentsOf(folder), before);
}

// ---- File names code page 936 can't hold ----

// Korean and an emoji: FindFirstFileA reports them as "??.dll" and "??.dat", names no ANSI call
// can open.
const wchar_t* const kForeignNames[] = {L"\uD55C\uAE00.dll", L"\U0001F600.dat"};

void AddForeignFiles(const std::wstring& cross) {
  for (const wchar_t* name : kForeignNames) WriteWide(cross + L"\\" + name, Utf8(name));
}

Lines ForeignIn(const std::string& folder) {
  Lines lines = {folder + "\\"};
  for (const wchar_t* name : kForeignNames)
    lines.push_back(folder + "\\" + Utf8(name) + "=" + Utf8(name));
  return lines;
}

// A game folder whose Cross holds a.dll and the foreign files, named in the registry.
class ForeignNames : public ::testing::Test {
 protected:
  ForeignNames() {
    game_.AddFile("Cross\\a.dll", "a");
    AddForeignFiles(Wide(game_.Path() + "\\Cross"));
  }
  HWND Start() {
    entry_.emplace(game_.Path());
    app_.emplace(StartKestrova());
    return WaitForMainWindow(*app_);
  }
  Lines Now() const { return WideContentsOf(Wide(game_.Path())); }

  GameFolder game_;
  const RemovedAtEnd removed_{Wide(game_.Path())};
  std::optional<InstallSourceEntry> entry_;
  std::optional<Process> app_;
};

// Proves such files travel with their folder both ways under their own names and bytes.
TEST_F(ForeignNames, MoveWithTheirFolderBothWays) {
  Lines cross = ForeignIn("Cross");
  cross.push_back("Cross\\a.dll=a");
  std::sort(cross.begin(), cross.end());
  Lines aside = ForeignIn("Cross111");
  aside.insert(aside.end(), {"Cross111\\a.dll=a", "Cross\\"});
  std::sort(aside.begin(), aside.end());
  HWND window = Start();
  ASSERT_TRUE(window);

  ASSERT_TRUE(ClickButton(window, ids::按钮1));
  EXPECT_EQ(AnswerNextNotice(app_->Id()), kOptimizeDone);
  EXPECT_EQ(Now(), aside);
  ASSERT_TRUE(ClickButton(window, ids::按钮2));
  EXPECT_EQ(AnswerNextNotice(app_->Id()), kRestoreDone);
  EXPECT_EQ(Now(), cross);
}

// Proves that in a Cross being deleted they can't be removed (their ANSI names don't exist):
// 还原 fails with its notice and ends, the backup untouched, the foreign files still there.
TEST_F(ForeignNames, InCrossStopRestoreWithTheBackupUntouched) {
  game_.AddFile("Cross111\\old.dll", "old");
  HWND window = Start();
  ASSERT_TRUE(window);

  ASSERT_TRUE(ClickButton(window, ids::按钮2));
  EXPECT_EQ(AnswerNextNotice(app_->Id()), kRestoreFailed);
  EXPECT_EQ(app_->WaitForExit(), 0u);
  Lines left = ForeignIn("Cross");
  left.insert(left.end(), {"Cross111\\", "Cross111\\old.dll=old"});
  std::sort(left.begin(), left.end());
  EXPECT_EQ(Now(), left);
}

}  // namespace
}  // namespace e2e
