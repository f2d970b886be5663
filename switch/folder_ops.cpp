#include "switch/folder_ops.h"

#include <vector>

namespace {

constexpr unsigned long kDirectoryBit = 0x10;     // FILE_ATTRIBUTE_DIRECTORY
constexpr unsigned long kReparsePointBit = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT
constexpr unsigned kPathIsDirectoryAnswer = 16;

// A drive's root however it is spelt ("C:", "C:\", "C:\\", "C:/", "C:\."), and the same without
// a drive ("\" is the current drive's root, "." the current folder): nothing but separators and
// dots after an optional drive. The first byte is not looked at, so any drive letter counts.
bool NamesARoot(const std::string& path) {
  const std::string::size_type start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  return path.find_first_not_of("\\/.", start) == std::string::npos;
}

}  // namespace

bool FolderOps::FileExists(const std::string& path) { return fs_.PathFileExists(path) == 1; }

// Only the directory attribute itself counts; any other non-zero answer is not a folder.
bool FolderOps::IsDirectory(const std::string& path) {
  return fs_.PathIsDirectory(path) == kPathIsDirectoryAnswer;
}

bool FolderOps::IsDirectoryEmpty(const std::string& path) {
  return fs_.PathIsDirectoryEmpty(path) != 0;
}

// MakeSureDirectoryPathExists treats what follows the last backslash as a file name, so a
// trailing backslash makes it create the last folder too. Only the last byte is looked at.
bool FolderOps::MakeDirectoryPath(const std::string& path) {
  const bool endsInBackslash = !path.empty() && path.back() == '\\';
  return fs_.MakeSureDirectoryPathExists(endsInBackslash ? path : path + "\\") != 0;
}

bool FolderOps::RenamePath(const std::string& from, const std::string& to) {
  return fs_.MoveFileTo(from, to);
}

// The program runs as administrator, so the refusals guard against emptying a whole drive.
bool FolderOps::DeleteDirectoryTree(const std::string& path) {
  const std::string::size_type start = path.find_first_not_of(' ');
  const std::string folder = start == std::string::npos ? "" : path.substr(start);
  if (NamesARoot(folder)) return false;
  EmptyFolder(folder);
  return fs_.RemoveOneDirectory(folder);
}

bool FolderOps::RemoveEmptyDirectory(const std::string& path) {
  return fs_.RemoveOneDirectory(path);
}

// Lists the whole folder before deleting anything, then works depth first. Inner results are
// not looked at: what can't be removed stays, and so do the folders above it. A link (junction
// or symbolic link) is removed as a link and never listed: emptying through it would reach data
// anywhere on the machine.
void FolderOps::EmptyFolder(const std::string& folder) {
  std::vector<platform::FoundEntry> entries;
  fs_.FindFiles(folder + "\\*.*", &entries);  // a failed search leaves nothing to work on
  for (const platform::FoundEntry& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = folder + "\\" + entry.name;
    const bool isFolder = (entry.attributes & kDirectoryBit) != 0;
    if (isFolder && (entry.attributes & kReparsePointBit) == 0) EmptyFolder(path);
    if (isFolder) {
      fs_.RemoveOneDirectory(path);
    } else {
      fs_.DeleteOneFile(path);
    }
  }
}
