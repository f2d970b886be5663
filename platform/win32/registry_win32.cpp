// The registry and environment calls of the install-folder lookup.

#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace platform {

namespace {

class Win32Registry : public Registry {
 public:
  long OpenKey(RegistryRoot, const std::string& subkey, KeyHandle* key) override {
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
    return ExpandEnvironmentStringsA(source, destination, size);
  }
};

}  // namespace

std::unique_ptr<Registry> NewWin32Registry() { return std::make_unique<Win32Registry>(); }

}  // namespace platform
