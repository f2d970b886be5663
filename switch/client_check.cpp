#include "switch/client_check.h"
// Placeholder: the real check replaces this file.
std::string LowerCaseAscii(const std::string& text) { return text; }
bool ClientCheck::IsProcessRunning(const std::string&) { return false; }
bool ClientCheck::IsGameClientRunning() { return false; }
