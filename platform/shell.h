#pragma once
// The shell's folder-browse dialog and the one message its callback sends.

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr unsigned kBifNewDialogStyle = 0x40;
constexpr unsigned kBffmInitialized = 1;
constexpr unsigned kBffmSetSelectionA = 0x466;

/// Same meaning as BFFCALLBACK: dialog window, notification, its parameter, application data.
using BrowseCallback = int (*)(WindowHandle dialog, unsigned message, std::intptr_t param,
                               std::intptr_t data);

struct BrowseInfo {  // the fields of BROWSEINFOA the program sets; the rest stay zero
  WindowHandle owner = nullptr;
  const char* title = nullptr;
  unsigned flags = 0;
  BrowseCallback callback = nullptr;
  std::intptr_t data = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  /// SHBrowseForFolderA: the chosen item's identifier list, or null when cancelled or closed.
  virtual void* BrowseForFolderDialog(const BrowseInfo& info) = 0;
  /// SHGetPathFromIDListA(list, buffer); `buffer` holds at least 260 bytes. Result not needed.
  virtual void PathFromIdList(void* list, char* buffer) = 0;
  /// Releases an identifier list returned by BrowseForFolderDialog (null is allowed).
  virtual void FreeIdList(void* list) = 0;
  /// SendMessageA; the result is not needed.
  virtual void SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                 std::intptr_t lParam) = 0;
};

}  // namespace platform
