#pragma once
// A main window and message loop in memory. Posted messages queue up and are delivered, in
// order, only once RunMessageLoop runs, as on Windows; every call is written to a shared log.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui.h"

class FakeGui : public platform::Gui {
 public:
  explicit FakeGui(std::vector<std::string>& log) : log_(log) {}

  int screenWidth = 1920, screenHeight = 1080;
  bool windowFails = false;  // CreateMainWindow answers null
  int failingControlId = 0;  // CreateControl fails for this id
  /// What the user does once the loop runs, one queued message each.
  std::vector<std::function<void()>> userActions;
  platform::MainWindowLayout windowLayout{};
  std::vector<platform::ControlLayout> controls;  // texts copied into controlTexts
  std::vector<std::string> controlTexts;
  bool destroyed = false;

  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }

  platform::WindowHandle CreateMainWindow(const platform::MainWindowLayout& layout,
                                          platform::GuiEvents* events) override {
    log_.push_back("CreateMainWindow");
    windowLayout = layout;
    events_ = events;
    return windowFails ? nullptr : reinterpret_cast<platform::WindowHandle>(0xA11);
  }
  bool CreateControl(const platform::ControlLayout& layout) override {
    log_.push_back("CreateControl " + std::to_string(layout.id));
    controls.push_back(layout);
    controlTexts.push_back(layout.text);
    return layout.id != failingControlId;
  }
  void SetControlText(int id, const char*) override { Log("SetControlText", id); }
  void InvalidateControl(int id) override { Log("InvalidateControl", id); }
  void EnableControl(int id, bool enabled) override {
    Log(enabled ? "EnableControl" : "DisableControl", id);
  }
  void PostPrivateClose() override {
    log_.push_back("PostPrivateClose");
    queue_.push_back([this] { events_->OnPrivateClose(); });
  }
  void DestroyMainWindow() override {
    log_.push_back("DestroyWindow");
    if (destroyed) return;
    destroyed = true;
    events_->OnDestroyed();
  }
  void ShowMainWindow() override { log_.push_back("ShowWindow"); }
  void PostQuit(int code) override {
    log_.push_back("PostQuit " + std::to_string(code));
    queue_.push_back([this, code] { quitCode_ = code; });
  }
  int RunMessageLoop() override {
    log_.push_back("LoopStart");
    for (auto& action : userActions) queue_.push_back(action);
    while (!queue_.empty() && !quitCode_.has_value()) {
      auto message = std::move(queue_.front());
      queue_.pop_front();
      message();
    }
    log_.push_back("LoopEnd");
    // A loop with nothing left to deliver would wait forever on Windows.
    return quitCode_.value_or(-999);
  }

  /// The user clicks a button (a queued BN_CLICKED).
  std::function<void()> Click(int id) {
    return [this, id] { events_->OnClicked(id); };
  }
  /// The user closes the window (close button or Alt+F4).
  std::function<void()> UserClose() {
    return [this] { DestroyMainWindow(); };
  }

 private:
  void Log(const char* what, int id) { log_.push_back(std::string(what) + " " + std::to_string(id)); }

  std::vector<std::string>& log_;
  platform::GuiEvents* events_ = nullptr;
  std::deque<std::function<void()>> queue_;
  std::optional<int> quitCode_;
};
