#pragma once
// What the rest of the program may do to the main window. The real window implements it; tests
// put a recording fake in its place.

#include <string>

#include "platform/types.h"

namespace ui {

enum class Control { 标签1, 标签3, 按钮1, 按钮2 };

class Window {
 public:
  virtual ~Window() = default;
  /// The label shows a copy of `text` and is repainted at the next WM_PAINT.
  virtual void SetControlCaption(Control label, const std::string& text) = 0;
  /// True disables the control, false enables it.
  virtual void SetControlDisabled(Control control, bool disabled) = 0;
  /// The main window's system handle; valid from its creation to its destruction.
  virtual platform::WindowHandle GetMainWindowHandle() = 0;
  /// Asks for the main window's destruction, which happens once the running event handler has
  /// returned and the message loop takes the request. Returns at once.
  virtual void DestroyMainWindow() = 0;
};

}  // namespace ui
