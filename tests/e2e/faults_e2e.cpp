// Real faults under Wine on the real Kestrova.exe: a read-only file, a file open without delete
// sharing, a handle held on a folder, each where it hits 优化 or 还原. Each case checks the
// notices, the buttons, whether the program ends, and every file left, byte for byte.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/e2e/fault_steps.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kAsked = texts::kOverwriteBackup;
using texts::kOptimizeFailed;
using texts::kRestoreFailed;
constexpr DWORD kNoDeleteSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Cross and a backup, each with a file at the top and one a level down.
const Lines kCross = {"Cross\\", "Cross\\a.dll=new-a", "Cross\\sub\\", "Cross\\sub\\b.dll=new-b"};
const Lines kBackup = {"Cross111\\", "Cross111\\a.dll=old-a", "Cross111\\deep\\",
                       "Cross111\\deep\\c.dll=old-c"};

struct WineFault {
  const char* what;
  int button;
  Lines before;          // as ContentsOf gives it
  const char* held;      // opened by the driver (another program) without delete sharing
  const char* readOnly;  // a file made read-only
  Lines notices;         // the question is answered Yes, the rest OK
  bool ends;             // the program ends with exit code 0; else the window stays open
  const char* buttons;   // while the window stays open
  Lines after;
};

Lines Then(Lines first, const Lines& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

const WineFault kWineFaults[] = {
    {"优化, Yes: a read-only file in the old backup stays, so the rename fails",
     ids::按钮1, Then(kBackup, kCross), nullptr, "Cross111\\deep\\c.dll",
     {kAsked, kOptimizeFailed}, false, "优化 on, 还原 on",
     Then({"Cross111\\", "Cross111\\deep\\", "Cross111\\deep\\c.dll=old-c"}, kCross)},
    {"优化, Yes: a file of the old backup open without delete sharing stays", ids::按钮1,
     Then(kBackup, kCross), "Cross111\\a.dll", nullptr, {kAsked, kOptimizeFailed}, false,
     "优化 on, 还原 on", Then({"Cross111\\", "Cross111\\a.dll=old-a"}, kCross)},
    {"优化: an empty Cross111 held open can't be removed, so the rename fails", ids::按钮1,
     Then({"Cross111\\"}, kCross), "Cross111", nullptr, {kOptimizeFailed}, false,
     "优化 on, 还原 off", Then({"Cross111\\"}, kCross)},
    {"还原: a file in Cross open without delete sharing stays; the backup is untouched",
     ids::按钮2, Then(kBackup, kCross), "Cross\\sub\\b.dll", nullptr, {kRestoreFailed}, true, "",
     Then(kBackup, {"Cross\\", "Cross\\sub\\", "Cross\\sub\\b.dll=new-b"})},
    {"还原: Cross111 held open: Cross goes, the rename fails, the backup is untouched",
     ids::按钮2, Then(kBackup, kCross), "Cross111", nullptr, {kRestoreFailed}, true, "", kBackup},
    {"还原: a folder in Cross held open stays with the folders above it", ids::按钮2,
     Then(kBackup, kCross), "Cross\\sub", nullptr, {kRestoreFailed}, true, "",
     Then(kBackup, {"Cross\\", "Cross\\sub\\"})},
};

// A game folder holding `entries` ("x\\" a folder, "x=content" a file) and the uninstaller.
void Fill(const GameFolder& game, const Lines& entries) {
  for (const std::string& entry : entries) {
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) game.AddFolder(entry.substr(0, entry.size() - 1));
    else game.AddFile(entry.substr(0, equals), entry.substr(equals + 1));
  }
}

// Everything below the game folder but the uninstaller.
Lines Left(const GameFolder& game) {
  Lines left = ContentsOf(game.Path());
  left.erase(std::remove(left.begin(), left.end(), "英雄联盟卸载.exe=x"), left.end());
  return left;
}

TEST(WineFaults, EachEndsWithItsNoticeAndLeavesTheBackupOrWhatYesAllowed) {
  for (const WineFault& c : kWineFaults) {
    SCOPED_TRACE(c.what);
    GameFolder game;
    game.AddFile("英雄联盟卸载.exe");
    Fill(game, c.before);
    ASSERT_EQ(Left(game), c.before);
    if (c.readOnly)
      SetFileAttributesA((game.Path() + "\\" + c.readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    std::optional<HeldOpen> held;
    if (c.held) {
      held.emplace(game.Path() + "\\" + c.held, kNoDeleteSharing);
      ASSERT_TRUE(held->Held()) << c.held;
    }
    InstallSourceEntry entry(game.Path());
    Process app = StartKestrova();
    HWND window = WaitForMainWindow(app);
    ASSERT_TRUE(window);

    ASSERT_TRUE(ClickButton(window, c.button));
    for (const std::string& notice : c.notices)
      EXPECT_EQ(AnswerNextNotice(app.Id(), notice == kAsked ? IDYES : IDOK), notice);

    if (c.ends) {
      EXPECT_EQ(app.WaitForExit(), 0u);
    } else {
      EXPECT_TRUE(StaysTrue([&] { return !FindNotice(app.Id()); }, Millis{300}));
      EXPECT_TRUE(IsWindowVisible(window));
      EXPECT_EQ(ButtonStates(window), c.buttons);
    }
    held.reset();
    EXPECT_EQ(Left(game), c.after);
  }
}

}  // namespace
}  // namespace e2e
