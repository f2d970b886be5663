#pragma once
// The real Windows implementations of the platform interfaces. Declared without <windows.h> so
// the program entry and the Windows-side tests can make them.

#include <memory>

#include "platform/files.h"
#include "platform/gui.h"
#include "platform/message_boxes.h"
#include "platform/process.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace platform {

std::unique_ptr<ProcessApi> NewWin32ProcessApi();
std::unique_ptr<Gui> NewWin32Gui();
std::unique_ptr<MessageBoxes> NewWin32MessageBoxes();
std::unique_ptr<FileSystem> NewWin32FileSystem();
std::unique_ptr<ProcessTable> NewWin32ProcessTable();
std::unique_ptr<Registry> NewWin32Registry();
std::unique_ptr<Shell> NewWin32Shell();

}  // namespace platform
