// Finding the game end to end on the real Kestrova.exe, the real registry and real folders: the
// install folder from the uninstall entry (as stored, expanded, with a trailing backslash), the
// buttons' first state for every state of Cross and Cross111, and the folder dialog when the
// registry gives nothing: cancelled, a folder chosen with and without the uninstaller.
#include <cstring>
#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/e2e/folder_dialog.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

std::string PathLabel(const std::string& gamePath) {
  return std::string(texts::kPathLabelPrefix) + gamePath + texts::kPathLabelSuffix;
}

// ---- A label's pixels ----

using Pixels = std::vector<DWORD>;

// The pixels of a `width` × `height` area of `dc` at x, y, row by row.
Pixels PixelsOf(HDC dc, int x, int y, int width, int height) {
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  Pixels pixels(static_cast<size_t>(width) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// What the label `window` shows on screen now.
Pixels ScreenPixelsOf(HWND window) {
  const RECT r = ScreenRect(window);
  HDC screen = GetDC(nullptr);
  Pixels pixels = PixelsOf(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// `text` drawn as a label of the size of `window` draws it, with DrawTextA's `format`.
Pixels DrawnText(HWND window, const std::string& text, UINT format) {
  RECT client;
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, RGB(0, 0, 0));
  DrawTextA(memory, text.c_str(), -1, &client, format);
  SelectObject(memory, oldFont);
  Pixels pixels = PixelsOf(memory, 0, 0, client.right, client.bottom);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// ---- Cases ----

// Each case sets the registry and the folders itself; the program is closed at the end of each.
class Discovery : public AppTest {
 protected:
  // Starts the program with InstallSource set to `value`, waits for its window and reads it.
  HWND StartWithInstallSource(const std::string& value, DWORD type = REG_SZ) {
    entry_.emplace(value, type);
    EXPECT_TRUE(entry_->Written());
    return StartApp();
  }
  // Starts the program without the uninstall entry and waits for its folder dialog.
  HWND StartWithoutInstallSource() {
    entry_.reset();
    apps_.push_back(StartKestrova());
    return WaitForFolderDialog(apps_.back().Id());
  }
  // Closes the main window and checks the program ends with exit code 0.
  void Close(HWND main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(apps_.back().WaitForExit(), 0u);
  }
  // Closes the notice of a rejected folder and checks the program then ends with exit code 0.
  void ExpectWrongFolderNoticeAndExit() {
    HWND box = WaitForNotice(apps_.back().Id());
    ASSERT_TRUE(box) << "no notice";
    EXPECT_EQ(TextOf(box), texts::kNoticeCaption);
    EXPECT_EQ(NoticeText(box), texts::kWrongFolder);
    EXPECT_EQ(NoticeButtons(box), std::vector<int>{IDOK});
    AnswerNotice(box, IDOK);
    EXPECT_EQ(apps_.back().WaitForExit(), 0u);
  }
  // Chooses `path` in the folder dialog and presses OK.
  void Choose(HWND dialog, const std::string& path) {
    ASSERT_TRUE(SelectFolder(dialog, path)) << "the dialog never showed " << path;
    AnswerNotice(dialog, IDOK);
  }

  bool Enabled(HWND main, int id) { return IsWindowEnabled(ControlOf(main, id)) != FALSE; }
};

// Proves a REG_SZ install folder is taken without the dialog and without the uninstaller, and
// shown in 标签1 exactly.
TEST_F(Discovery, RegistryFolderIsShownWithoutTheDialog) {
  game_.Remove("英雄联盟卸载.exe");
  HWND main = StartWithInstallSource(game_.Path());
  ASSERT_TRUE(main);
  EXPECT_EQ(TextOf(ControlOf(main, ids::标签1)), PathLabel(game_.Path()));
  EXPECT_FALSE(FindFolderDialog(apps_.back().Id()));
  EXPECT_FALSE(FindNotice(apps_.back().Id()));
  Close(main);
}

// Proves the stored text is used as it is: expanded when REG_EXPAND_SZ, a trailing backslash
// kept in the label and in the paths of the folder tests, an "&" kept in the label's text.
TEST_F(Discovery, RegistryValueIsUsedAsStored) {
  game_.AddFile("A&B\\Cross\\a.dll");
  game_.AddFile("A&B\\Cross111\\a.dll");
  char drive[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemDrive", drive, sizeof drive);
  ASSERT_EQ(game_.Path().rfind(drive, 0), 0u) << "the game folder is not on " << drive;
  const struct { const char* what; std::string value; DWORD type; std::string shown; } kCases[] = {
      {"expanded", "%SystemDrive%" + game_.Path().substr(std::strlen(drive)), REG_EXPAND_SZ,
       game_.Path()},
      {"trailing backslash", game_.Path() + "\\", REG_SZ, game_.Path() + "\\"},
      {"ampersand", game_.Path() + "\\A&B", REG_SZ, game_.Path() + "\\A&B"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    HWND main = StartWithInstallSource(c.value, c.type);
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(ControlOf(main, ids::标签1)), PathLabel(c.shown));
    // Cross and Cross111 hold a file each, found through the path as shown.
    EXPECT_TRUE(Enabled(main, ids::按钮1));
    EXPECT_TRUE(Enabled(main, ids::按钮2));
    Close(main);
  }
}

// Proves an "&" in the game path is drawn as itself in 标签1, not taken for a mnemonic mark:
// the label's pixels on screen are the text drawn without prefix processing.
TEST_F(Discovery, AmpersandInThePathIsDrawn) {
  constexpr UINT kLabelFormat = DT_NOCLIP | DT_WORDBREAK | DT_VCENTER;  // 0x114, as labels are drawn
  game_.AddFolder("A&B");
  const std::string path = game_.Path() + "\\A&B";
  HWND main = StartWithInstallSource(path);
  ASSERT_TRUE(main);
  HWND label = ControlOf(main, ids::标签1);
  const Pixels asItself = DrawnText(label, PathLabel(path), kLabelFormat | DT_NOPREFIX);
  ASSERT_NE(asItself, DrawnText(label, PathLabel(path), kLabelFormat)) << "the two look alike";
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixelsOf(label) == asItself; }))
      << "标签1 does not show the path with its ampersand";
  Close(main);
}

// One start of the program over one state of Cross and Cross111.
struct ButtonRow {
  const char* what;
  std::vector<std::string> folders;  // below the game folder
  std::vector<std::string> files;
  bool optimizeEnabled;  // 按钮1
  bool restoreEnabled;   // 按钮2
  bool crossIsFolderAfter;
};

const ButtonRow kButtonRows[] = {
    {"both hold files", {}, {"Cross\\a.dll", "Cross111\\a.dll"}, true, true, true},
    {"Cross111 missing", {}, {"Cross\\a.dll"}, true, false, true},
    {"Cross111 a file", {}, {"Cross\\a.dll", "Cross111"}, true, false, true},
    {"Cross111 empty", {"Cross111"}, {"Cross\\a.dll"}, true, false, true},
    {"Cross111 holds a folder", {"Cross111\\sub"}, {"Cross\\a.dll"}, true, true, true},
    {"Cross empty", {"Cross"}, {"Cross111\\a.dll"}, false, true, true},
    {"Cross missing: made again", {}, {"Cross111\\a.dll"}, false, true, true},
    {"Cross a file: stays a file", {}, {"Cross", "Cross111\\a.dll"}, false, true, false},
    {"both missing", {}, {}, false, false, true},
};

// Proves each row of the two tables of the buttons' first state, and that a missing Cross is
// made again, empty.
TEST_F(Discovery, ButtonsFollowCrossAndCross111) {
  for (const ButtonRow& row : kButtonRows) {
    SCOPED_TRACE(row.what);
    game_.Remove("Cross");
    game_.Remove("Cross111");
    for (const std::string& folder : row.folders) game_.AddFolder(folder);
    for (const std::string& file : row.files) game_.AddFile(file);

    HWND main = StartWithInstallSource(game_.Path());
    ASSERT_TRUE(main);
    EXPECT_EQ(Enabled(main, ids::按钮1), row.optimizeEnabled);
    EXPECT_EQ(Enabled(main, ids::按钮2), row.restoreEnabled);
    const DWORD cross = GetFileAttributesA((game_.Path() + "\\Cross").c_str());
    EXPECT_EQ(cross != INVALID_FILE_ATTRIBUTES && (cross & FILE_ATTRIBUTE_DIRECTORY) != 0,
              row.crossIsFolderAfter);
    Close(main);
  }
}

// Proves a registry folder that is gone is made again, Cross and all, without a word.
TEST_F(Discovery, RegistryFolderThatIsGoneIsMadeAgain) {
  const std::string gone = game_.Path() + "\\gone\\英雄联盟";
  HWND main = StartWithInstallSource(gone);
  ASSERT_TRUE(main);
  EXPECT_FALSE(FindNotice(apps_.back().Id()));
  EXPECT_FALSE(Enabled(main, ids::按钮1));
  EXPECT_FALSE(Enabled(main, ids::按钮2));
  EXPECT_TRUE(GetFileAttributesA((gone + "\\Cross").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  Close(main);
}

// Proves every registry state that yields no folder opens the dialog, titled, owned by the
// still hidden main window; cancelling it gives the notice and exit code 0.
TEST_F(Discovery, NoFolderInTheRegistryOpensTheDialogAndCancelEndsTheProgram) {
  const struct { const char* what; std::string value; DWORD type; bool keyExists; } kCases[] = {
      {"no key", "", REG_SZ, false},
      {"empty value", "", REG_SZ, true},
      {"REG_DWORD", "\x01", REG_DWORD, true},
      {"REG_MULTI_SZ", game_.Path(), REG_MULTI_SZ, true},
      {"REG_BINARY", game_.Path(), REG_BINARY, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    entry_.reset();
    if (c.keyExists) entry_.emplace(c.value, c.type);
    apps_.push_back(StartKestrova());
    HWND dialog = WaitForFolderDialog(apps_.back().Id());
    ASSERT_TRUE(dialog) << "no folder dialog";
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kFolderDialogTitleId)), texts::kPickerTitle);
    HWND owner = GetWindow(dialog, GW_OWNER);
    EXPECT_EQ(TextOf(owner), texts::kWindowCaption);
    EXPECT_FALSE(IsWindowVisible(owner)) << "the main window shows only after the discovery";
    AnswerNotice(dialog, IDCANCEL);
    ExpectWrongFolderNoticeAndExit();
  }
}

// Proves a chosen folder is accepted when it holds 英雄联盟卸载.exe, as a file or a folder, and
// then shown and tested like a registry folder.
TEST_F(Discovery, ChosenFolderWithTheUninstallerIsAccepted) {
  for (const bool uninstallerIsFolder : {false, true}) {
    SCOPED_TRACE(uninstallerIsFolder ? "uninstaller a folder" : "uninstaller a file");
    game_.Remove("英雄联盟卸载.exe");
    uninstallerIsFolder ? game_.AddFolder("英雄联盟卸载.exe") : game_.AddFile("英雄联盟卸载.exe");
    game_.Remove("Cross111");
    HWND dialog = StartWithoutInstallSource();
    ASSERT_TRUE(dialog) << "no folder dialog";
    Choose(dialog, game_.Path());

    HWND main = WaitForMainWindow(apps_.back());
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(ControlOf(main, ids::标签1)), PathLabel(game_.Path()));
    EXPECT_TRUE(Enabled(main, ids::按钮1));
    EXPECT_FALSE(Enabled(main, ids::按钮2));
    Close(main);
  }
}

// Proves a chosen folder without 英雄联盟卸载.exe gives the notice and exit code 0, touching
// nothing in it.
TEST_F(Discovery, ChosenFolderWithoutTheUninstallerEndsTheProgram) {
  game_.Remove("英雄联盟卸载.exe");
  game_.Remove("Cross");
  const std::vector<std::string> before = game_.Listing();
  HWND dialog = StartWithoutInstallSource();
  ASSERT_TRUE(dialog) << "no folder dialog";
  Choose(dialog, game_.Path());
  ExpectWrongFolderNoticeAndExit();
  EXPECT_EQ(game_.Listing(), before);
}

}  // namespace
}  // namespace e2e
