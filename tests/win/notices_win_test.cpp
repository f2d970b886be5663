// Notices on the real MessageBoxA, answered from another thread as a user would.

#include "ui/notices.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/win32/win32_platform.h"
#include "tests/e2e/harness.h"

namespace {

struct SeenBox {
  std::string text;
  bool ownerWindowEnabled = true;
  bool found = false;
};

// Waits for this process's notice, records what it shows, then presses `buttonId`.
std::thread AnswerFromAnotherThread(HWND ownWindow, int buttonId, SeenBox* seen) {
  return std::thread([=] {
    HWND box = e2e::WaitForNotice(GetCurrentProcessId());
    if (!box) return;
    seen->found = true;
    seen->text = e2e::NoticeText(box);
    seen->ownerWindowEnabled = IsWindowEnabled(ownWindow) != FALSE;
    e2e::AnswerNotice(box, buttonId);
  });
}

TEST(NoticesOnWine, AnswerCodesAndTaskModality) {
  // A top-level window of this thread stands in for the main window.
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(main, nullptr);
  const auto boxes = platform::NewWin32MessageBoxes();
  ui::Notices notices(*boxes);

  const struct { unsigned style; int button; int answer; } kCases[] = {
      {ui::kStyleQuestion, IDYES, ui::kAnswerYes},
      {ui::kStyleQuestion, IDNO, ui::kAnswerNo},
      {ui::kStyleInformation, IDOK, ui::kAnswerOk},
      {ui::kStyleStop, IDOK, ui::kAnswerOk},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.style);
    SeenBox seen;
    std::thread user = AnswerFromAnotherThread(main, c.button, &seen);
    const int answer = notices.ShowNotice("检测到有备份文件存在，是否覆盖？", c.style);
    user.join();
    ASSERT_TRUE(seen.found) << "no box with the caption 信息：";
    EXPECT_EQ(seen.text, "检测到有备份文件存在，是否覆盖？");
    EXPECT_FALSE(seen.ownerWindowEnabled) << "task-modal: the thread's windows are disabled";
    EXPECT_TRUE(IsWindowEnabled(main)) << "and enabled again afterwards";
    EXPECT_EQ(answer, c.answer);
  }
  DestroyWindow(main);
}

}  // namespace
