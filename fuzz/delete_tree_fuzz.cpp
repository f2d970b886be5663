// DeleteDirectoryTree over the fake file system: the empty text and every spelling of a drive's
// root (or of the current folder) is refused with nothing touched; anything else removes only
// what lies inside the folder it names, never what a link inside that folder points to, and
// answers true only when that folder is gone.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/gbk_text.h"
#include "switch/folder_ops.h"
#include "tests/fakes/fake_file_system.h"

namespace {

const char kLink[] = "C:\\game\\Cross\\link";
const char kLinkTarget[] = "C:\\keep";

void MakeDisk(FakeFileSystem& disk) {
  disk.AddFile("C:\\game\\Cross\\a.dll");
  disk.AddFile("C:\\game\\Cross\\sub\\b.dll");
  disk.AddFile("C:\\game\\Cross111\\old.dll");
  disk.AddFile("C:\\keep\\c.dll");
  disk.AddFolderLink(kLink, kLinkTarget);
  disk.AddFile("D:\\d.dll");
}

// After the leading spaces: nothing, or an optional drive ("X:") followed only by separators and
// dots ("C:", "C:\", "C:\\", "C:/", "C:\.", "\", "."): a drive's root or the current folder.
bool NamesARoot(const std::string& rest) {
  const size_t start = rest.size() >= 2 && rest[1] == ':' ? 2 : 0;
  return rest.find_first_not_of("\\/.", start) == std::string::npos;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string WithoutTrailingBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The folder a path names on the fake disk: the link itself, and any path through it, name its
// target. (Only a link met inside the folder is removed as a link.)
std::string FolderNamed(const std::string& path) {
  if (path == kLink || StartsWith(path, std::string(kLink) + "\\"))
    return kLinkTarget + path.substr(std::string(kLink).size());
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  FakeFileSystem disk;
  MakeDisk(disk);
  const std::vector<std::string> before = disk.ListTree();
  FolderOps ops(disk);

  const bool removed = ops.DeleteDirectoryTree(path);

  const size_t start = path.find_first_not_of(' ');
  const std::string rest = start == std::string::npos ? "" : path.substr(start);
  if (NamesARoot(rest)) {
    fuzz::Check(!removed && disk.calls.empty());
    return 0;
  }
  const std::string named = WithoutTrailingBackslashes(rest);
  const std::string folder = FolderNamed(named);
  for (const std::string& entry : before) {
    const std::string kept = WithoutTrailingBackslashes(entry);
    if (kept == named || kept == folder || StartsWith(kept, folder + "\\")) continue;
    fuzz::Check(disk.Exists(kept));
  }
  if (removed) fuzz::Check(!disk.Exists(rest));
  return 0;
}
