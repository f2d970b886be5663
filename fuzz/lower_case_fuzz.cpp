// LowerCaseAscii and the comparison of process names: only single-byte "A".."Z" change, by 0x20,
// the length stays, a double-byte character never changes; a name matches a process whose name
// differs only in the case of such letters, and nothing else.

#include <cstdint>
#include <string>

#include "fuzz/gbk_text.h"
#include "switch/client_check.h"
#include "tests/fakes/fake_process_table.h"

namespace {

bool IsUpper(char byte) { return byte >= 'A' && byte <= 'Z'; }
bool IsLetter(char byte) { return IsUpper(byte) || (byte >= 'a' && byte <= 'z'); }

bool Runs(const std::string& running, const std::string& name) {
  FakeProcessTable processes;
  processes.exeFiles = {running};
  ClientCheck check(processes);
  return check.IsProcessRunning(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flips = data[0];  // which letters the second name writes in the other case
  const std::string name(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string lower = LowerCaseAscii(name);

  fuzz::Check(lower.size() == name.size());
  std::string flipped = name;
  std::string trailFlipped = name;
  int letter = 0;
  for (const fuzz::Character& c : fuzz::CharactersOf(name)) {
    if (c.width == 2) {
      fuzz::Check(lower.compare(c.at, 2, name, c.at, 2) == 0);
      if (IsLetter(name[c.at + 1])) trailFlipped[c.at + 1] ^= 0x20;
      continue;
    }
    const char byte = name[c.at];
    fuzz::Check(lower[c.at] == (IsUpper(byte) ? byte + 0x20 : byte));
    if (IsLetter(byte) && ((flips >> (letter++ % 8)) & 1)) flipped[c.at] ^= 0x20;
  }
  fuzz::Check(LowerCaseAscii(lower) == lower);

  fuzz::Check(Runs(flipped, name));
  fuzz::Check(Runs(name, flipped));
  if (trailFlipped != name) fuzz::Check(!Runs(trailFlipped, name));
  fuzz::Check(!Runs(name + "x", name));
  if (!name.empty()) fuzz::Check(!Runs(name.substr(1), name));
  return 0;
}
