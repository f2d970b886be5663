#pragma once
// A main window that records what the program does to it: the labels' texts, the controls'
// disabled states and, in order, every call that changes something.

#include <map>
#include <string>
#include <vector>

#include "ui/window.h"

class FakeWindow : public ui::Window {
 public:
  /// What GetMainWindowHandle answers; any non-null value will do.
  platform::WindowHandle handle = reinterpret_cast<platform::WindowHandle>(0x1F00);
  std::map<ui::Control, std::string> captions;  // only labels that were written
  std::map<ui::Control, bool> disabled;         // only controls that were set
  /// "SetControlCaption 标签1", "SetControlDisabled 按钮2 true", "DestroyMainWindow".
  std::vector<std::string> calls;

  void SetControlCaption(ui::Control label, const std::string& text) override {
    captions[label] = text;
    calls.push_back("SetControlCaption " + Name(label));
  }
  void SetControlDisabled(ui::Control control, bool isDisabled) override {
    disabled[control] = isDisabled;
    calls.push_back("SetControlDisabled " + Name(control) + (isDisabled ? " true" : " false"));
  }
  platform::WindowHandle GetMainWindowHandle() override { return handle; }
  void DestroyMainWindow() override { calls.push_back("DestroyMainWindow"); }

  /// Both buttons start enabled, as the real window creates them.
  bool IsDisabled(ui::Control control) const {
    const auto found = disabled.find(control);
    return found != disabled.end() && found->second;
  }

  static std::string Name(ui::Control control) {
    switch (control) {
      case ui::Control::标签1: return "标签1";
      case ui::Control::标签3: return "标签3";
      case ui::Control::按钮1: return "按钮1";
      case ui::Control::按钮2: return "按钮2";
    }
    return "?";
  }
};
