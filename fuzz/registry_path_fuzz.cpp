// SplitRegistryPath: the path is cut at its last backslash that is a character of its own, never
// at the second byte of a double-byte character, and the two parts give the path back.

#include <cstdint>
#include <string>

#include "fuzz/gbk_text.h"
#include "gamefolder/registry_text.h"

namespace {

bool HasBackslashCharacter(const std::string& text) {
  for (const fuzz::Character& c : fuzz::CharactersOf(text)) {
    if (c.width == 1 && text[c.at] == '\\') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  std::string subkey = "stale", name = "stale";
  SplitRegistryPath(path, &subkey, &name);

  if (!HasBackslashCharacter(path)) {
    fuzz::Check(subkey.empty() && name == path);
    return 0;
  }
  fuzz::Check(subkey + "\\" + name == path);
  fuzz::Check(fuzz::IsBoundary(path, subkey.size()));  // the cut is a character, not a trail byte
  fuzz::Check(!HasBackslashCharacter(name));           // and the last one
  return 0;
}
