// The game client check over a scripted process list: the code-page-936-aware lower-casing,
// whole-name comparison, the order of the four names and the snapshots taken.

#include "switch/client_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_process_table.h"

namespace {

TEST(LowerCaseAscii, ChangesAsciiLettersOnlyAndNeverATrailByte) {
  const struct { const char* text; const char* lower; } kCases[] = {
      {"LeagueClient.EXE", "leagueclient.exe"},
      {"@AZ[`az{", "@az[`az{"},                     // the letters' neighbours stay
      {"\x81" "A", "\x81" "A"},                      // trail byte in "A".."Z" stays
      {"\x81" "AB", "\x81" "Ab"},                    // the byte after the pair is lowered
      {"\xA3\xC1\xA3\xDA", "\xA3\xC1\xA3\xDA"},      // full-width "ＡＺ" stays
      {"\xD3\xA2\xD0\xDB" "LOL", "\xD3\xA2\xD0\xDB" "lol"},  // "英雄LOL"
      {"AB\x81", "ab\x81"},                          // a lead byte right before the end
      {"", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(LowerCaseAscii(c.text), c.lower) << c.text;
}

TEST(IsProcessRunning, MatchesTheWholeNameIgnoringAsciiCase) {
  const struct { const char* exeFile; bool matches; } kCases[] = {
      {"LeagueClient.exe", true},
      {"LEAGUECLIENT.EXE", true},
      {"leagueclient.exe", true},
      {"MyLeagueClient.exe", false},
      {"LeagueClient.exe.bak", false},
      {"LeagueClient", false},
      {"LeagueClient.exe ", false},
      {"C:\\Riot\\LeagueClient.exe", false},
  };
  for (const auto& c : kCases) {
    FakeProcessTable processes;
    processes.exeFiles = {"explorer.exe", c.exeFile, "svchost.exe"};
    EXPECT_EQ(ClientCheck(processes).IsProcessRunning("LeagueClient.exe"), c.matches)
        << c.exeFile;
    EXPECT_EQ(processes.snapshots, 1) << c.exeFile;
  }
}

// Both sides keep the trail byte, so "\x81" "A" and "\x81" "a" are different characters.
TEST(IsProcessRunning, ComparesDoubleByteCharactersUnchanged) {
  FakeProcessTable processes;
  processes.exeFiles = {"\x81" "A.EXE"};
  ClientCheck check(processes);
  EXPECT_TRUE(check.IsProcessRunning("\x81" "A.exe"));
  EXPECT_FALSE(check.IsProcessRunning("\x81" "a.exe"));
}

TEST(IsProcessRunning, ASnapshotThatCannotBeTakenCountsAsNotRunning) {
  FakeProcessTable processes;
  processes.exeFiles = {"LeagueClient.exe"};
  processes.snapshotFails = true;
  EXPECT_FALSE(ClientCheck(processes).IsProcessRunning("LeagueClient.exe"));
}

// How many snapshots a hit takes shows the order the four names are asked in.
TEST(IsGameClientRunning, AsksTheFourNamesInOrderWithOneSnapshotEach) {
  const struct { std::vector<std::string> running; bool answer; int snapshots; } kCases[] = {
      {{"LeagueClient.exe"}, true, 1},
      {{"LeagueClientUx.exe"}, true, 2},
      {{"client.exe"}, true, 3},
      {{"League of Legends.exe"}, true, 4},
      {{"League of Legends.exe", "Client.exe", "LeagueClient.exe"}, true, 1},
      {{"explorer.exe", "LeagueClientUxRender.exe"}, false, 4},
      {{}, false, 4},
  };
  for (const auto& c : kCases) {
    FakeProcessTable processes;
    processes.exeFiles = c.running;
    EXPECT_EQ(ClientCheck(processes).IsGameClientRunning(), c.answer) << c.snapshots;
    EXPECT_EQ(processes.snapshots, c.snapshots) << c.snapshots;
  }
}

TEST(IsGameClientRunning, FailingSnapshotsMeanNoClientRuns) {
  FakeProcessTable processes;
  processes.exeFiles = {"LeagueClient.exe"};
  processes.snapshotFails = true;
  EXPECT_FALSE(ClientCheck(processes).IsGameClientRunning());
  EXPECT_EQ(processes.snapshots, 4);
}

}  // namespace
