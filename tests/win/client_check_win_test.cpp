// The game client check against real processes (run under Wine): copies of sleeper.exe under
// client names and near misses.

#include "switch/client_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness.h"

namespace {

TEST(ClientCheckOnWine, FindsEachClientNameInAnyCaseAndNothingElse) {
  std::unique_ptr<platform::ProcessTable> processes = platform::NewWin32ProcessTable();
  ClientCheck check(*processes);
  ASSERT_FALSE(check.IsGameClientRunning()) << "a game client already runs in this prefix";

  const struct { const char* exeName; bool isClient; } kCases[] = {
      {"LeagueClient.exe", true},
      {"LEAGUECLIENT.EXE", true},
      {"leagueclient.exe", true},
      {"LeagueClientUx.exe", true},
      {"Client.exe", true},
      {"League of Legends.exe", true},
      {"MyLeagueClient.exe", false},
      {"LeagueClient.exe.bak", false},
  };
  for (const auto& c : kCases) {
    e2e::NamedSleeper sleeper(c.exeName);
    ASSERT_TRUE(sleeper.process().Started()) << c.exeName;
    // Seen under its own name first, so a false answer below can only mean "not a client".
    ASSERT_TRUE(e2e::WaitUntil([&] { return check.IsProcessRunning(c.exeName); })) << c.exeName;
    EXPECT_EQ(check.IsGameClientRunning(), c.isClient) << c.exeName;
  }
  EXPECT_FALSE(check.IsGameClientRunning());
}

}  // namespace
