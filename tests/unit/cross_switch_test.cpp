// "优化" and "还原" over the fakes: every folder state of both buttons row by row, the answers to the
// overwrite question, the client check before any folder call, the failures and their endings.

#include "switch/cross_switch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/global_texts.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_process_table.h"
#include "tests/fakes/fake_window.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kGame = "D:\\英雄联盟";
const std::string kInGame = kGame + "\\";

// MessageBoxA results for the question.
constexpr int kIdCancel = 2, kIdYes = 6, kIdNo = 7, kBoxFailed = 0;

// Everything a click works on, fresh for each case. `window.calls` also gets the notices
// ("notice <style> <text>") as they open, so the order of button changes, notices and the
// destruction request shows.
struct Scene {
  explicit Scene(const Lines& entries, const char* readOnly = nullptr) {
    GamePath = kGame;
    files.AddFolder(kGame);
    for (const std::string& entry : entries) {
      if (entry.back() == '\\') files.AddFolder(kInGame + entry);
      else files.AddFile(kInGame + entry);
    }
    if (readOnly) files.AddFile(kInGame + readOnly, FakeFileSystem::kReadOnly);
    boxes.whileShown = [this] {
      const ShownBox& box = boxes.shown.back();
      EXPECT_EQ(box.caption, "信息：");
      EXPECT_EQ(box.owner, nullptr);
      window.calls.push_back("notice " + std::to_string(box.style & ~0x2000u) + " " + box.text);
    };
  }
  ~Scene() { ReleaseGlobalTexts(); }

  // Everything below the game folder, relative and sorted; folders end in "\".
  Lines Listing() const {
    Lines listing;
    for (const std::string& path : files.ListTree(kGame)) {
      if (path != kInGame) listing.push_back(path.substr(kInGame.size()));
    }
    std::sort(listing.begin(), listing.end());
    return listing;
  }
  // The calls on Cross and Cross111 themselves, with paths relative to the game folder; the
  // work inside a folder being deleted is left out.
  Lines FolderCalls() const {
    Lines kept;
    for (std::string call : files.calls) {
      for (auto at = call.find(kInGame); at != std::string::npos; at = call.find(kInGame))
        call.erase(at, kInGame.size());
      if (!GoesInside(call, "Cross\\") && !GoesInside(call, "Cross111\\")) kept.push_back(call);
    }
    return kept;
  }
  static bool GoesInside(const std::string& call, const std::string& folder) {
    const std::string::size_type at = call.find(folder);
    return at != std::string::npos && at + folder.size() < call.size();
  }

  FakeFileSystem files;
  FolderOps folders{files};
  FakeProcessTable processes;
  ClientCheck clients{processes};
  FakeMessageBoxes boxes;
  ui::Notices notices{boxes};
  FakeWindow window;
  CrossSwitch cross{clients, folders, notices, window};
};

// ---- 优化 ----

struct OptimizeCase {
  const char* name;
  Lines before;
  const char* readOnly;  // a read-only file among the entries, or null
  int answer;            // the MessageBoxA result for the question, when it is asked
  bool renameFails;
  Lines events;
  Lines folderCalls;
  Lines after;
};

