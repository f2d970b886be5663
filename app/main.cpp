// Kestrova.exe: makes the real Windows side and runs the program on it.

#include "app/program.h"
#include "platform/win32/win32_platform.h"

int main() {
  const auto process = platform::NewWin32ProcessApi();
  const auto gui = platform::NewWin32Gui();
  const auto boxes = platform::NewWin32MessageBoxes();
  const auto files = platform::NewWin32FileSystem();
  const auto processes = platform::NewWin32ProcessTable();
  const auto registry = platform::NewWin32Registry();
  const auto shell = platform::NewWin32Shell();
  Program program({*process, *gui, *boxes, *files, *processes, *registry, *shell});
  return program.Run();
}
