#include "gamefolder/registry_text.h"

#include <algorithm>
#include <vector>

namespace {

// RegQueryValueExA's data, or false when the value is missing, not a text or empty, or the key
// could not be read. `data` holds exactly the bytes the second call delivered.
bool QueryTextValue(platform::Registry& registry, platform::KeyHandle key,
                    const std::string& name, unsigned long* type,
                    std::vector<unsigned char>* data) {
  unsigned long size = 0;
  if (registry.QueryValue(key, name, type, nullptr, &size) != 0) return false;
  if (*type != platform::kRegSz && *type != platform::kRegExpandSz) return false;
  if (size == 0) return false;
  data->assign(size, 0);
  if (registry.QueryValue(key, name, nullptr, data->data(), &size) != 0) return false;
  data->resize(std::min<unsigned long>(size, data->size()));
  return true;
}

// The stored text up to its first NUL; all of it when there is none.
std::string TextUpToNul(const std::vector<unsigned char>& data) {
  const auto end = std::find(data.begin(), data.end(), 0);
  return std::string(data.begin(), end);
}

std::string ExpandEnvironmentText(platform::Registry& registry, const std::string& stored) {
  const unsigned long size = registry.ExpandEnvironmentStrings(stored.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::vector<char> expanded(size, '\0');
  registry.ExpandEnvironmentStrings(stored.c_str(), expanded.data(), size);
  return std::string(expanded.begin(), std::find(expanded.begin(), expanded.end(), '\0'));
}

}  // namespace

void SplitRegistryPath(const std::string& path, std::string* subkey, std::string* valueName) {
  size_t separator = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (static_cast<unsigned char>(path[i]) >= 0x80) {
      ++i;  // the second byte of a double-byte character may be 0x5C; it is not a separator
    } else if (path[i] == '\\') {
      separator = i;
    }
  }
  if (separator == std::string::npos) {
    subkey->clear();
    *valueName = path;
    return;
  }
  *subkey = path.substr(0, separator);
  *valueName = path.substr(separator + 1);
}

std::string ReadRegistryText(platform::Registry& registry, platform::RegistryRoot root,
                             const std::string& path) {
  std::string subkey;
  std::string valueName;
  SplitRegistryPath(path, &subkey, &valueName);

  platform::KeyHandle key = nullptr;
  if (registry.OpenKey(root, subkey, &key) != 0) return {};
  unsigned long type = 0;
  std::vector<unsigned char> data;
  const bool read = QueryTextValue(registry, key, valueName, &type, &data);
  registry.CloseKey(key);
  if (!read) return {};

  const std::string stored = TextUpToNul(data);
  return type == platform::kRegExpandSz ? ExpandEnvironmentText(registry, stored) : stored;
}
