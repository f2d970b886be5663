// The application shell end to end: start-up, the single-instance guard, the main window, the
// keyboard and the ways the program ends, on the real Kestrova.exe.
#include <string>

#include "app/texts.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

constexpr Millis kQuietPeriod{500};  // how long a key or click that must do nothing is watched

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// ---- Place on the screen ----

struct ScreenCase {
  const char* name;
  int width, height;
  RECT expected;
};

constexpr ScreenCase kScreens[] = {
    {"1920x1080", 1920, 1080, {770, 401, 1150, 678}},
    {"1366x768", 1366, 768, {493, 245, 873, 522}},
};

void PrintTo(const ScreenCase& screen, std::ostream* out) { *out << screen.name; }

class WindowPlace : public AppTest, public ::testing::WithParamInterface<ScreenCase> {};

// Proves the outer rectangle is 380 × 277, centred on the primary screen with truncating division.
TEST_P(WindowPlace, CentredOnPrimaryScreen) {
  const ScreenCase& screen = GetParam();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  if (width != screen.width || height != screen.height)
    GTEST_SKIP() << "needs a " << screen.name << " screen, this one is " << width << "x" << height
                 << " (tools/run-tests.sh runs each size on an Xvfb of its own)";
  HWND window = StartApp();
  ASSERT_TRUE(window);
  EXPECT_EQ(RectText(ScreenRect(window)), RectText(screen.expected));
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowPlace, ::testing::ValuesIn(kScreens),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The window and its controls ----

using MainWindow = AppTest;

struct ControlCase {
  const char* name;
  int id;
  RECT place;        // client coordinates of the main window
  const char* text;  // null: written by the game-folder discovery, checked with it
};

constexpr ControlCase kControls[] = {
    {"标签1", ids::标签1, {16, 8, 360, 48}, nullptr},
    {"按钮1", ids::按钮1, {120, 56, 256, 88}, "优化"},
    {"按钮2", ids::按钮2, {120, 96, 256, 128}, "还原"},
    {"标签3", ids::标签3, {16, 144, 360, 232}, texts::kExplanation},
};

// Proves the four controls sit at their places, visible and enabled, with their texts.
TEST_F(MainWindow, ControlsAtTheirPlacesWithTheirTexts) {
  HWND window = StartApp();
  ASSERT_TRUE(window);
  for (const ControlCase& c : kControls) {
    SCOPED_TRACE(c.name);
    HWND control = ControlOf(window, c.id);
    ASSERT_TRUE(control) << "no control with id " << c.id;
    EXPECT_EQ(RectText(PlaceInParent(control)), RectText(c.place));
    EXPECT_TRUE(IsWindowVisible(control)) << Describe(control);
    EXPECT_TRUE(IsWindowEnabled(control)) << Describe(control);
    if (c.text) {
      EXPECT_EQ(TextOf(control), c.text);
    }
  }
}

// Proves the caption and a fixed frame: no resizing border, no maximise button.
TEST_F(MainWindow, CaptionAndFixedFrame) {
  HWND window = StartApp();
  ASSERT_TRUE(window);
  EXPECT_EQ(TextOf(window), "Kestrova");
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
}

// ---- One copy at a time ----

using SingleInstance = AppTest;

// Proves a second copy ends at once with exit code 0, showing nothing, and the first stays.
TEST_F(SingleInstance, SecondCopyEndsWithoutShowingAnything) {
  HWND first = StartApp();
  ASSERT_TRUE(first);
  Process second = StartKestrova();
  ASSERT_TRUE(second.Started());
  std::vector<HWND> shown;
  const bool ended = WaitUntil([&] {
    for (HWND w : VisibleWindowsOf(second.Id())) shown.push_back(w);
    return !second.Running();
  });
  ASSERT_TRUE(ended) << "the second copy still runs; its windows: "
                     << (shown.empty() ? "none" : Describe(shown.front()));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(shown.empty()) << "the second copy showed " << Describe(shown.front());
  EXPECT_TRUE(apps_.front().Running());
  EXPECT_TRUE(IsWindowVisible(first)) << Describe(first);
  EXPECT_TRUE(SendMessageTimeoutA(first, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr));
}

// Proves the marker goes with the copy that made it: a copy started afterwards runs.
TEST_F(SingleInstance, CopyStartedAfterTheFirstEndedRuns) {
  HWND first = StartApp();
  ASSERT_TRUE(first);
  PostMessageA(first, WM_CLOSE, 0, 0);
  ASSERT_EQ(apps_.front().WaitForExit(), 0u);
  EXPECT_TRUE(StartApp());
}

// Proves a mutex holding the marker's name lets every copy run.
TEST_F(SingleInstance, NameHeldByAMutexLetsEveryCopyRun) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, texts::kInstanceEventName);
  ASSERT_TRUE(mutex);
  EXPECT_TRUE(StartApp());
  EXPECT_TRUE(StartApp());
  CloseHandle(mutex);
}

// ---- Ending ----

struct CloseCase {
  const char* name;
  UINT message;
  WPARAM wParam;
};

