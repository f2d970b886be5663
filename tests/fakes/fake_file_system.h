#pragma once
// An in-memory file system that answers as Windows does for the cases the program relies on and
// records every call, so tests check both the answers and what was (not) done.
//
// A path is a key of exact bytes; a trailing backslash is ignored on lookup ("C:\g\" is "C:\g").
// AddFolder/AddFile create every missing folder above the path. A link (AddFolderLink,
// AddFileLink) carries FILE_ATTRIBUTE_REPARSE_POINT; a path that goes through a link reaches its
// target, as on Windows, while removing the link itself leaves the target alone.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

class FakeFileSystem : public platform::FileSystem {
 public:
  static constexpr unsigned long kReadOnly = 0x01;
  static constexpr unsigned long kHidden = 0x02;
  static constexpr unsigned long kDirectory = 0x10;
  static constexpr unsigned long kArchive = 0x20;
  static constexpr unsigned long kReparsePoint = 0x400;

  // Every call in order: "PathFileExists p", "PathIsDirectory p", "PathIsDirectoryEmpty p",
  // "MakeSureDirectoryPathExists p", "MoveFileTo a -> b", "FindFiles pattern",
  // "DeleteOneFile p", "RemoveOneDirectory p".
  std::vector<std::string> calls;

  // Failures a test can switch on.
  bool failMove = false;          // MoveFileTo answers false, nothing moves
  bool dbghelpMissing = false;    // MakeSureDirectoryPathExists answers 0, nothing is made
  std::set<std::string> failRemove;  // DeleteOneFile/RemoveOneDirectory on these paths fail
                                     // (a file held open, a folder in use)
  std::set<std::string> failFind;    // FindFiles on these patterns fails (FindFirstFileA)

  // Fixtures.
  void AddFolder(const std::string& path, unsigned long attributes = kDirectory);
  void AddFile(const std::string& path, unsigned long attributes = kArchive);
  void AddFolderLink(const std::string& path, const std::string& target);
  void AddFileLink(const std::string& path, const std::string& target);

  bool Exists(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  // Every path at or below `root` (all paths when empty), sorted; folders end in "\".
  std::vector<std::string> ListTree(const std::string& root = "") const;
  // The calls whose text starts with `prefix`, e.g. "DeleteOneFile".
  std::vector<std::string> CallsOf(const std::string& prefix) const;

  // platform::FileSystem
  int PathFileExists(const std::string& path) override;
  unsigned PathIsDirectory(const std::string& path) override;
  int PathIsDirectoryEmpty(const std::string& path) override;
  int MakeSureDirectoryPathExists(const std::string& path) override;
  bool MoveFileTo(const std::string& from, const std::string& to) override;
  bool FindFiles(const std::string& pattern, std::vector<platform::FoundEntry>* entries) override;
  bool DeleteOneFile(const std::string& path) override;
  bool RemoveOneDirectory(const std::string& path) override;

 private:
  struct Node {
    unsigned long attributes;
    std::string linkTarget;  // empty unless a link
    bool IsFolder() const { return (attributes & kDirectory) != 0; }
  };

  const Node* Find(const std::string& key) const;
  std::string Resolve(const std::string& path) const;
  std::vector<std::string> ChildrenOf(const std::string& key) const;
  void AddParents(const std::string& key);

  std::map<std::string, Node> nodes_;
};
