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

// An ANSI path names at most MAX_PATH - 1 characters, and a code page 936 character takes at most
// two bytes: a longer text fails every call on Windows, so it is answered here as a failure. Wine
// would not fail it: it cuts the length of an ANSI path to 16 bits, so a text of 65,544 bytes
// names its first 8 ("C:\users"), and the folder calls would work on that.
bool Fits(const std::string& path) { return path.size() < 2 * MAX_PATH; }

// cFileName is a fixed array; never read past it even if Windows left it unterminated.
std::string NameOf(const WIN32_FIND_DATAA& data) {
  return std::string(data.cFileName, strnlen(data.cFileName, sizeof(data.cFileName)));
}

class Win32FileSystem : public FileSystem {
 public:
  int PathFileExists(const std::string& path) override {
    return Fits(path) ? PathFileExistsA(path.c_str()) : 0;
  }

  unsigned PathIsDirectory(const std::string& path) override {
    return Fits(path) ? static_cast<unsigned>(PathIsDirectoryA(path.c_str())) : 0;
  }

  int PathIsDirectoryEmpty(const std::string& path) override {
    return Fits(path) ? PathIsDirectoryEmptyA(path.c_str()) : 0;
  }

  // dbghelp is loaded from the system folder only and never linked: a dbghelp.dll planted
  // beside the exe (which runs as administrator) must not be picked up.
  // Wine's dbghelp copies each prefix of the path into a MAX_PATH byte buffer without checking
  // its length, so a longer path (a registry value, say) overran its stack and ended the
  // program. No ANSI call creates such a path anyway.
  int MakeSureDirectoryPathExists(const std::string& path) override {
    if (path.size() >= MAX_PATH) return 0;
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
    return Fits(from) && Fits(to) && MoveFileA(from.c_str(), to.c_str()) != 0;
  }

  bool FindFiles(const std::string& pattern, std::vector<FoundEntry>* entries) override {
    if (!Fits(pattern)) return false;
    WIN32_FIND_DATAA data = {};
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      entries->push_back({NameOf(data), data.dwFileAttributes});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return true;
  }

  bool DeleteOneFile(const std::string& path) override {
    return Fits(path) && DeleteFileA(path.c_str()) != 0;
  }

  bool RemoveOneDirectory(const std::string& path) override {
    return Fits(path) && RemoveDirectoryA(path.c_str()) != 0;
  }
};

}  // namespace

std::unique_ptr<FileSystem> NewWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace platform
