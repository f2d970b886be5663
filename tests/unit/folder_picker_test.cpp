// The folder picker: trimming spaces in code page 936, the dialog's description, the path it
// yields, and the callback that selects the initial folder.

#include "gamefolder/folder_picker.h"

#include <gtest/gtest.h>

#include <string>

#include "app/global_texts.h"
#include "tests/fakes/fake_shell.h"

namespace {

TEST(TrimSpaces, RemovesAsciiAndFullWidthSpacesAtBothEndsOnly) {
  const std::string kBuffer(512, ' ');
  const struct { std::string text, trimmed; } kCases[] = {
      {"D:\\Games\\英雄联盟", "D:\\Games\\英雄联盟"},
      {"  D:\\A B  ", "D:\\A B"},
      {"　D:\\A　B　", "D:\\A　B"},  // full-width spaces (A1 A1)
      {" 　 D:\\A 　", "D:\\A"},
      {"\tD:\\A\t", "\tD:\\A\t"},  // tabs are not spaces
      {"\r\nD:\\A\r\n", "\r\nD:\\A\r\n"},
      {"", ""},
      {"   ", ""},
      {"　　", ""},
      {kBuffer, ""},
      // "丁" is B6 A1: its second byte and a following A1 are not a full-width space.
      {"丁\xA1", "丁\xA1"},
      {"丁　", "丁"},
      {" 丁 ", "丁"},
      // A byte of 0x80 or more takes the next byte with it, even a 0x20.
      {"ab\x81\x20", "ab\x81\x20"},
      {" \x81\x20 ", "\x81\x20"},
  };
  for (const auto& c : kCases) EXPECT_EQ(TrimSpaces(c.text), c.trimmed) << c.text;
}

class FolderPickerTest : public testing::Test {
 protected:
  void TearDown() override { ReleaseGlobalTexts(); }

  FakeShell shell;
  int ownerWindow = 0;
};

TEST_F(FolderPickerTest, DescribesTheDialog) {
  BrowseForFolder(shell, "查找名为英雄联盟的文件夹", &ownerWindow, std::nullopt);
  ASSERT_EQ(shell.dialogsShown, 1);
  EXPECT_EQ(shell.shownInfo.owner, &ownerWindow);
  EXPECT_EQ(shell.shownTitle, "查找名为英雄联盟的文件夹");
  EXPECT_EQ(shell.shownInfo.flags, 0x40u);
  EXPECT_EQ(shell.shownInfo.callback, &BrowseForFolderCallback);
  EXPECT_EQ(shell.shownInfo.data, 0);
}

TEST_F(FolderPickerTest, AnswersThePathOfTheChosenItemAndReleasesTheList) {
  int item = 0;
  const struct {
    const char* what;
    void* list;
    std::optional<std::string> path;
    std::string result;
  } kCases[] = {
      {"cancelled", nullptr, std::nullopt, ""},
      {"a folder", &item, "D:\\Games\\英雄联盟", "D:\\Games\\英雄联盟"},
      {"a drive root", &item, "D:\\", "D:\\"},
      {"a virtual item, buffer untouched", &item, std::nullopt, ""},
      {"a virtual item, empty text", &item, "", ""},
  };
  for (const auto& c : kCases) {
    FakeShell dialog;
    dialog.chosenList = c.list;
    dialog.chosenPath = c.path;
    EXPECT_EQ(BrowseForFolder(dialog, "t", nullptr, std::nullopt), c.result) << c.what;
    const std::string list = c.list ? "chosen" : "null";
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"BrowseForFolderDialog",
                                                      "PathFromIdList " + list,
                                                      "FreeIdList " + list}))
        << c.what;
  }
}

TEST_F(FolderPickerTest, SelectsNothingWhenNoInitialFolderIsGiven) {
  PickerInitialFolder = "C:\\Earlier";
  BrowseForFolder(shell, "t", nullptr, std::nullopt);
  EXPECT_FALSE(PickerInitialFolder.has_value());
  ASSERT_EQ(shell.sent.size(), 1u);
  EXPECT_EQ(shell.sent[0].window, shell.dialog);
  EXPECT_EQ(shell.sent[0].message, 0x466u);  // BFFM_SETSELECTIONA
  EXPECT_EQ(shell.sent[0].wParam, 1u);
  EXPECT_FALSE(shell.sent[0].text.has_value());
}

TEST_F(FolderPickerTest, SelectsTheInitialFolderWhenTheDialogHasOpened) {
  BrowseForFolder(shell, "t", nullptr, std::string("C:\\游戏"));
  EXPECT_EQ(PickerInitialFolder, "C:\\游戏");
  ASSERT_EQ(shell.sent.size(), 1u);
  EXPECT_EQ(shell.sent[0].message, 0x466u);
  EXPECT_EQ(shell.sent[0].text, "C:\\游戏");
}

TEST_F(FolderPickerTest, CallbackAnswersOneToEveryNotificationAndActsOnlyOnInitialized) {
  // BFFM_SELCHANGED 2, BFFM_VALIDATEFAILEDA 3, BFFM_IUNKNOWN 5 come and go unanswered.
  shell.notifications = {2, platform::kBffmInitialized, 3, 5, 2};
  BrowseForFolder(shell, "t", nullptr, std::nullopt);
  EXPECT_EQ(shell.callbackResults, (std::vector<int>{1, 1, 1, 1, 1}));
  EXPECT_EQ(shell.sent.size(), 1u);
}

}  // namespace
