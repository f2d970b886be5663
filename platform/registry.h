#pragma once
// Reading one registry value, and the expansion of a REG_EXPAND_SZ text.

#include <string>

#include "platform/types.h"

namespace platform {

enum class RegistryRoot { LocalMachine };

constexpr unsigned long kRegSz = 1;
constexpr unsigned long kRegExpandSz = 2;

class Registry {
 public:
  virtual ~Registry() = default;
  /// RegOpenKeyExA(root, subkey, 0, KEY_READ, key): 0 on success, else the error code.
  virtual long OpenKey(RegistryRoot root, const std::string& subkey, KeyHandle* key) = 0;
  /// RegQueryValueExA(key, name, null, type, data, size). `type` and `data` may be null;
  /// `size` is in/out. 0 on success, else the error code.
  virtual long QueryValue(KeyHandle key, const std::string& name, unsigned long* type,
                          unsigned char* data, unsigned long* size) = 0;
  /// RegCloseKey.
  virtual void CloseKey(KeyHandle key) = 0;
  /// ExpandEnvironmentStringsA(source, destination, size): the size the expanded text needs,
  /// its NUL included; 0 on failure. `destination` may be null when `size` is 0.
  virtual unsigned long ExpandEnvironmentStrings(const char* source, char* destination,
                                                 unsigned long size) = 0;
};

}  // namespace platform
