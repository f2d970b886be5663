#pragma once
// Is one of the game's client processes running?

#include <string>

#include "platform/processes.h"

/// Lower-cases ASCII letters only; a byte of 0x80 or more opens a code page 936 double-byte
/// character whose second byte is never changed. The result has the input's length.
std::string LowerCaseAscii(const std::string& text);

class ClientCheck {
 public:
  explicit ClientCheck(platform::ProcessTable& processes) : processes_(processes) {}

  /// A process whose executable file name equals `name`, ignoring ASCII case, exists. A snapshot
  /// that can't be taken counts as no such process.
  bool IsProcessRunning(const std::string& name);
  /// Any of the four client names is running; asked in order, one snapshot each, stopping at
  /// the first that runs.
  bool IsGameClientRunning();

 private:
  platform::ProcessTable& processes_;
};
