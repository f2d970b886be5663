// The registry and environment calls of the install-folder lookup.

#include <windows.h>

// <windows.h> renames ExpandEnvironmentStrings to its A variant, which would make the method
// below call itself.
#undef ExpandEnvironmentStrings

#include <cstring>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace platform {

namespace {

class Win32Registry : public Registry {
 public:
  long OpenKey(RegistryRoot /*root*/, const std::string& subkey, KeyHandle* key) override {
    // No registry-view flag: the path itself names the WOW6432Node branch.
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_READ, &opened);
    *key = opened;
    return result;
  }

  long QueryValue(KeyHandle key, const std::string& name, unsigned long* type,
                  unsigned char* data, unsigned long* size) override {
    return RegQueryValueExA(static_cast<HKEY>(key), name.c_str(), nullptr, type, data, size);
  }

  void CloseKey(KeyHandle key) override { RegCloseKey(static_cast<HKEY>(key)); }

  unsigned long ExpandEnvironmentStrings(const char* source, char* destination,
                                         unsigned long size) override {
    if (destination) return ::ExpandEnvironmentStringsA(source, destination, size);
    return ExpandedSizeInBytes(source);
  }

 private:
  // ExpandEnvironmentStringsA counts characters, not bytes (Wine does, even for a text it has
  // written whole): a double-byte path such as %SystemDrive%\英雄联盟 would not fit a buffer of
  // that size. So the size is measured on an expansion with room for two bytes per character.
  static unsigned long ExpandedSizeInBytes(const char* source) {
    const DWORD characters = ::ExpandEnvironmentStringsA(source, nullptr, 0);
    if (characters == 0) return 0;
    std::vector<char> expanded(2 * characters, '\0');
    if (::ExpandEnvironmentStringsA(source, expanded.data(), expanded.size()) == 0) return 0;
    return std::strlen(expanded.data()) + 1;
  }
};

}  // namespace

std::unique_ptr<Registry> NewWin32Registry() { return std::make_unique<Win32Registry>(); }

}  // namespace platform
