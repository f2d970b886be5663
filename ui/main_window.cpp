#include "ui/main_window.h"

#include "app/texts.h"

namespace ui {

namespace {

struct ControlPlace {
  Control control;
  platform::ControlKind kind;
  const char* text;
  int x, y, width, height;
};

// Created in this order; places are in the window's client area.
constexpr ControlPlace kControls[] = {
    {Control::标签1, platform::ControlKind::Label, "", 16, 8, 344, 40},
    {Control::按钮1, platform::ControlKind::PushButton, texts::kOptimizeButton, 120, 56, 136, 32},
    {Control::按钮2, platform::ControlKind::PushButton, texts::kRestoreButton, 120, 96, 136, 32},
    {Control::标签3, platform::ControlKind::Label, texts::kExplanation, 16, 144, 344, 88},
};

}  // namespace

int CenteredOrigin(int screen, int size) { return (screen - size) / 2; }

int ControlId(Control control) {
  switch (control) {
    case Control::标签1: return 101;
    case Control::按钮1: return 102;
    case Control::按钮2: return 103;
    case Control::标签3: return 104;
  }
  return 0;
}

bool MainWindow::Create() {
  const platform::MainWindowLayout layout{texts::kWindowCaption,
                                      CenteredOrigin(gui_.ScreenWidth(), kWindowWidth),
                                      CenteredOrigin(gui_.ScreenHeight(), kWindowHeight),
                                      kWindowWidth, kWindowHeight};
  handle_ = gui_.CreateMainWindow(layout, this);
  if (!handle_) return false;
  for (const ControlPlace& c : kControls) {
    if (!gui_.CreateControl({ControlId(c.control), c.kind, c.text, c.x, c.y, c.width, c.height}))
      return false;
  }
  return true;
}

void MainWindow::Show() { gui_.ShowMainWindow(); }

void MainWindow::SetControlCaption(Control label, const std::string& text) {
  gui_.SetControlText(ControlId(label), text.c_str());
  gui_.InvalidateControl(ControlId(label));
}

void MainWindow::SetControlDisabled(Control control, bool disabled) {
  gui_.EnableControl(ControlId(control), !disabled);
}

void MainWindow::DestroyMainWindow() {
  closingMark_ = true;
  gui_.PostPrivateClose();
}

void MainWindow::OnClicked(int controlId) {
  if (controlId == ControlId(Control::按钮1) && handlers_.optimizeClick) handlers_.optimizeClick();
  if (controlId == ControlId(Control::按钮2) && handlers_.restoreClick) handlers_.restoreClick();
}

void MainWindow::OnPrivateClose() {
  if (!closingMark_) return;
  closingMark_ = false;
  gui_.DestroyMainWindow();
}

void MainWindow::OnDestroyed() {
  handle_ = nullptr;
  if (handlers_.destroyed) handlers_.destroyed();
}

}  // namespace ui
