#pragma once
// An in-memory registry under HKEY_LOCAL_MACHINE that answers RegOpenKeyExA, RegQueryValueExA
// and ExpandEnvironmentStringsA as Windows does for the cases the program relies on, and counts
// the keys it hands out and gets back.

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

struct FakeRegistryValue {
  unsigned long type;
  std::string bytes;  // the stored data, exactly; a NUL is there only when put there
};

class FakeRegistry : public platform::Registry {
 public:
  static constexpr long kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
  static constexpr long kAccessDenied = 5;  // ERROR_ACCESS_DENIED
  static constexpr long kMoreData = 234;    // ERROR_MORE_DATA

  /// subkey → value name → value. A subkey that is listed exists, even with no values.
  std::map<std::string, std::map<std::string, FakeRegistryValue>> keys;
  /// The stored text → its expansion; a text not listed expands to itself.
  std::map<std::string, std::string> expansions;
  bool expansionFails = false;   // ExpandEnvironmentStringsA answers 0
  int failingQueryCall = 0;      // this RegQueryValueExA call (1 = the first) answers an error

  std::vector<std::string> openedSubkeys;
  int openKeys = 0;  // handed out and not yet closed

  long OpenKey(platform::RegistryRoot, const std::string& subkey,
               platform::KeyHandle* key) override {
    openedSubkeys.push_back(subkey);
    const auto found = keys.find(subkey);
    if (found == keys.end()) return kFileNotFound;
    *key = &found->second;
    ++openKeys;
    return 0;
  }

  long QueryValue(platform::KeyHandle key, const std::string& name, unsigned long* type,
                  unsigned char* data, unsigned long* size) override {
    if (++queryCalls_ == failingQueryCall) return kAccessDenied;
    const auto& values = *static_cast<std::map<std::string, FakeRegistryValue>*>(key);
    const auto found = values.find(name);
    if (found == values.end()) return kFileNotFound;
    const FakeRegistryValue& value = found->second;
    if (type) *type = value.type;
    if (data && *size < value.bytes.size()) return kMoreData;
    if (data) std::memcpy(data, value.bytes.data(), value.bytes.size());
    *size = static_cast<unsigned long>(value.bytes.size());
    return 0;
  }

  void CloseKey(platform::KeyHandle) override { --openKeys; }

  unsigned long ExpandEnvironmentStrings(const char* source, char* destination,
                                         unsigned long size) override {
    if (expansionFails) return 0;
    const auto found = expansions.find(source);
    const std::string expanded = found == expansions.end() ? source : found->second;
    const unsigned long needed = static_cast<unsigned long>(expanded.size() + 1);
    if (destination && size >= needed) std::memcpy(destination, expanded.c_str(), needed);
    return needed;
  }

 private:
  int queryCalls_ = 0;
};
