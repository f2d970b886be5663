// Finding the install folder at start and the buttons' first state: the registry path, the
// picker path and its rejection, and every state of Cross and Cross111.

#include "gamefolder/discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/global_texts.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_window.h"

namespace {

constexpr char kUninstallKey[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟";
const std::string kGame = "D:\\Games\\英雄联盟";

std::string PathLabel(const std::string& gamePath) {
  return "游戏路径：" + gamePath + "\r\n注意：操作前请关闭游戏客户端";
}

// Everything the discovery works on, fresh for each case.
struct Scene {
  void SetInstallSource(const std::string& value) {
    registry.keys[kUninstallKey]["InstallSource"] = {platform::kRegSz, value + '\0'};
  }
  void PickFolder(const std::string& path) {
    shell.chosenList = &pickedItem;
    shell.chosenPath = path;
  }
  void Run() {
    ReleaseGlobalTexts();
    GameFolderDiscovery(registry, shell, folders, notices, window).Run();
  }
  bool EnabledAButton() const {
    return std::any_of(window.calls.begin(), window.calls.end(), [](const std::string& call) {
      return call.find(" false") != std::string::npos;
    });
  }

  FakeRegistry registry;
  FakeShell shell;
  FakeFileSystem files;
  FolderOps folders{files};
  FakeMessageBoxes boxes;
  ui::Notices notices{boxes};
  FakeWindow window;
  int pickedItem = 0;
};

class DiscoveryTest : public testing::Test {
 protected:
  void TearDown() override { ReleaseGlobalTexts(); }
};

TEST_F(DiscoveryTest, TakesTheRegistryFolderWithoutPickerOrUninstaller) {
  Scene scene;
  scene.SetInstallSource(kGame);
  scene.files.AddFile(kGame + "\\Cross\\a.dll");
  scene.files.AddFile(kGame + "\\Cross111\\a.dll");

  scene.Run();

  EXPECT_EQ(GamePath, kGame);
  EXPECT_EQ(scene.shell.dialogsShown, 0);
  EXPECT_TRUE(scene.files.CallsOf("PathFileExists").empty());
  EXPECT_TRUE(scene.boxes.shown.empty());
  EXPECT_EQ(scene.window.captions[ui::Control::标签1], PathLabel(kGame));
  EXPECT_EQ(scene.window.calls, std::vector<std::string>{"SetControlCaption 标签1"});
}

TEST_F(DiscoveryTest, UsesTheRegistryValueExactlyAsStored) {
  const char* const kValues[] = {
      "   ",                    // spaces are a value, not an absent one
      "D:\\Games\\英雄联盟\\",  // the trailing backslash stays: paths get two in a row
      "D:\\A&B\\英雄联盟",
  };
  for (const std::string value : kValues) {
    Scene scene;
    scene.SetInstallSource(value);

    scene.Run();

    EXPECT_EQ(scene.shell.dialogsShown, 0) << value;
    EXPECT_EQ(GamePath, value);
    EXPECT_EQ(scene.window.captions[ui::Control::标签1], PathLabel(value)) << value;
    EXPECT_EQ(scene.files.CallsOf("PathIsDirectory "),
              (std::vector<std::string>{"PathIsDirectory " + value + "\\Cross111",
                                        "PathIsDirectory " + value + "\\Cross"}))
        << value;
  }
}

TEST_F(DiscoveryTest, ARegistryFolderThatIsGoneIsMadeAgainWithoutAWord) {
  Scene scene;
  scene.SetInstallSource(kGame);

  scene.Run();

  EXPECT_TRUE(scene.boxes.shown.empty());
  EXPECT_TRUE(scene.files.IsFolder(kGame + "\\Cross"));
  EXPECT_TRUE(scene.window.IsDisabled(ui::Control::按钮1));
  EXPECT_TRUE(scene.window.IsDisabled(ui::Control::按钮2));
}

TEST_F(DiscoveryTest, OpensThePickerOwnedByTheMainWindowWhenTheRegistryGivesNothing) {
  Scene scene;

  scene.Run();

  ASSERT_EQ(scene.shell.dialogsShown, 1);
  EXPECT_EQ(scene.shell.shownTitle, "查找名为英雄联盟的文件夹");
  EXPECT_EQ(scene.shell.shownInfo.owner, scene.window.handle);
  ASSERT_EQ(scene.shell.sent.size(), 1u);
  EXPECT_FALSE(scene.shell.sent[0].text.has_value());  // no initial folder
}

TEST_F(DiscoveryTest, RejectsACancelledPickOrAFolderWithoutTheUninstaller) {
  const struct { const char* what; const char* picked; const char* looksFor; } kCases[] = {
      {"cancelled", nullptr, "\\英雄联盟卸载.exe"},
      {"no uninstaller", "D:\\Other", "D:\\Other\\英雄联盟卸载.exe"},
  };
  for (const auto& c : kCases) {
    Scene scene;
    scene.files.AddFile("D:\\Other\\readme.txt");
    if (c.picked) scene.PickFolder(c.picked);
    size_t windowCallsWhileNoticeOpen = 99;
    scene.boxes.whileShown = [&] { windowCallsWhileNoticeOpen = scene.window.calls.size(); };
    scene.files.calls.clear();

    scene.Run();

    ASSERT_EQ(scene.boxes.shown.size(), 1u) << c.what;
    EXPECT_EQ(scene.boxes.shown[0].text, "请选择正确的目录。比如：X:\\XXXX\\英雄联盟");
    EXPECT_EQ(scene.boxes.shown[0].style, 0x2030u);  // 48, task-modal
    EXPECT_EQ(scene.boxes.shown[0].owner, nullptr);
    EXPECT_EQ(windowCallsWhileNoticeOpen, 0u) << c.what;  // destroyed only after the notice
    EXPECT_EQ(scene.window.calls, std::vector<std::string>{"DestroyMainWindow"}) << c.what;
    EXPECT_EQ(scene.files.calls,
              std::vector<std::string>{std::string("PathFileExists ") + c.looksFor})
        << c.what;
  }
}

TEST_F(DiscoveryTest, AcceptsAPickedFolderHoldingTheUninstallerAsFileOrFolder) {
  const std::string uninstaller = kGame + "\\英雄联盟卸载.exe";
  for (const bool asFolder : {false, true}) {
    Scene scene;
    asFolder ? scene.files.AddFolder(uninstaller) : scene.files.AddFile(uninstaller);
    scene.PickFolder(kGame);

    scene.Run();

    EXPECT_TRUE(scene.boxes.shown.empty()) << asFolder;
    EXPECT_EQ(GamePath, kGame);
    EXPECT_EQ(scene.window.captions[ui::Control::标签1], PathLabel(kGame)) << asFolder;
    EXPECT_TRUE(scene.files.IsFolder(kGame + "\\Cross")) << asFolder;
  }
}

TEST_F(DiscoveryTest, ACancelledPickGoesOnWhenTheCurrentDriveRootHoldsTheUninstaller) {
  Scene scene;
  scene.files.AddFile("\\英雄联盟卸载.exe");

  scene.Run();

  EXPECT_EQ(GamePath, "");
  EXPECT_TRUE(scene.boxes.shown.empty());
  EXPECT_EQ(scene.window.captions[ui::Control::标签1], PathLabel(""));
  EXPECT_EQ(scene.files.CallsOf("PathIsDirectory "),
            (std::vector<std::string>{"PathIsDirectory \\Cross111", "PathIsDirectory \\Cross"}));
}

// One folder's state under the install folder, and whether its button ends up disabled.
struct FolderRow {
  const char* what;
  void (*make)(FakeFileSystem& files, const std::string& path);
  bool disabled;
};

void Missing(FakeFileSystem&, const std::string&) {}
void AFile(FakeFileSystem& files, const std::string& path) { files.AddFile(path); }
void Empty(FakeFileSystem& files, const std::string& path) { files.AddFolder(path); }
void WithAFile(FakeFileSystem& files, const std::string& path) {
  files.AddFile(path + "\\a.dll");
}
void WithAFolder(FakeFileSystem& files, const std::string& path) {
  files.AddFolder(path + "\\sub");
}

// The same states give the same answer for Cross111 (按钮2, "还原") and Cross (按钮1, "优化").
const FolderRow kFolderStates[] = {
    {"missing", Missing, true},
    {"a file", AFile, true},
    {"empty", Empty, true},
    {"with a file", WithAFile, false},
    {"with a folder", WithAFolder, false},
};

// Every state of Cross111 against every state of Cross: each button follows its own folder.
TEST_F(DiscoveryTest, SetsEachButtonFromItsOwnFolder) {
  for (const FolderRow& backup : kFolderStates) {
    for (const FolderRow& component : kFolderStates) {
      Scene scene;
      scene.SetInstallSource(kGame);
      scene.files.AddFolder(kGame);
      backup.make(scene.files, kGame + "\\Cross111");
      component.make(scene.files, kGame + "\\Cross");

      scene.Run();

      const std::string row = std::string("Cross111 ") + backup.what + ", Cross " + component.what;
      EXPECT_EQ(scene.window.IsDisabled(ui::Control::按钮2), backup.disabled) << row;
      EXPECT_EQ(scene.window.IsDisabled(ui::Control::按钮1), component.disabled) << row;
      EXPECT_FALSE(scene.EnabledAButton()) << row;
      // Only a Cross that is not a folder is made; a file of that name stays a file.
      const bool notAFolder = component.make == Missing || component.make == AFile;
      EXPECT_EQ(scene.files.CallsOf("MakeSureDirectoryPathExists").size(), notAFolder ? 1u : 0u)
          << row;
      EXPECT_EQ(scene.files.IsFolder(kGame + "\\Cross"), component.make != AFile) << row;
    }
  }
}

}  // namespace
