// The folder operations' Windows calls, ANSI variants, each answering what the call answered.
#include <windows.h>
#include <shlwapi.h>

#include <cstring>

// shlwapi.h maps these names to their A/W variants; here they are the interface's own methods,
// and a renamed method would call itself instead of the shell function.
#undef PathFileExists
#undef PathIsDirectory
#undef PathIsDirectoryEmpty

#include "platform/win32/win32_platform.h"

namespace platform {
namespace {

using MakeSureDirectoryPathExistsFn = BOOL(WINAPI*)(PCSTR);

// cFileName is a fixed array; never read past it even if Windows left it unterminated.
std::string NameOf(const WIN32_FIND_DATAA& data) {
  return std::string(data.cFileName, strnlen(data.cFileName, sizeof(data.cFileName)));
}

class Win32FileSystem : public FileSystem {
 public:
  int PathFileExists(const std::string& path) override { return PathFileExistsA(path.c_str()); }

  unsigned PathIsDirectory(const std::string& path) override {
    return static_cast<unsigned>(PathIsDirectoryA(path.c_str()));
  }

  int PathIsDirectoryEmpty(const std::string& path) override {
    return PathIsDirectoryEmptyA(path.c_str());
  }

  // dbghelp is loaded from the system folder only and never linked: a dbghelp.dll planted
  // beside the exe (which runs as administrator) must not be picked up.
  int MakeSureDirectoryPathExists(const std::string& path) override {
    HMODULE dbghelp = LoadLibraryExA("dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (dbghelp == nullptr) return 0;
    FARPROC proc = GetProcAddress(dbghelp, "MakeSureDirectoryPathExists");
    int result = 0;
    if (proc != nullptr) {
      // Through void(*)() so the compiler accepts the change of function type.
      auto makeSure = reinterpret_cast<MakeSureDirectoryPathExistsFn>(
          reinterpret_cast<void (*)()>(proc));
      result = makeSure(path.c_str());
    }
    FreeLibrary(dbghelp);
    return result;
  }

  bool MoveFileTo(const std::string& from, const std::string& to) override {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
  }

  bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) override {
    WIN32_FIND_DATAA data = {};
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      entries->push_back({NameOf(data), data.dwFileAttributes});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return true;
  }

  bool DeleteOneFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  bool RemoveOneDirectory(const std::string& path) override {
    return RemoveDirectoryA(path.c_str()) != 0;
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace platform
