#pragma once
// The system message box.

#include "platform/types.h"

namespace platform {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  /// MessageBoxA(owner, text, caption, style): the id of the button that closed it (IDOK 1 ...
  /// IDNO 7), or 0 when the box could not be shown. Returns when the box has been closed.
  virtual int ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                             unsigned style) = 0;
};

}  // namespace platform
