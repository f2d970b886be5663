// Paths longer than any ANSI call takes, on the real Windows calls under Wine. Wine cuts an ANSI
// path's length to 16 bits, so a path 65,536 bytes longer than a real folder names that folder;
// and its dbghelp copies the path to create into a MAX_PATH buffer unchecked. The file system
// answers such paths as failures, as Windows does, before Wine sees them.

#include "switch/folder_ops.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness.h"

namespace {

using Listing = std::vector<std::string>;

// Proves none of the folder operations reaches the folder that the path's first bytes name.
TEST(LongPathsOnDisk, AreFailuresAndNeverTheFolderTheirFirstBytesName) {
  e2e::GameFolder game;
  game.AddFile("Cross\\a.dll");
  const Listing before = {"Cross\\", "Cross\\a.dll"};
  ASSERT_EQ(game.Listing(), before);
  const std::string cross = game.Path() + "\\Cross";
  const std::string wrapsToCross = cross + "\\" + std::string(65535, 'q');  // 65,536 bytes more
  const auto fs = platform::NewWin32FileSystem();
  FolderOps ops(*fs);

  EXPECT_FALSE(ops.FileExists(wrapsToCross));
  EXPECT_FALSE(ops.IsDirectory(wrapsToCross));
  EXPECT_FALSE(ops.IsDirectoryEmpty(wrapsToCross));
  EXPECT_FALSE(ops.RenamePath(wrapsToCross, game.Path() + "\\moved"));
  EXPECT_FALSE(ops.DeleteDirectoryTree(wrapsToCross));
  EXPECT_FALSE(ops.RemoveEmptyDirectory(wrapsToCross));
  EXPECT_EQ(game.Listing(), before);
}

// Proves a path too long to create answers false instead of overrunning dbghelp's buffer.
TEST(LongPathsOnDisk, MakeDirectoryPathAnswersFalseAndMakesNothing) {
  e2e::GameFolder game;
  const auto fs = platform::NewWin32FileSystem();
  FolderOps ops(*fs);
  for (const size_t length : {300u, 70000u}) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(ops.MakeDirectoryPath(game.Path() + "\\" + std::string(length, 'm') + "\\Cross"));
    EXPECT_TRUE(game.Listing().empty());
  }
}

}  // namespace
