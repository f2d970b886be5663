// Placeholder: the real implementation replaces this file.
#include "platform/win32/win32_platform.h"

namespace platform {
std::unique_ptr<ProcessTable> NewWin32ProcessTable() { return nullptr; }
}  // namespace platform