constexpr CloseCase kCloses[] = {
    {"WM_CLOSE", WM_CLOSE, 0},
    {"close command of the window menu", WM_SYSCOMMAND, SC_CLOSE},
};

using Closing = AppTest;

// Proves closing the window ends the program with exit code 0.
TEST_F(Closing, ClosingTheWindowExitsWithZero) {
  for (const CloseCase& c : kCloses) {
    SCOPED_TRACE(c.name);
    HWND window = StartApp();
    ASSERT_TRUE(window);
    PostMessageA(window, c.message, c.wParam, 0);
    EXPECT_EQ(apps_.back().WaitForExit(), 0u);
  }
}

// ---- Keyboard ----

using Keyboard = AppTest;

struct QuietKey {
  const char* name;
  WORD key;
};

constexpr QuietKey kQuietKeys[] = {{"Esc", VK_ESCAPE}, {"Enter", VK_RETURN}, {"F1", VK_F1}};

// Proves Esc, Enter and F1 leave the window open and show nothing, and Alt+F4 closes it.
TEST_F(Keyboard, EscLeavesTheWindowOpenAndAltF4ClosesIt) {
  HWND window = StartApp();
  ASSERT_TRUE(window);
  ASSERT_TRUE(BringToFront(window)) << "foreground: " << Describe(GetForegroundWindow());
  const Process& app = apps_.front();
  const HWND focus = FocusOf(window);
  for (const QuietKey& k : kQuietKeys) {
    SCOPED_TRACE(k.name);
    PressKey(k.key);
    EXPECT_TRUE(StaysTrue(
        [&] { return IsWindowVisible(window) && !FindNotice(app.Id()) && FocusOf(window) == focus; },
        kQuietPeriod))
        << Describe(window) << ", focus on " << Describe(FocusOf(window)) << ", notice "
        << Describe(FindNotice(app.Id()));
  }
  PressKey(VK_F4, {VK_MENU});
  EXPECT_EQ(app.WaitForExit(), 0u);
}

struct TabStep {
  const char* name;
  bool shift;
  int focusedId;
};

constexpr TabStep kTabSteps[] = {
    {"Tab", false, ids::按钮2},
    {"Tab", false, ids::按钮1},
    {"Shift+Tab", true, ids::按钮2},
    {"Shift+Tab", true, ids::按钮1},
};

// Proves the focus starts on 优化 and Tab and Shift+Tab move it between the two buttons.
TEST_F(Keyboard, TabMovesTheFocusBetweenTheButtons) {
  HWND window = StartApp();
  ASSERT_TRUE(window);
  ASSERT_TRUE(BringToFront(window)) << "foreground: " << Describe(GetForegroundWindow());
  EXPECT_EQ(FocusOf(window), ControlOf(window, ids::按钮1)) << Describe(FocusOf(window));
  for (const TabStep& step : kTabSteps) {
    SCOPED_TRACE(step.name);
    if (step.shift) PressKey(VK_TAB, {VK_SHIFT});
    else PressKey(VK_TAB);
    HWND expected = ControlOf(window, step.focusedId);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == expected; }))
        << "focus on " << Describe(FocusOf(window)) << ", expected " << Describe(expected);
  }
}

// ---- Mouse ----

using Mouse = AppTest;

// Proves the real click of the next case reaches an enabled button: 优化 asks its question (the
// backup holds a file), which No answers without changing anything.
TEST_F(Mouse, ClickOnAnEnabledButtonIsCarriedOut) {
  const auto before = game_.Listing();
  HWND window = StartApp();
  ASSERT_TRUE(window);
  ASSERT_TRUE(BringToFront(window));
  ClickCentre(ControlOf(window, ids::按钮1));
  HWND box = WaitForNotice(apps_.front().Id());
  ASSERT_TRUE(box) << "no notice after a click on 优化";
  EXPECT_EQ(NoticeText(box), texts::kOverwriteBackup);
  EXPECT_EQ(NoticeIcon(box), static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(NoticeButtons(box), (std::vector<int>{IDYES, IDNO}));
  AnswerNotice(box, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(game_.Listing(), before);
}

// Proves a real click on a disabled button does nothing: no notice, no change, the focus stays.
TEST_F(Mouse, ClickOnADisabledButtonDoesNothing) {
  game_.Remove("Cross111");
  const auto before = game_.Listing();
  HWND window = StartApp();
  ASSERT_TRUE(window);
  HWND restore = ControlOf(window, ids::按钮2);
  if (IsWindowEnabled(restore))
    GTEST_SKIP() << "还原 is enabled without Cross111: the game folder is not read at start yet";
  ASSERT_TRUE(BringToFront(window));
  const HWND focus = FocusOf(window);
  const DWORD pid = apps_.front().Id();
  ClickCentre(restore);
  EXPECT_TRUE(StaysTrue([&] { return !FindNotice(pid) && FocusOf(window) == focus; },
                        kQuietPeriod))
      << "notice " << Describe(FindNotice(pid)) << ", focus on " << Describe(FocusOf(window));
  EXPECT_FALSE(IsWindowEnabled(restore));
  EXPECT_EQ(game_.Listing(), before);
}

}  // namespace
}  // namespace e2e
