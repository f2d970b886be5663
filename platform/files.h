#pragma once
// The file-system calls of the folder operations. One method per Windows call (ANSI variants);
// each answers what the call answered, nothing more.

#include <string>
#include <vector>

namespace platform {

struct FoundEntry {
  std::string name;          // cFileName
  unsigned long attributes;  // dwFileAttributes
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// PathFileExistsA: 1 when a file or folder of that path exists, else 0.
  virtual int PathFileExists(const std::string& path) = 0;
  /// PathIsDirectoryA: its raw result (16 for a folder, 0 otherwise).
  virtual unsigned PathIsDirectory(const std::string& path) = 0;
  /// PathIsDirectoryEmptyA: 1 for an existing folder without entries, else 0.
  virtual int PathIsDirectoryEmpty(const std::string& path) = 0;
  /// MakeSureDirectoryPathExists from the system folder's dbghelp; 0 when it can't be loaded.
  virtual int MakeSureDirectoryPathExists(const std::string& path) = 0;
  /// MoveFileA: true on success.
  virtual bool MoveFileTo(const std::string& from, const std::string& to) = 0;
  /// FindFirstFileA on the pattern, FindNextFileA until it fails, FindClose. Every entry is
  /// appended (including "." and ".."); false when FindFirstFileA failed.
  virtual bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) = 0;
  /// DeleteFileA: true on success.
  virtual bool DeleteOneFile(const std::string& path) = 0;
  /// RemoveDirectoryA: true on success.
  virtual bool RemoveOneDirectory(const std::string& path) = 0;
};

}  // namespace platform
