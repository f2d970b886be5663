// The main window's place, controls and closing mark.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/fakes/fake_gui.h"

namespace {

TEST(CenteredOrigin, CentresOnThePrimaryScreenTruncatingTowardZero) {
  const struct { int screen, size, origin; } kCases[] = {
      {1920, 380, 770}, {1080, 277, 401}, {1366, 380, 493}, {768, 277, 245},
      {320, 380, -30},  // narrower than the window: the left edge lies off the screen
      {379, 380, 0},    // -1 / 2 truncates to 0, not -1
      {275, 277, -1},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(ui::CenteredOrigin(c.screen, c.size), c.origin) << c.screen << " " << c.size;
}

TEST(MainWindow, CreatesTheWindowAndItsControlsAtTheirPlaces) {
  std::vector<std::string> log;
  FakeGui gui(log);
  gui.screenWidth = 1366;
  gui.screenHeight = 768;
  ui::MainWindow window(gui, {});
  ASSERT_TRUE(window.Create());

  EXPECT_STREQ(gui.windowLayout.caption, "Kestrova");
  EXPECT_EQ(gui.windowLayout.x, 493);
  EXPECT_EQ(gui.windowLayout.y, 245);
  EXPECT_EQ(gui.windowLayout.width, 380);
  EXPECT_EQ(gui.windowLayout.height, 277);

  const struct {
    int id;
    platform::ControlKind kind;
    std::string text;
    int x, y, width, height;
  } kExpected[] = {
      {101, platform::ControlKind::Label, "", 16, 8, 344, 40},
      {102, platform::ControlKind::PushButton, "\xD3\xC5\xBB\xAF", 120, 56, 136, 32},  // 优化
      {103, platform::ControlKind::PushButton, "\xBB\xB9\xD4\xAD", 120, 96, 136, 32},  // 还原
      {104, platform::ControlKind::Label, texts::kExplanation, 16, 144, 344, 88},
  };
  ASSERT_EQ(gui.controls.size(), std::size(kExpected));
  for (size_t i = 0; i < gui.controls.size(); ++i) {
    const auto& got = gui.controls[i];
    const auto& want = kExpected[i];
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.kind, want.kind) << want.id;
    EXPECT_EQ(gui.controlTexts[i], want.text) << want.id;
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    // IDOK and IDCANCEL would let Enter and Esc click a button.
    EXPECT_NE(got.id, 1);
    EXPECT_NE(got.id, 2);
  }
}

TEST(MainWindow, ExplanationEndsWithTwoLineBreaksAndTheHomePage) {
  const std::string explanation = texts::kExplanation;
  const std::string tail = std::string("\r\n\r\n") + texts::kPublisherAddress;
  ASSERT_GT(explanation.size(), tail.size());
  EXPECT_EQ(explanation.substr(explanation.size() - tail.size()), tail);
  EXPECT_EQ(explanation.find("\r\n"), explanation.size() - tail.size()) << "one paragraph first";
}

TEST(MainWindow, DestroysOnlyOnAPrivateCloseItAskedFor) {
  std::vector<std::string> log;
  FakeGui gui(log);
  int destroyedEvents = 0;
  ui::MainWindow window(gui, {nullptr, nullptr, [&] { ++destroyedEvents; }});
  ASSERT_TRUE(window.Create());

  window.OnPrivateClose();  // someone else's message: no closing mark
  EXPECT_FALSE(gui.destroyed);

  window.DestroyMainWindow();
  EXPECT_FALSE(gui.destroyed) << "only posted";
  window.OnPrivateClose();
  EXPECT_TRUE(gui.destroyed);
  EXPECT_EQ(destroyedEvents, 1);
  EXPECT_EQ(window.GetMainWindowHandle(), nullptr);
}

TEST(MainWindow, RoutesClicksAndWritesLabels) {
  std::vector<std::string> log;
  FakeGui gui(log);
  std::vector<std::string> events;
  ui::MainWindow window(gui, {[&] { events.push_back("optimize"); },
                              [&] { events.push_back("restore"); }, nullptr});
  ASSERT_TRUE(window.Create());
  for (int id : {101, 102, 103, 104}) window.OnClicked(id);
  EXPECT_EQ(events, (std::vector<std::string>{"optimize", "restore"}));

  log.clear();
  window.SetControlCaption(ui::Control::标签1, "x");
  window.SetControlDisabled(ui::Control::按钮2, true);
  window.SetControlDisabled(ui::Control::按钮1, false);
  EXPECT_EQ(log, (std::vector<std::string>{"SetControlText 101", "InvalidateControl 101",
                                           "DisableControl 103", "EnableControl 102"}));
}

}  // namespace
