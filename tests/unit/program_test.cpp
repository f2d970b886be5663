// Start-up order, the single-instance guard, and every way the program ends.

#include "app/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/global_texts.h"
#include "app/texts.h"
#include "tests/fakes/fake_platform.h"

namespace {

constexpr char kGame[] = "D:\\Games\\LOL";
constexpr char kUninstallKey[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟";

std::vector<std::string>* gLog = nullptr;
void LogCleanup() { gLog->push_back("Cleanup"); }

class ProgramTest : public ::testing::Test, public FakePlatform {
 protected:
  void SetUp() override {
    ReleaseGlobalTexts();
    gLog = &log;
    registry.keys[kUninstallKey]["InstallSource"] = {platform::kRegSz, kGame};
    files.AddFile(std::string(kGame) + "\\Cross\\a.dat");
    files.AddFile(std::string(kGame) + "\\Cross111\\b.dat");
  }
  void TearDown() override { ReleaseGlobalTexts(); }

  // Runs the program to its end: the exit code, whether it came from the loop or ExitProcess.
  int RunToEnd() {
    Program program(platform);
    program.AddExitCleanup(LogCleanup);
    try {
      return program.Run();
    } catch (const ProcessExit& exit) {
      return exit.code;
    }
  }

  size_t Position(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) - log.begin();
  }
  int CountOf(const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }

  Platform platform = AsPlatform();
};

TEST_F(ProgramTest, StartsUpInOrderAndEndsWithZeroWhenTheUserCloses) {
  gui.userActions = {gui.UserClose()};
  EXPECT_EQ(RunToEnd(), 0);

  const std::vector<std::string> expectedOrder = {
      "InitializeOle", "SetCurrentFolder C:\\Games\\Kestrova", "CreateMainWindow",
      "CreateControl 104",  // the last control exists before the created event
      "OpenNamedEvent relkyouhua", "SetControlText 101", "ShowWindow", "LoopStart",
      "PostQuit 0", "LoopEnd", "Cleanup", "UninitializeOle"};
  for (size_t i = 1; i < expectedOrder.size(); ++i)
    EXPECT_LT(Position(expectedOrder[i - 1]), Position(expectedOrder[i]))
        << expectedOrder[i - 1] << " before " << expectedOrder[i];
  EXPECT_EQ(CountOf("Cleanup"), 1);
  EXPECT_FALSE(GamePath.has_value()) << "released at the end";
}

TEST_F(ProgramTest, SecondCopyEndsWithZeroBeforeAnythingIsShownOrRead) {
  const struct {
    const char* name;
    bool eventOpens;
    platform::EventCreation creation;
  } kSecondCopies[] = {
      {"event opens", true, platform::EventCreation::Created},
      {"event created by another copy an instant earlier", false,
       platform::EventCreation::AlreadyExisted},
  };
  for (const auto& c : kSecondCopies) {
    SCOPED_TRACE(c.name);
    log.clear();
    process.eventOpens = c.eventOpens;
    process.creation = c.creation;
    EXPECT_EQ(RunToEnd(), 0);
    EXPECT_EQ(log.back(), "ExitProcess 0");
    EXPECT_EQ(CountOf("ShowWindow"), 0);
    EXPECT_EQ(CountOf("Cleanup"), 1);
    EXPECT_TRUE(registry.openedSubkeys.empty()) << "the registry is not read";
    EXPECT_EQ(shell.dialogsShown, 0);
    EXPECT_TRUE(boxes.shown.empty());
  }
}

TEST_F(ProgramTest, CopyRunsOnWhenTheEventCannotBeCreated) {
  // A name held by an object of another kind: no marker, but this copy still runs.
  process.creation = platform::EventCreation::Failed;
  gui.userActions = {gui.UserClose()};
  EXPECT_EQ(RunToEnd(), 0);
  EXPECT_EQ(CountOf("ShowWindow"), 1);
  EXPECT_EQ(CountOf("ExitProcess 0"), 0);
}

TEST_F(ProgramTest, WrongFolderShowsTheWindowThenClosesItOnceTheLoopBegins) {
  registry.keys.clear();  // nothing in the registry, and the picker is cancelled
  EXPECT_EQ(RunToEnd(), 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{texts::kWrongFolder});
  // Destruction was only requested inside the created event: the window is still shown.
  EXPECT_LT(Position("PostPrivateClose"), Position("ShowWindow"));
  EXPECT_LT(Position("LoopStart"), Position("DestroyWindow"));
  EXPECT_EQ(CountOf("Cleanup"), 1);
  EXPECT_LT(Position("LoopEnd"), Position("Cleanup"));
}

TEST_F(ProgramTest, FatalErrorEndsWithMinusOneWithoutTheCleanup) {
  const struct {
    const char* name;
    bool windowFails;
    int failingControlId;
  } kFailures[] = {{"main window", true, 0}, {"a button", false, 102}};
  for (const auto& c : kFailures) {
    SCOPED_TRACE(c.name);
    log.clear();
    boxes.shown.clear();
    gui.windowFails = c.windowFails;
    gui.failingControlId = c.failingControlId;
    EXPECT_EQ(RunToEnd(), -1);
    ASSERT_EQ(boxes.shown.size(), 1u) << "the fatal error is told";
    EXPECT_EQ(CountOf("Cleanup"), 0);
    EXPECT_EQ(log.back(), "ExitProcess -1");
    EXPECT_EQ(CountOf("OpenNamedEvent relkyouhua"), 0) << "no created event";
  }
}

TEST_F(ProgramTest, ClickHandlerThatEndsTheProgramKeepsTheWindowUntilItReturns) {
  // Restore fails on a missing Cross: the notice, then the window goes after the handler.
  Program program(platform);
  program.AddExitCleanup(LogCleanup);
  boxes.whileShown = [&] { log.push_back("Notice"); };
  gui.userActions = {[&] {
    program.window().OnClicked(103);
    log.push_back("HandlerReturned");
  }};
  // Cross is deleted by hand while the program runs.
  gui.userActions.insert(gui.userActions.begin(), [&] {
    files.DeleteOneFile(std::string(kGame) + "\\Cross\\a.dat");
    files.RemoveOneDirectory(std::string(kGame) + "\\Cross");
  });
  EXPECT_EQ(program.Run(), 0);
  EXPECT_LT(Position("Notice"), Position("PostPrivateClose"));
  EXPECT_LT(Position("HandlerReturned"), Position("DestroyWindow"));
  EXPECT_EQ(CountOf("Cleanup"), 1);
}

}  // namespace
