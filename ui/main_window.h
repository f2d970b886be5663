#pragma once
// The main window: a fixed-size window with two labels and two push buttons. The Windows side
// (platform::Gui) creates and paints it; this class decides what is created where, keeps the
// closing mark and turns the Windows side's reports into the program's events.

#include <functional>

#include "platform/gui.h"
#include "ui/window.h"

namespace ui {

constexpr int kWindowWidth = 380;
constexpr int kWindowHeight = 277;

/// The left or top edge that centres `size` on `screen`, truncated toward zero.
int CenteredOrigin(int screen, int size);

/// The control ids on the Windows side; none is IDOK or IDCANCEL, so Enter and Esc reach none.
int ControlId(Control control);

class MainWindow : public Window, public platform::GuiEvents {
 public:
  struct Handlers {
    std::function<void()> optimizeClick;  // 按钮1 clicked
    std::function<void()> restoreClick;   // 按钮2 clicked
    std::function<void()> destroyed;      // the window is gone
  };

  MainWindow(platform::Gui& gui, Handlers handlers) : gui_(gui), handlers_(std::move(handlers)) {}

  /// Creates the window hidden, centred on the primary screen, with its four controls. False
  /// when the window or a control could not be created.
  bool Create();
  /// Shows the window in its normal state.
  void Show();

  void SetControlCaption(Control label, const std::string& text) override;
  void SetControlDisabled(Control control, bool disabled) override;
  platform::WindowHandle GetMainWindowHandle() override { return handle_; }
  void DestroyMainWindow() override;

  void OnClicked(int controlId) override;
  void OnPrivateClose() override;
  void OnDestroyed() override;

 private:
  platform::Gui& gui_;
  Handlers handlers_;
  platform::WindowHandle handle_ = nullptr;
  bool closingMark_ = false;
};

}  // namespace ui
