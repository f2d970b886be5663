#include "switch/client_check.h"

#include "app/texts.h"

// A byte of 0x80 or more leads a double-byte character; its trail byte may fall in "A".."Z"
// and must stay as it is.
std::string LowerCaseAscii(const std::string& text) {
  std::string lower = text;
  for (std::string::size_type i = 0; i < lower.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(lower[i]);
    if (byte >= 'A' && byte <= 'Z') {
      lower[i] = static_cast<char>(byte + 0x20);
    } else if (byte >= 0x80) {
      ++i;
    }
  }
  return lower;
}

bool ClientCheck::IsProcessRunning(const std::string& name) {
  const std::string wanted = LowerCaseAscii(name);
  bool found = false;
  processes_.WalkProcesses([&](const std::string& exeFile) {
    found = LowerCaseAscii(exeFile) == wanted;
    return found;
  });
  return found;
}

bool ClientCheck::IsGameClientRunning() {
  for (const char* name : texts::kGameClientNames) {
    if (IsProcessRunning(name)) return true;
  }
  return false;
}
