#include "switch/folder_ops.h"
// Placeholder: the real operations replace this file.
bool FolderOps::FileExists(const std::string&) { return false; }
bool FolderOps::IsDirectory(const std::string&) { return false; }
bool FolderOps::IsDirectoryEmpty(const std::string&) { return false; }
bool FolderOps::MakeDirectoryPath(const std::string&) { return false; }
bool FolderOps::RenamePath(const std::string&, const std::string&) { return false; }
bool FolderOps::DeleteDirectoryTree(const std::string&) { return false; }
bool FolderOps::RemoveEmptyDirectory(const std::string&) { return false; }
void FolderOps::EmptyFolder(const std::string&) {}
