// The folder picker on the shell's real dialog, worked from another thread as a user would.

#include "gamefolder/folder_picker.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/global_texts.h"
#include "platform/win32/win32_platform.h"
#include "tests/e2e/folder_dialog.h"
#include "tests/e2e/harness.h"

namespace {

constexpr char kTitle[] = "查找名为英雄联盟的文件夹";

struct SeenDialog {
  bool found = false;
  std::string title;
  HWND owner = nullptr;
  std::string selectedAtOpen;
};

// Waits for this process's folder dialog, records what it shows, then hands it to `act`.
std::thread UseDialogFromAnotherThread(std::function<void(HWND)> act, SeenDialog* seen) {
  return std::thread([=] {
    HWND dialog = e2e::WaitForFolderDialog(GetCurrentProcessId());
    if (!dialog) return;
    seen->found = true;
    seen->title = e2e::TextOf(GetDlgItem(dialog, e2e::kFolderDialogTitleId));
    seen->owner = GetWindow(dialog, GW_OWNER);
    e2e::WaitUntil([&] { return !e2e::SelectedFolderName(dialog).empty(); });
    seen->selectedAtOpen = e2e::SelectedFolderName(dialog);
    act(dialog);
  });
}

class FolderPickerOnWine : public testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);  // the new dialog style needs it, as at the program's start
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    DestroyWindow(owner_);
    ReleaseGlobalTexts();
    OleUninitialize();
  }

  std::string Browse(const std::optional<std::string>& initialFolder,
                     std::function<void(HWND)> act, SeenDialog* seen) {
    std::thread user = UseDialogFromAnotherThread(std::move(act), seen);
    const std::string path = BrowseForFolder(*shell_, kTitle, owner_, initialFolder);
    user.join();
    return path;
  }

  HWND owner_ = nullptr;
  const std::unique_ptr<platform::Shell> shell_ = platform::NewWin32Shell();
  e2e::GameFolder game_;
};

void PressOk(HWND dialog) { e2e::AnswerNotice(dialog, IDOK); }
void PressCancel(HWND dialog) { e2e::AnswerNotice(dialog, IDCANCEL); }

// Presses OK once `select` has succeeded; cancels (and fails) otherwise, so the dialog closes.
std::function<void(HWND)> SelectThenPressOk(std::function<bool(HWND)> select) {
  return [=](HWND dialog) {
    if (select(dialog)) return PressOk(dialog);
    ADD_FAILURE() << "could not select the item";
    PressCancel(dialog);
  };
}

TEST_F(FolderPickerOnWine, ShowsTheTitleOwnedByTheWindowAndCancelGivesTheEmptyText) {
  SeenDialog seen;
  EXPECT_EQ(Browse(std::nullopt, PressCancel, &seen), "");
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, kTitle);
  EXPECT_EQ(seen.owner, owner_);
}

TEST_F(FolderPickerOnWine, SelectsTheInitialFolderWhenItOpens) {
  SeenDialog seen;
  EXPECT_EQ(Browse(game_.Path(), PressOk, &seen), game_.Path());
  EXPECT_EQ(seen.selectedAtOpen, "英雄联盟");
  EXPECT_EQ(PickerInitialFolder, game_.Path());
}

TEST_F(FolderPickerOnWine, GivesTheFolderTheUserChose) {
  SeenDialog seen;
  const auto select = [&](HWND dialog) { return e2e::SelectFolder(dialog, game_.Path()); };
  EXPECT_EQ(Browse(std::nullopt, SelectThenPressOk(select), &seen), game_.Path());
}

TEST_F(FolderPickerOnWine, ADriveRootKeepsItsBackslash) {
  SeenDialog seen;
  EXPECT_EQ(Browse(std::string("C:\\"), PressOk, &seen), "C:\\");
}

TEST_F(FolderPickerOnWine, AnItemWithoutAFileSystemPathGivesTheEmptyText) {
  SeenDialog seen;
  const auto select = [](HWND dialog) { return e2e::SelectTopFolderItem(dialog, "我的电脑"); };
  EXPECT_EQ(Browse(std::nullopt, SelectThenPressOk(select), &seen), "");
}

}  // namespace
