#pragma once
// The main window and its controls as the Windows side provides them: creation, texts, enabled
// states, the private close message, destruction and the message loop. Painting of the labels,
// the keyboard and the focus rules live entirely on the Windows side.

#include "platform/types.h"

namespace platform {

enum class ControlKind { Label, PushButton };

struct ControlLayout {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // client coordinates of the main window
};

struct MainWindowLayout {
  const char* caption;
  int x, y, width, height;  // outer rectangle
};

/// What the Windows side reports back to the logic, each from inside the message loop.
class GuiEvents {
 public:
  virtual ~GuiEvents() = default;
  /// A push button sent BN_CLICKED.
  virtual void OnClicked(int controlId) = 0;
  /// The private close message (WM_APP + 0x65) arrived.
  virtual void OnPrivateClose() = 0;
  /// The main window has been destroyed (WM_DESTROY).
  virtual void OnDestroyed() = 0;
};

constexpr unsigned kPrivateCloseMessage = 0x8065;  // WM_APP + 0x65

class Gui {
 public:
  virtual ~Gui() = default;
  /// GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN).
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  /// Registers the window classes, creates the main window hidden, makes its outer size exactly
  /// the given one, sets the icons and the font. Null when the window could not be created.
  virtual WindowHandle CreateMainWindow(const MainWindowLayout& layout, GuiEvents* events) = 0;
  /// Creates one control as a child of the main window and shows it (SW_SHOWNA). False when
  /// CreateWindowExA failed.
  virtual bool CreateControl(const ControlLayout& layout) = 0;
  /// SetWindowTextA on the control.
  virtual void SetControlText(int controlId, const char* text) = 0;
  /// InvalidateRect(control, null, FALSE).
  virtual void InvalidateControl(int controlId) = 0;
  /// EnableWindow(control, enabled).
  virtual void EnableControl(int controlId, bool enabled) = 0;
  /// PostMessageA(main window, kPrivateCloseMessage, 0, 0).
  virtual void PostPrivateClose() = 0;
  /// DestroyWindow(main window).
  virtual void DestroyMainWindow() = 0;
  /// ShowWindow(main window, SW_SHOW).
  virtual void ShowMainWindow() = 0;
  /// PostQuitMessage(code).
  virtual void PostQuit(int code) = 0;
  /// GetMessageA / TranslateMessage / DispatchMessageA until WM_QUIT; its wParam.
  virtual int RunMessageLoop() = 0;
};

}  // namespace platform
