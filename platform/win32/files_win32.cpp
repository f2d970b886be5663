// Placeholder: the real implementation replaces this file.
#include "platform/win32/win32_platform.h"

namespace platform {
std::unique_ptr<FileSystem> NewWin32FileSystem() { return nullptr; }
}  // namespace platform
