// Folder operations over the recording fake: the result tests, the trailing-backslash rule, and
// what DeleteDirectoryTree touches (refusals, order, failures left behind, links).

#include "switch/folder_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"

namespace {

using Calls = std::vector<std::string>;

TEST(IsDirectory, OnlyTheDirectoryAttributeItselfCounts) {
  struct RawAnswer : FakeFileSystem {
    unsigned answer = 0;
    unsigned PathIsDirectory(const std::string&) override { return answer; }
  };
  const struct { unsigned raw; bool isDirectory; } kCases[] = {
      {16, true}, {0, false}, {1, false}, {0x11, false}, {0x30, false}};
  for (const auto& c : kCases) {
    RawAnswer fs;
    fs.answer = c.raw;
    EXPECT_EQ(FolderOps(fs).IsDirectory("C:\\g"), c.isDirectory) << c.raw;
  }
}

TEST(MakeDirectoryPath, HandsOverAPathEndingInOneBackslash) {
  const struct { const char* given; const char* handedOver; } kCases[] = {
      {"C:\\g\\Cross", "C:\\g\\Cross\\"},
      {"C:\\g\\Cross\\", "C:\\g\\Cross\\"},
      {"", "\\"},
      // "誠" ends in byte 0x5C: only the last byte is looked at, so nothing is added.
      {"C:\\g\\\xD5\x5C", "C:\\g\\\xD5\x5C"},
  };
  for (const auto& c : kCases) {
    FakeFileSystem fs;
    FolderOps(fs).MakeDirectoryPath(c.given);
    EXPECT_EQ(fs.calls, Calls{std::string("MakeSureDirectoryPathExists ") + c.handedOver})
        << c.given;
  }
}

TEST(MakeDirectoryPath, CreatesTheLastLevelAndAnswersFalseWithoutDbghelp) {
  FakeFileSystem fs;
  fs.AddFolder("C:");
  EXPECT_TRUE(FolderOps(fs).MakeDirectoryPath("C:\\g\\Cross"));
  EXPECT_TRUE(fs.IsFolder("C:\\g\\Cross"));

  FakeFileSystem noDbghelp;
  noDbghelp.dbghelpMissing = true;
  EXPECT_FALSE(FolderOps(noDbghelp).MakeDirectoryPath("C:\\g\\Cross"));
  EXPECT_FALSE(noDbghelp.Exists("C:\\g"));
}

TEST(DeleteDirectoryTree, RefusesEmptyTextAndDriveRootsTouchingNothing) {
  // Also every other spelling of a root: Windows reads "C:\\\\" and "C:/" as "C:\\", "\\" as
  // the current drive's root and "." as the current folder.
  const char* const kRefused[] = {"", "   ", "C:", "C:\\", "  C:", "   C:\\", "Z:\\", "?:",
                                  " C:\\\\", "C:/", "C:\\.", "\\", "/", ".", "..\\"};
  for (const char* path : kRefused) {
    FakeFileSystem fs;
    fs.AddFile("C:\\g\\Cross\\a.txt");
    EXPECT_FALSE(FolderOps(fs).DeleteDirectoryTree(path)) << '"' << path << '"';
    EXPECT_TRUE(fs.calls.empty()) << '"' << path << '"';
  }
}

TEST(DeleteDirectoryTree, WorksOnAnythingBeyondTheRootAfterLeadingSpaces) {
  const struct { const char* given; const char* workedOn; } kCases[] = {
      {"C:\\x", "C:\\x"}, {"  C:\\x", "C:\\x"}, {" C:\\.x", "C:\\.x"}, {"x", "x"}};
  for (const auto& c : kCases) {
    FakeFileSystem fs;
    FolderOps(fs).DeleteDirectoryTree(c.given);
    const Calls expected = {std::string("FindFiles ") + c.workedOn + "\\*.*",
                            std::string("RemoveOneDirectory ") + c.workedOn};
    EXPECT_EQ(fs.calls, expected) << c.given;
  }
}

TEST(DeleteDirectoryTree, ListsEachFolderThenGoesDepthFirst) {
  FakeFileSystem fs;
  fs.AddFile("C:\\g\\Cross\\a\\1.txt");
  fs.AddFolder("C:\\g\\Cross\\a\\b");
  fs.AddFile("C:\\g\\Cross\\z.txt");
  FolderOps ops(fs);

  EXPECT_TRUE(ops.DeleteDirectoryTree("C:\\g\\Cross"));

  const Calls expected = {
      "FindFiles C:\\g\\Cross\\*.*",
      "FindFiles C:\\g\\Cross\\a\\*.*",
      "DeleteOneFile C:\\g\\Cross\\a\\1.txt",
      "FindFiles C:\\g\\Cross\\a\\b\\*.*",
      "RemoveOneDirectory C:\\g\\Cross\\a\\b",
      "RemoveOneDirectory C:\\g\\Cross\\a",
      "DeleteOneFile C:\\g\\Cross\\z.txt",
      "RemoveOneDirectory C:\\g\\Cross",
  };
  EXPECT_EQ(fs.calls, expected);
  EXPECT_EQ(fs.ListTree(), Calls({"C:\\", "C:\\g\\"}));
}

// A file another process holds open: everything else goes, the chain above it stays.
TEST(DeleteDirectoryTree, GoesOnPastWhatCannotBeRemovedAndAnswersFalse) {
  FakeFileSystem fs;
  fs.AddFile("C:\\g\\Cross\\a\\held.dll");
  fs.AddFile("C:\\g\\Cross\\a\\free.txt");
  fs.AddFile("C:\\g\\Cross\\b\\c.txt");
  fs.AddFile("C:\\g\\Cross\\d.txt");
  fs.failRemove = {"C:\\g\\Cross\\a\\held.dll"};

  EXPECT_FALSE(FolderOps(fs).DeleteDirectoryTree("C:\\g\\Cross"));

  EXPECT_EQ(fs.ListTree("C:\\g\\Cross"),
            Calls({"C:\\g\\Cross\\", "C:\\g\\Cross\\a\\", "C:\\g\\Cross\\a\\held.dll"}));
  EXPECT_EQ(fs.CallsOf("RemoveOneDirectory").back(), "RemoveOneDirectory C:\\g\\Cross");
}

TEST(DeleteDirectoryTree, OnAMissingPathOrAFileAnswersFalseAndRemovesNothing) {
  for (const char* path : {"C:\\g\\missing", "C:\\g\\file.txt"}) {
    FakeFileSystem fs;
    fs.AddFile("C:\\g\\file.txt");
    const Calls before = fs.ListTree();
    EXPECT_FALSE(FolderOps(fs).DeleteDirectoryTree(path)) << path;
    EXPECT_EQ(fs.ListTree(), before) << path;
  }
}

// The link stands for a junction inside Cross pointing anywhere on the machine.
TEST(DeleteDirectoryTree, RemovesLinksAsLinksWithoutListingTheirTargets) {
  FakeFileSystem fs;
  fs.AddFile("D:\\data\\keep.txt");
  fs.AddFile("D:\\data\\sub\\keep2.txt");
  fs.AddFile("D:\\one.txt");
  fs.AddFolderLink("C:\\g\\Cross\\junction", "D:\\data");
  fs.AddFileLink("C:\\g\\Cross\\sub\\file-link", "D:\\one.txt");
  const Calls outside = fs.ListTree("D:");

  EXPECT_TRUE(FolderOps(fs).DeleteDirectoryTree("C:\\g\\Cross"));

  EXPECT_EQ(fs.ListTree("D:"), outside);
  EXPECT_FALSE(fs.Exists("C:\\g\\Cross"));
  const Calls expected = {
      "FindFiles C:\\g\\Cross\\*.*",
      "RemoveOneDirectory C:\\g\\Cross\\junction",
      "FindFiles C:\\g\\Cross\\sub\\*.*",
      "DeleteOneFile C:\\g\\Cross\\sub\\file-link",
      "RemoveOneDirectory C:\\g\\Cross\\sub",
      "RemoveOneDirectory C:\\g\\Cross",
  };
  EXPECT_EQ(fs.calls, expected);
}

TEST(RemoveEmptyDirectory, RemovesOnlyTheOneFolderWhenEmpty) {
  FakeFileSystem fs;
  fs.AddFolder("C:\\g\\Cross\\empty");
  fs.AddFile("C:\\g\\Cross\\full\\a.txt");
  FolderOps ops(fs);

  EXPECT_TRUE(ops.RemoveEmptyDirectory("C:\\g\\Cross\\empty"));
  EXPECT_FALSE(ops.RemoveEmptyDirectory("C:\\g\\Cross\\full"));

  EXPECT_EQ(fs.calls, Calls({"RemoveOneDirectory C:\\g\\Cross\\empty",
                             "RemoveOneDirectory C:\\g\\Cross\\full"}));
  EXPECT_TRUE(fs.Exists("C:\\g\\Cross\\full\\a.txt"));
}

}  // namespace
