// Folder operations on real folders through the Windows calls (run under Wine), one table per
// operation. Each case builds its own game folder in a fresh temporary folder.

#include "switch/folder_ops.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness.h"

namespace {

using Listing = std::vector<std::string>;  // relative paths, sorted; folders end in "\"

struct Attribute {
  const char* path;
  DWORD attributes;
};

// A game folder holding `entries` (as e2e::GameFolder::Listing gives them), with attributes set.
class Fixture {
 public:
  explicit Fixture(const Listing& entries, const std::vector<Attribute>& attributes = {}) {
    for (const std::string& entry : entries) {
      if (entry.back() == '\\') {
        game_.AddFolder(entry.substr(0, entry.size() - 1));
      } else {
        game_.AddFile(entry);
      }
    }
    for (const Attribute& a : attributes) SetFileAttributesA(At(a.path).c_str(), a.attributes);
  }

  std::string At(const std::string& relative) const { return game_.Path() + "\\" + relative; }
  Listing Now() const { return game_.Listing(); }
  DWORD AttributesOf(const std::string& relative) const {
    return GetFileAttributesA(At(relative).c_str());
  }
  FolderOps& ops() { return ops_; }

 private:
  e2e::GameFolder game_;
  std::unique_ptr<platform::FileSystem> fs_ = platform::NewWin32FileSystem();
  FolderOps ops_{*fs_};
};

TEST(FolderPredicatesOnDisk, AnswerForFilesFoldersAndMissingPaths) {
  Fixture disk({"folder\\a.txt", "empty\\", "英雄联盟卸载.exe", "hidden-only\\.h",
                "folder-only\\sub\\"},
               {{"hidden-only\\.h", FILE_ATTRIBUTE_HIDDEN}});
  const struct { const char* path; bool exists, isDirectory, isEmpty; } kCases[] = {
      {"folder", true, true, false},
      {"folder\\", true, true, false},
      {"empty", true, true, true},
      {"英雄联盟卸载.exe", true, false, false},
      {"hidden-only", true, true, false},
      {"folder-only", true, true, false},
      {"missing", false, false, false},
  };
  for (const auto& c : kCases) {
    const std::string path = disk.At(c.path);
    EXPECT_EQ(disk.ops().FileExists(path), c.exists) << c.path;
    EXPECT_EQ(disk.ops().IsDirectory(path), c.isDirectory) << c.path;
    EXPECT_EQ(disk.ops().IsDirectoryEmpty(path), c.isEmpty) << c.path;
  }
}

TEST(MakeDirectoryPathOnDisk, CreatesEveryMissingLevelIncludingTheLast) {
  const Listing kBefore = {"existing\\", "existing\\keep.txt", "file.txt"};
  const Listing kMade = {"existing\\", "existing\\keep.txt", "file.txt", "new\\", "new\\deeper\\"};
  const struct { const char* path; bool answer; const Listing& after; } kCases[] = {
      {"new\\deeper", true, kMade},
      {"new\\deeper\\", true, kMade},
      {"existing", true, kBefore},
      {"file.txt\\x", false, kBefore},
  };
  for (const auto& c : kCases) {
    Fixture disk(kBefore);
    EXPECT_EQ(disk.ops().MakeDirectoryPath(disk.At(c.path)), c.answer) << c.path;
    EXPECT_EQ(disk.Now(), c.after) << c.path;
  }
}

TEST(RenamePathOnDisk, RenamesOnlyOntoAFreeName) {
  const struct {
    const char* what;
    Listing before;
    bool answer;
    Listing after;
  } kCases[] = {
      {"free name", {"Cross\\a.dll"}, true, {"Cross111\\", "Cross111\\a.dll"}},
      {"onto an empty folder", {"Cross\\a.dll", "Cross111\\"}, false,
       {"Cross111\\", "Cross\\", "Cross\\a.dll"}},
      {"onto a file", {"Cross\\", "Cross111"}, false, {"Cross111", "Cross\\"}},
      {"missing source", {"other\\"}, false, {"other\\"}},
  };
  for (const auto& c : kCases) {
    Fixture disk(c.before);
    EXPECT_EQ(disk.ops().RenamePath(disk.At("Cross"), disk.At("Cross111")), c.answer) << c.what;
    EXPECT_EQ(disk.Now(), c.after) << c.what;
  }
}

// Under Wine a file open inside the folder does not stop the rename (Windows refuses); a handle
// to the folder itself without FILE_SHARE_DELETE does, as another process's would.
TEST(RenamePathOnDisk, FailsWhileTheFolderIsHeldOpen) {
  Fixture disk({"Cross\\a.dll"});
  HANDLE folder = CreateFileA(disk.At("Cross").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(folder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(disk.ops().RenamePath(disk.At("Cross"), disk.At("Cross111")));
  EXPECT_EQ(disk.Now(), Listing({"Cross\\", "Cross\\a.dll"}));
  CloseHandle(folder);
  EXPECT_TRUE(disk.ops().RenamePath(disk.At("Cross"), disk.At("Cross111")));
}

TEST(DeleteDirectoryTreeOnDisk, RemovesWhatItCanAndAnswersWhetherTheFolderWent) {
  const struct {
    const char* what;
    Listing before;
    std::vector<Attribute> attributes;
    bool answer;
    Listing after;
  } kCases[] = {
      {"nested folders, files, dot names, hidden and GBK names",
       {"Cross\\a\\b\\c.txt", "Cross\\a\\d.txt", "Cross\\e\\", "Cross\\.git\\config",
        "Cross\\.hidden", "Cross\\英雄.dll", "Cross111\\x.dll"},
       {{"Cross\\.hidden", FILE_ATTRIBUTE_HIDDEN}, {"Cross\\e", FILE_ATTRIBUTE_HIDDEN}},
       true,
       {"Cross111\\", "Cross111\\x.dll"}},
      {"a read-only file stays with the folders above it",
       {"Cross\\a\\b\\ro.dll", "Cross\\a\\b\\free.dll", "Cross\\a\\x.dll", "Cross\\c\\y.dll",
        "Cross\\z.dll"},
       {{"Cross\\a\\b\\ro.dll", FILE_ATTRIBUTE_READONLY}},
       false,
       {"Cross\\", "Cross\\a\\", "Cross\\a\\b\\", "Cross\\a\\b\\ro.dll"}},
      {"a missing path", {"Cross111\\x.dll"}, {}, false, {"Cross111\\", "Cross111\\x.dll"}},
      {"a file", {"Cross", "Cross111\\x.dll"}, {}, false, {"Cross", "Cross111\\", "Cross111\\x.dll"}},
  };
  for (const auto& c : kCases) {
    Fixture disk(c.before, c.attributes);
    EXPECT_EQ(disk.ops().DeleteDirectoryTree(disk.At("Cross")), c.answer) << c.what;
    EXPECT_EQ(disk.Now(), c.after) << c.what;
  }
}

TEST(DeleteDirectoryTreeOnDisk, LeavesTheReadOnlyAttributeAsItWas) {
  Fixture disk({"Cross\\ro.dll"}, {{"Cross\\ro.dll", FILE_ATTRIBUTE_READONLY}});
  EXPECT_FALSE(disk.ops().DeleteDirectoryTree(disk.At("Cross")));
  EXPECT_EQ(disk.AttributesOf("Cross\\ro.dll") & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST(DeleteDirectoryTreeOnDisk, LeavesAFileHeldOpenWithTheFoldersAboveIt) {
  Fixture disk({"Cross\\a\\held.dll", "Cross\\a\\free.dll", "Cross\\b\\c.dll", "Cross\\d.dll"});
  HANDLE held = CreateFileA(disk.At("Cross\\a\\held.dll").c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(disk.ops().DeleteDirectoryTree(disk.At("Cross")));
  EXPECT_EQ(disk.Now(), Listing({"Cross\\", "Cross\\a\\", "Cross\\a\\held.dll"}));
  CloseHandle(held);
  EXPECT_TRUE(disk.ops().DeleteDirectoryTree(disk.At("Cross")));
}

TEST(DeleteDirectoryTreeOnDisk, WorksOnThePathAfterLeadingSpaces) {
  Fixture disk({"Cross\\a\\b.dll"});
  EXPECT_TRUE(disk.ops().DeleteDirectoryTree("   " + disk.At("Cross")));
  EXPECT_EQ(disk.Now(), Listing());
}

// A Unix symlink stands in for a junction inside Cross: Wine lists it with attributes 0x410. Wine
// can't remove such a link without touching its target (RemoveDirectoryA fails while the target
// holds files), so this proves that nothing is emptied through the link; that the link itself is
// removed is proved on the fake.
TEST(DeleteDirectoryTreeOnDisk, NeverEmptiesAFolderThroughALink) {
  const Listing kOutside = {"outside\\", "outside\\deeper\\", "outside\\deeper\\keep2.txt",
                            "outside\\keep.txt"};
  Fixture disk({"Cross\\sub\\a.dll", "Cross\\b.dll", "outside\\keep.txt",
                "outside\\deeper\\keep2.txt"});
  if (!e2e::StartUnixCommand("Z:\\bin\\ln -s ../../outside Cross/sub/link", disk.At(""))) {
    GTEST_SKIP() << "no Unix ln to make a folder link with (not under Wine)";
  }
  ASSERT_TRUE(e2e::WaitUntil([&] {
    return disk.AttributesOf("Cross\\sub\\link") ==
           (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
  }));

  disk.ops().DeleteDirectoryTree(disk.At("Cross"));

  Listing outside;
  for (const std::string& entry : disk.Now()) {
    if (entry.rfind("outside\\", 0) == 0) outside.push_back(entry);
  }
  EXPECT_EQ(outside, kOutside);
  EXPECT_EQ(disk.AttributesOf("Cross\\b.dll"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(disk.AttributesOf("Cross\\sub\\a.dll"), INVALID_FILE_ATTRIBUTES);

  e2e::StartUnixCommand("Z:\\bin\\rm -f Cross/sub/link", disk.At(""));
  EXPECT_TRUE(e2e::WaitUntil(
      [&] { return disk.AttributesOf("Cross\\sub\\link") == INVALID_FILE_ATTRIBUTES; }));
}

TEST(RemoveEmptyDirectoryOnDisk, RemovesOnlyAnEmptyFolder) {
  Fixture disk({"empty\\", "full\\a.txt"});
  EXPECT_TRUE(disk.ops().RemoveEmptyDirectory(disk.At("empty")));
  EXPECT_FALSE(disk.ops().RemoveEmptyDirectory(disk.At("full")));
  EXPECT_EQ(disk.Now(), Listing({"full\\", "full\\a.txt"}));
}

}  // namespace
