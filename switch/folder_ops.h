#pragma once
// Folder operations on full paths (code page 936 texts). Each answers a plain boolean and shows
// nothing; what a false answer means is the caller's business.

#include <string>

#include "platform/files.h"

class FolderOps {
 public:
  explicit FolderOps(platform::FileSystem& fs) : fs_(fs) {}

  /// A file or a folder of that path exists.
  bool FileExists(const std::string& path);
  /// The path names an existing folder.
  bool IsDirectory(const std::string& path);
  /// The path names an existing folder without entries.
  bool IsDirectoryEmpty(const std::string& path);
  /// Creates every missing folder along the path, the last component included. True when they
  /// all exist afterwards.
  bool MakeDirectoryPath(const std::string& path);
  /// Renames a file or folder; fails, changing nothing, when `to` exists.
  bool RenamePath(const std::string& from, const std::string& to);
  /// Removes the folder with everything in it, as far as it can. True exactly when the folder
  /// itself was removed. Refuses (false, nothing touched) the empty path and drive roots, however
  /// they are spelt ("C:\\", "C:/", "\"). Never descends through a link: a link is removed as a
  /// link.
  bool DeleteDirectoryTree(const std::string& path);
  /// Removes one empty folder (RemoveDirectoryA); a folder with entries is left alone.
  bool RemoveEmptyDirectory(const std::string& path);

 private:
  void EmptyFolder(const std::string& folder);

  platform::FileSystem& fs_;
};
