// Placeholder: the real implementation replaces this file.
#include "platform/win32/win32_platform.h"

namespace platform {
std::unique_ptr<Registry> NewWin32Registry() { return nullptr; }
}  // namespace platform
