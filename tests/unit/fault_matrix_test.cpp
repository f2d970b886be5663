// Every Windows call whose failure the program handles, made to fail at the one step where it
// matters, over the whole program (start-up, the created event, a click, the end): the notices,
// the buttons, whether the program ends, and the files left. docs/faults.md has one line per row.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/global_texts.h"
#include "app/program.h"
#include "app/texts.h"
#include "tests/fakes/fake_platform.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kGame = "D:\\英雄联盟";
const std::string kInGame = kGame + "\\";
constexpr char kUninstallKey[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟";
constexpr char kUninstaller[] = "英雄联盟卸载.exe";
constexpr int kOptimizeId = 102, kRestoreId = 103;
constexpr int kIdYes = 6;

struct Fakes : FakePlatform {
  // Removes an entry of the game folder, files first and then its folders, deepest first, as
  // a person in Explorer would while the program runs.
  void RemoveByHand(const std::string& relative) {
    for (const std::string& path : files.ListTree(kInGame + relative)) {
      if (path.back() != '\\') files.DeleteOneFile(path);
    }
    Lines folders = files.ListTree(kInGame + relative);
    std::reverse(folders.begin(), folders.end());  // deepest first
    for (const std::string& folder : folders) files.RemoveOneDirectory(folder);
  }
};

enum class Click { None, Optimize, Restore };

struct FaultCase {
  const char* call;  // the failing call and the step it fails at
  Lines before;      // below the game folder, besides the uninstaller; folders end in "\"
  void (*atStart)(Fakes&);
  void (*beforeClick)(Fakes&);  // what happens while the window is open, or null
  Click click;
  bool pickerShown;
  Lines notices;        // "<style> <text>", in the order shown
  const char* buttons;  // after everything
  bool ends;            // the program ended with exit code 0 (else it waits for the user)
  Lines after;
};

Lines Then(Lines first, const Lines& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

const Lines kCross = {"Cross\\", "Cross\\a.dll", "Cross\\sub\\", "Cross\\sub\\b.dll"};
const Lines kBackup = {"Cross111\\", "Cross111\\deep\\", "Cross111\\deep\\c.dll",
                       "Cross111\\old.dll"};
const Lines kBoth = Then(kBackup, kCross);
const Lines kMovedAside = {"Cross111\\", "Cross111\\a.dll", "Cross111\\sub\\",
                           "Cross111\\sub\\b.dll", "Cross\\"};
const Lines kRestored = {"Cross\\", "Cross\\deep\\", "Cross\\deep\\c.dll", "Cross\\old.dll"};

// A notice as the matrix records it: "<style> <text>".
std::string Notice(unsigned style, const char* text) { return std::to_string(style) + " " + text; }

const std::string kWrongFolder = Notice(ui::kStyleExclamation, texts::kWrongFolder);
const std::string kAsked = Notice(ui::kStyleQuestion, texts::kOverwriteBackup);
const std::string kOptimizeFailed = Notice(ui::kStyleStop, texts::kOptimizeFailed);
const std::string kOptimizeDone = Notice(ui::kStyleInformation, texts::kOptimizeDone);
const std::string kRestoreFailed = Notice(ui::kStyleStop, texts::kRestoreFailed);
const std::string kRestoreDone = Notice(ui::kStyleInformation, texts::kRestoreDone);

// The registry gives nothing usable; the picker then hands back the game folder.
void PickTheGame(Fakes& f) {
  f.shell.chosenList = &f.shell;
  f.shell.chosenPath = kGame;
}
void AnswerYes(Fakes& f) { f.boxes.answers = {kIdYes}; }
void ClientRunsButSnapshotFails(Fakes& f) {
  f.processes.exeFiles = {"LeagueClient.exe"};
  f.processes.snapshotFails = true;
}

const FaultCase kFaults[] = {
    // ---- At start: discovery ----
    {"RegOpenKeyExA: the key can't be opened", kBoth,
     [](Fakes& f) { f.registry.keys.clear(); PickTheGame(f); }, nullptr, Click::None, true, {},
     "优化 on, 还原 on", false, kBoth},
    {"RegQueryValueExA: type and size can't be read", kBoth,
     [](Fakes& f) { f.registry.failingQueryCall = 1; PickTheGame(f); }, nullptr, Click::None,
     true, {}, "优化 on, 还原 on", false, kBoth},
    {"RegQueryValueExA: the data can't be read", kBoth,
     [](Fakes& f) { f.registry.failingQueryCall = 2; PickTheGame(f); }, nullptr, Click::None,
     true, {}, "优化 on, 还原 on", false, kBoth},
    {"ExpandEnvironmentStringsA fails on a REG_EXPAND_SZ", kBoth,
     [](Fakes& f) {
       f.registry.keys[kUninstallKey]["InstallSource"] = {platform::kRegExpandSz, kGame};
       f.registry.expansionFails = true;
       PickTheGame(f);
     },
     nullptr, Click::None, true, {}, "优化 on, 还原 on", false, kBoth},
    {"SHBrowseForFolderA: the picker is cancelled", kBoth,
     [](Fakes& f) { f.registry.keys.clear(); }, nullptr, Click::None, true, {kWrongFolder},
     "优化 on, 还原 on", true, kBoth},
    {"SHGetPathFromIDListA: the picked item has no file-system path", kBoth,
     [](Fakes& f) {
       f.registry.keys.clear();
       f.shell.chosenList = &f.shell;
     },
     nullptr, Click::None, true, {kWrongFolder}, "优化 on, 还原 on", true, kBoth},
    {"MessageBoxA answers 0 to the wrong-folder notice", kBoth,
     [](Fakes& f) {
       f.registry.keys.clear();
       f.boxes.answers = {0};
     },
     nullptr, Click::None, true, {kWrongFolder}, "优化 on, 还原 on", true, kBoth},
    {"MakeSureDirectoryPathExists: a missing Cross can't be made at start", kBackup,
     [](Fakes& f) { f.files.dbghelpMissing = true; }, nullptr, Click::None, false, {},
     "优化 off, 还原 on", false, kBackup},

    // ---- 优化 ----
    {"CreateToolhelp32Snapshot fails at 优化: no client counts as running", kCross,
     ClientRunsButSnapshotFails, nullptr, Click::Optimize, false, {kOptimizeDone},
     "优化 off, 还原 on", false, kMovedAside},
    {"MakeSureDirectoryPathExists: Cross, deleted by hand, can't be made again", kCross,
     nullptr,
     [](Fakes& f) {
       f.RemoveByHand("Cross");
       f.files.dbghelpMissing = true;
     },
     Click::Optimize, false, {kOptimizeFailed}, "优化 on, 还原 off", false, {}},
    {"MakeSureDirectoryPathExists: the same with a backup: optimize fails before asking, the "
     "backup stays",
     kBoth, AnswerYes,
     [](Fakes& f) {
       f.RemoveByHand("Cross");
       f.files.dbghelpMissing = true;
     },
     Click::Optimize, false, {kOptimizeFailed}, "优化 on, 还原 on", false, kBackup},
    {"MoveFileA: Cross can't be renamed", kCross, [](Fakes& f) { f.files.failMove = true; },
     nullptr, Click::Optimize, false, {kOptimizeFailed}, "优化 on, 还原 off", false, kCross},
    {"MakeSureDirectoryPathExists: the new empty Cross can't be made", kCross,
     [](Fakes& f) { f.files.dbghelpMissing = true; }, nullptr, Click::Optimize, false,
     {kOptimizeDone}, "优化 off, 还原 on", false,
     {"Cross111\\", "Cross111\\a.dll", "Cross111\\sub\\", "Cross111\\sub\\b.dll"}},
    {"RemoveDirectoryA: an empty Cross111 can't be removed", Then({"Cross111\\"}, kCross),
     [](Fakes& f) { f.files.failRemove = {kInGame + "Cross111"}; }, nullptr, Click::Optimize,
     false, {kOptimizeFailed}, "优化 on, 还原 off", false, Then({"Cross111\\"}, kCross)},
    {"MessageBoxA answers 0 to the question: the backup stays", kBoth,
     [](Fakes& f) { f.boxes.answers = {0}; }, nullptr, Click::Optimize, false, {kAsked},
     "优化 on, 还原 on", false, kBoth},
    {"FindFirstFileA fails on Cross111 after Yes: nothing of the backup goes", kBoth,
     [](Fakes& f) {
       AnswerYes(f);
       f.files.failFind = {kInGame + "Cross111\\*.*"};
     },
     nullptr, Click::Optimize, false, {kAsked, kOptimizeFailed}, "优化 on, 还原 on", false,
     kBoth},
    {"FindFirstFileA fails on a folder inside Cross111 after Yes", kBoth,
     [](Fakes& f) {
       AnswerYes(f);
       f.files.failFind = {kInGame + "Cross111\\deep\\*.*"};
     },
     nullptr, Click::Optimize, false, {kAsked, kOptimizeFailed}, "优化 on, 还原 on", false,
     Then({"Cross111\\", "Cross111\\deep\\", "Cross111\\deep\\c.dll"}, kCross)},
    {"DeleteFileA fails on a file of Cross111 after Yes", kBoth,
     [](Fakes& f) {
       AnswerYes(f);
       f.files.failRemove = {kInGame + "Cross111\\old.dll"};
     },
     nullptr, Click::Optimize, false, {kAsked, kOptimizeFailed}, "优化 on, 还原 on", false,
     Then({"Cross111\\", "Cross111\\old.dll"}, kCross)},
    {"RemoveDirectoryA fails on a folder inside Cross111 after Yes", kBoth,
     [](Fakes& f) {
       AnswerYes(f);
       f.files.failRemove = {kInGame + "Cross111\\deep"};
     },
     nullptr, Click::Optimize, false, {kAsked, kOptimizeFailed}, "优化 on, 还原 on", false,
     Then({"Cross111\\", "Cross111\\deep\\"}, kCross)},

    // ---- 还原 ----
    {"CreateToolhelp32Snapshot fails at 还原: no client counts as running", kBoth,
     ClientRunsButSnapshotFails, nullptr, Click::Restore, false, {kRestoreDone},
     "优化 on, 还原 off", false, kRestored},
    {"FindFirstFileA fails on Cross: nothing goes", kBoth,
     [](Fakes& f) { f.files.failFind = {kInGame + "Cross\\*.*"}; }, nullptr, Click::Restore,
     false, {kRestoreFailed}, "优化 on, 还原 on", true, kBoth},
    {"FindFirstFileA fails on a folder inside Cross", kBoth,
     [](Fakes& f) { f.files.failFind = {kInGame + "Cross\\sub\\*.*"}; }, nullptr, Click::Restore,
     false, {kRestoreFailed}, "优化 on, 还原 on", true,
     Then(kBackup, {"Cross\\", "Cross\\sub\\", "Cross\\sub\\b.dll"})},
    {"DeleteFileA fails on a file of Cross", kBoth,
     [](Fakes& f) { f.files.failRemove = {kInGame + "Cross\\a.dll"}; }, nullptr, Click::Restore,
     false, {kRestoreFailed}, "优化 on, 还原 on", true,
     Then(kBackup, {"Cross\\", "Cross\\a.dll"})},
    {"RemoveDirectoryA fails on the emptied Cross", kBoth,
     [](Fakes& f) { f.files.failRemove = {kInGame + "Cross"}; }, nullptr, Click::Restore, false,
     {kRestoreFailed}, "优化 on, 还原 on", true, Then(kBackup, {"Cross\\"})},
    {"MoveFileA fails after Cross was deleted", kBoth, [](Fakes& f) { f.files.failMove = true; },
     nullptr, Click::Restore, false, {kRestoreFailed}, "优化 on, 还原 on", true, kBackup},
    {"MessageBoxA answers 0 to the failure notice: the program still ends", kBoth,
     [](Fakes& f) {
       f.files.failMove = true;
       f.boxes.answers = {0};
     },
     nullptr, Click::Restore, false, {kRestoreFailed}, "优化 on, 还原 on", true, kBackup},
};

class FaultMatrix : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseGlobalTexts(); }

  static void Prepare(Fakes& f, const FaultCase& c) {
    f.registry.keys[kUninstallKey]["InstallSource"] = {platform::kRegSz, kGame};
    f.files.AddFolder(kGame);
    f.files.AddFile(kInGame + kUninstaller);
    for (const std::string& entry : c.before) {
      if (entry.back() == '\\') f.files.AddFolder(kInGame + entry);
      else f.files.AddFile(kInGame + entry);
    }
    f.boxes.whileShown = [&f] {
      const ShownBox& box = f.boxes.shown.back();
      f.log.push_back("notice " + std::to_string(box.style & ~0x2000u) + " " + box.text);
    };
    if (c.atStart) c.atStart(f);
  }

  // The click as a person makes it: on a button that is enabled at that moment.
  static std::function<void()> ClickAction(Fakes& f, const FaultCase& c) {
    const int id = c.click == Click::Optimize ? kOptimizeId : kRestoreId;
    const auto click = f.gui.Click(id);
    return [&f, &c, id, click] {
      if (c.beforeClick) c.beforeClick(f);
      EXPECT_TRUE(IsEnabled(f, id)) << "the clicked button is disabled";
      click();
    };
  }

  static int Run(Fakes& f, const FaultCase& c) {
    if (c.click != Click::None) f.gui.userActions = {ClickAction(f, c)};
    Program program(f.AsPlatform());
    try {
      return program.Run();
    } catch (const ProcessExit& exit) {
      return exit.code;
    }
  }

  static bool IsEnabled(const Fakes& f, int id) {
    const std::string suffix = " " + std::to_string(id);
    for (auto line = f.log.rbegin(); line != f.log.rend(); ++line) {
      if (*line == "EnableControl" + suffix) return true;
      if (*line == "DisableControl" + suffix) return false;
    }
    return true;  // created enabled
  }

  static std::string Buttons(const Fakes& f) {
    return std::string("优化 ") + (IsEnabled(f, kOptimizeId) ? "on" : "off") + ", 还原 " +
           (IsEnabled(f, kRestoreId) ? "on" : "off");
  }

  static Lines Notices(const Fakes& f) {
    Lines notices;
    for (const std::string& line : f.log) {
      if (line.rfind("notice ", 0) == 0) notices.push_back(line.substr(7));
    }
    return notices;
  }

  static Lines Listing(const Fakes& f) {
    Lines listing;
    for (const std::string& path : f.files.ListTree(kGame)) {
      const std::string relative = path.substr(std::min(path.size(), kInGame.size()));
      if (path != kInGame && relative != kUninstaller) listing.push_back(relative);
    }
    std::sort(listing.begin(), listing.end());
    return listing;
  }
};

TEST_F(FaultMatrix, EachFailingCallEndsWithItsNoticeAndLosesNothingBeyondIt) {
  for (const FaultCase& c : kFaults) {
    SCOPED_TRACE(c.call);
    ReleaseGlobalTexts();
    Fakes f;
    Prepare(f, c);

    const int exitCode = Run(f, c);

    EXPECT_EQ(f.shell.dialogsShown, c.pickerShown ? 1 : 0);
    EXPECT_EQ(Notices(f), c.notices);
    EXPECT_EQ(Buttons(f), c.buttons);
    EXPECT_EQ(exitCode == 0 && f.gui.destroyed, c.ends) << "exit code " << exitCode;
    EXPECT_EQ(Listing(f), c.after);
  }
}

}  // namespace