// Lines `first` followed by `more`.
Lines Then(Lines first, const Lines& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

const Lines kFullCross = {"Cross\\", "Cross\\a.dll", "Cross\\sub\\", "Cross\\sub\\b.dll"};
const Lines kFullBackup = {"Cross111\\", "Cross111\\old.dll"};
const Lines kBoth = Then(kFullBackup, kFullCross);
const Lines kMovedAside = {"Cross111\\", "Cross111\\a.dll", "Cross111\\sub\\",
                           "Cross111\\sub\\b.dll", "Cross\\"};

const char kAsked[] = "notice 36 检测到有备份文件存在，是否覆盖？";
const char kOptimizeFailed[] = "notice 16 优化失败！请重试。";
const Lines kOptimized = {"SetControlDisabled 按钮2 false", "SetControlDisabled 按钮1 true",
                          "notice 64 优化成功！"};
const Lines kAlreadyOptimized = {"notice 48 Cross文件夹已优化，可能你已经删除过了。"};

const Lines kMakeCross = {"PathIsDirectory Cross", "MakeSureDirectoryPathExists Cross\\",
                          "PathIsDirectoryEmpty Cross"};
const Lines kLookAtCross = {"PathIsDirectory Cross", "PathIsDirectoryEmpty Cross"};
// Cross has entries; it is asked once more whether it is a folder before the backup is touched.
const Lines kLookAtFullCross = Then(kLookAtCross, {"PathIsDirectory Cross"});
const Lines kLookAtBoth = Then(kLookAtFullCross, {"PathIsDirectory Cross111",
                                              "PathIsDirectoryEmpty Cross111"});
const Lines kMoveAside = {"MoveFileTo Cross -> Cross111", "MakeSureDirectoryPathExists Cross\\"};
const Lines kRemoveBackupAndMove = {"RemoveOneDirectory Cross111", "MoveFileTo Cross -> Cross111"};

const OptimizeCase kOptimizeCases[] = {
    {"Cross missing: an empty Cross is made, Cross111 is not looked at", kFullBackup, nullptr, 0,
     false, kAlreadyOptimized, kMakeCross, Then(kFullBackup, {"Cross\\"})},
    {"Cross missing, no Cross111", {}, nullptr, 0, false, kAlreadyOptimized, kMakeCross,
     {"Cross\\"}},
    {"Cross empty: nothing changes, Cross111 is not looked at", Then(kFullBackup, {"Cross\\"}),
     nullptr, 0, false, kAlreadyOptimized, kLookAtCross, Then(kFullBackup, {"Cross\\"})},
    {"Cross full, no Cross111: moved aside", kFullCross, nullptr, 0, false, kOptimized,
     Then(kLookAtFullCross, Then({"PathIsDirectory Cross111"}, kMoveAside)), kMovedAside},
    {"Cross full, Cross111 empty: the empty backup goes without a question",
     Then({"Cross111\\"}, kFullCross), nullptr, 0, false, kOptimized,
     Then(kLookAtBoth, Then({"RemoveOneDirectory Cross111"}, kMoveAside)), kMovedAside},
    {"Cross111 full, answer Yes (5): the old backup is replaced", kBoth, nullptr, kIdYes, false,
     Then({kAsked}, kOptimized),
     Then(kLookAtBoth, Then({"RemoveOneDirectory Cross111"}, kMoveAside)),
     kMovedAside},
    {"Cross111 full, answer No (6): nothing changes", kBoth, nullptr, kIdNo, false, {kAsked},
     kLookAtBoth, kBoth},
    {"Cross111 full, the box failed (0): nothing changes", kBoth, nullptr, kBoxFailed, false,
     {kAsked}, kLookAtBoth, kBoth},
    {"Cross111 full, the box was closed (1): nothing changes", kBoth, nullptr, kIdCancel, false,
     {kAsked}, kLookAtBoth, kBoth},
    {"rename fails after Yes: the old backup stays deleted, Cross untouched", kBoth, nullptr,
     kIdYes, true, {kAsked, kOptimizeFailed}, Then(kLookAtBoth, kRemoveBackupAndMove), kFullCross},
    {"old backup only partly deleted: what it removed stays removed, Cross untouched", kBoth,
     "Cross111\\kept.dll", kIdYes, false, {kAsked, kOptimizeFailed},
     Then(kLookAtBoth, kRemoveBackupAndMove),
     Then({"Cross111\\", "Cross111\\kept.dll"}, kFullCross)},
    {"a file named Cross, Cross111 full: fails before the question, the backup stays",
     Then(kFullBackup, {"Cross"}), nullptr, kIdYes, false, {kOptimizeFailed},
     Then(kMakeCross, {"PathIsDirectory Cross"}), Then({"Cross"}, kFullBackup)},
    {"a file named Cross111: the rename fails, nothing changes", Then({"Cross111"}, kFullCross),
     nullptr, 0, false, {kOptimizeFailed},
     Then(kLookAtFullCross, {"PathIsDirectory Cross111", "MoveFileTo Cross -> Cross111"}),
     Then({"Cross111"}, kFullCross)},
};

TEST(HandleOptimizeClick, EachFolderStateAndAnswer) {
  for (const OptimizeCase& c : kOptimizeCases) {
    SCOPED_TRACE(c.name);
    Scene scene(c.before, c.readOnly);
    scene.boxes.answers = {c.answer};
    scene.files.failMove = c.renameFails;

    scene.cross.HandleOptimizeClick();

    EXPECT_EQ(scene.window.calls, c.events);
    EXPECT_EQ(scene.FolderCalls(), c.folderCalls);
    EXPECT_EQ(scene.Listing(), c.after);
  }
}

// ---- 还原 ----

struct RestoreCase {
  const char* name;
  Lines before;
  const char* readOnly;
  bool renameFails;
  Lines events;
  Lines folderCalls;
  Lines after;
};

const Lines kRestored = {"SetControlDisabled 按钮2 true", "SetControlDisabled 按钮1 false",
                         "notice 64 还原成功！"};
const Lines kRestoreFailed = {"notice 16 还原失败！请重试。", "DestroyMainWindow"};
const Lines kNoBackup = {"notice 48 备份文件夹不存在。"};
const Lines kDeleteCross = {"PathIsDirectory Cross111", "RemoveOneDirectory Cross"};
const Lines kDeleteAndRename = Then(kDeleteCross, {"MoveFileTo Cross111 -> Cross"});
const Lines kBackupBack = {"Cross\\", "Cross\\old.dll"};

const RestoreCase kRestoreCases[] = {
    {"no Cross111: nothing changes, Cross is not looked at", kFullCross, nullptr, false,
     kNoBackup, {"PathIsDirectory Cross111"}, kFullCross},
    {"a file named Cross111 counts as none", Then({"Cross111"}, kFullCross), nullptr, false,
     kNoBackup, {"PathIsDirectory Cross111"}, Then({"Cross111"}, kFullCross)},
    {"Cross full: replaced by the backup", kBoth, nullptr, false, kRestored, kDeleteAndRename,
     kBackupBack},
    {"Cross empty", Then(kFullBackup, {"Cross\\"}), nullptr, false, kRestored, kDeleteAndRename,
     kBackupBack},
    {"Cross111 empty: restored like a full one", Then({"Cross111\\"}, kFullCross), nullptr, false,
     kRestored, kDeleteAndRename, {"Cross\\"}},
    {"Cross missing: the deletion fails, Cross111 untouched", kFullBackup, nullptr, false,
     kRestoreFailed, kDeleteCross, kFullBackup},
    {"a read-only file in Cross: the rest of Cross goes, Cross111 untouched", kBoth,
     "Cross\\sub\\ro.dll", false, kRestoreFailed, kDeleteCross,
     Then(kFullBackup, {"Cross\\", "Cross\\sub\\", "Cross\\sub\\ro.dll"})},
    {"the rename fails after Cross was deleted: Cross111 untouched", kBoth, nullptr, true,
     kRestoreFailed, kDeleteAndRename, kFullBackup},
};

TEST(HandleRestoreClick, EachFolderStateAndFailure) {
  for (const RestoreCase& c : kRestoreCases) {
    SCOPED_TRACE(c.name);
    Scene scene(c.before, c.readOnly);
    scene.files.failMove = c.renameFails;

    scene.cross.HandleRestoreClick();

    EXPECT_EQ(scene.window.calls, c.events);
    EXPECT_EQ(scene.FolderCalls(), c.folderCalls);
    EXPECT_EQ(scene.Listing(), c.after);
  }
}

// A folder link inside Cross is removed as a link: the folder it points to keeps its files. (Wine
// can't remove such a link without touching its target, so this is proved here.)
TEST(HandleRestoreClick, RemovesAFolderLinkInCrossWithoutEmptyingItsTarget) {
  Scene scene(kBoth);
  scene.files.AddFile("E:\\saves\\keep.dat");
  scene.files.AddFolderLink(kInGame + "Cross\\link", "E:\\saves");

  scene.cross.HandleRestoreClick();

  EXPECT_EQ(scene.window.calls, kRestored);
  EXPECT_EQ(scene.Listing(), kBackupBack);
  EXPECT_EQ(scene.files.ListTree("E:\\saves"), (Lines{"E:\\saves\\", "E:\\saves\\keep.dat"}));
  EXPECT_TRUE(scene.files.CallsOf("FindFiles " + kInGame + "Cross\\link").empty());
}

// ---- Both buttons ----

// A running client stops either button before any folder is looked at.
TEST(CrossSwitch, EachClientNameBlocksBothButtonsBeforeAnyFolderCall) {
  const char* const kClients[] = {"LeagueClient.exe", "leagueclientux.exe", "CLIENT.EXE",
                                  "League of Legends.exe"};
  for (const char* client : kClients) {
    for (const bool optimize : {true, false}) {
      SCOPED_TRACE(std::string(client) + (optimize ? " 优化" : " 还原"));
      Scene scene(kBoth);
      scene.processes.exeFiles = {"explorer.exe", client};

      if (optimize) scene.cross.HandleOptimizeClick();
      else scene.cross.HandleRestoreClick();

      EXPECT_EQ(scene.window.calls, Lines{"notice 48 请关闭游戏客户端后再执行本程序。"});
      EXPECT_TRUE(scene.files.calls.empty());
      EXPECT_EQ(scene.Listing(), kBoth);
    }
  }
}

// Every folder call builds its path from GamePath as it is at that moment.
TEST(CrossSwitch, BuildsEachPathAfreshFromGamePath) {
  Scene scene(kBoth);
  scene.files.AddFile("E:\\other\\Cross\\a.dll");
  scene.files.AddFile("E:\\other\\Cross111\\old.dll");
  scene.boxes.answers = {kIdYes};
  const auto record = scene.boxes.whileShown;
  scene.boxes.whileShown = [&] {
    record();
    GamePath = "E:\\other";
  };

  scene.cross.HandleOptimizeClick();

  EXPECT_EQ(scene.Listing(), kBoth);
  EXPECT_EQ(scene.files.ListTree("E:\\other\\Cross111"),
            (Lines{"E:\\other\\Cross111\\", "E:\\other\\Cross111\\a.dll"}));
}

}  // namespace
