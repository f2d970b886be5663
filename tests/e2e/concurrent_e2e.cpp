// Copies started together: the single-instance guard has no gap between looking and claiming, so
// of any number of copies started at the same instant exactly one shows its window. Wine starts
// processes too far apart to land one in another's gap (a guard that opened and then created
// separately passed here too, even with all copies resumed at once from a suspended start), so
// the gap itself is proved over the fakes (ProgramTest.SecondCopyEndsWithZero...); this proves
// the whole start-up under the load of twenty copies.
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

constexpr int kCopies = 20;
constexpr int kRounds = 10;
constexpr Millis kRoundDeadline{60000};  // twenty Wine processes starting on a busy machine

struct ShownSearch {
  const std::vector<Process>* copies;
  std::set<DWORD>* shown;
};

BOOL CALLBACK NoteShownMainWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ShownSearch*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  char caption[16] = {};
  GetWindowTextA(window, caption, sizeof caption);  // a top-level caption: no message is sent
  if (std::string(caption) != "Kestrova") return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  for (const Process& copy : *search.copies) {
    if (copy.Id() == pid) search.shown->insert(pid);
  }
  return TRUE;
}

int RunningCount(const std::vector<Process>& copies) {
  int running = 0;
  for (const Process& copy : copies) running += copy.Running() ? 1 : 0;
  return running;
}

using ConcurrentStarts = AppTest;

// Proves that of twenty copies started together from one driver, as fast as it can, exactly one
// ever shows its main window and every other ends with exit code 0; ten rounds.
TEST_F(ConcurrentStarts, OfTwentyCopiesExactlyOneEverShowsItsWindow) {
  for (int round = 1; round <= kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<Process> copies;
    copies.reserve(kCopies);
    for (int i = 0; i < kCopies; ++i) copies.push_back(StartKestrova());
    for (const Process& copy : copies) ASSERT_TRUE(copy.Started());

    std::set<DWORD> shown;  // every copy whose main window was seen visible at some poll
    ShownSearch search{&copies, &shown};
    const bool settled = WaitUntil(
        [&] {
          EnumWindows(NoteShownMainWindow, reinterpret_cast<LPARAM>(&search));
          return RunningCount(copies) == 1 && shown.size() == 1;
        },
        kRoundDeadline);
    EXPECT_TRUE(settled) << RunningCount(copies) << " copies run, " << shown.size()
                         << " showed a window";
    EXPECT_EQ(shown.size(), 1u);

    for (const Process& copy : copies) {
      if (copy.Running()) {
        HWND window = WaitForMainWindow(copy);
        ASSERT_TRUE(window);
        PostMessageA(window, WM_CLOSE, 0, 0);
      }
      EXPECT_EQ(copy.WaitForExit(kRoundDeadline), 0u) << "copy " << copy.Id();
    }
  }
}

}  // namespace
}  // namespace e2e
