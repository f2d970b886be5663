// "优化" and "还原" end to end on the real Kestrova.exe, real folders and real processes: every
// folder state of both buttons, the overwrite question, the game clients, folders held open or
// holding what can't be removed, a folder link, and the typical run from start to close.
// Every file carries its own bytes, and each case compares the whole tree with them before and
// after, so a lost or altered file of the backup shows.
#include <string>
#include <vector>

#include "app/texts.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr Millis kStaysOpenWatch{200};  // how long a window that must stay open is watched

// ---- The game folder, with each file's bytes ----

// Cross and Cross111 with all they hold, sorted: "Cross\\" for a folder, "Cross\\a.dll=bytes"
// for a file.
Lines Tree(const GameFolder& game) {
  Lines tree;
  for (const std::string& entry : ContentsOf(game.Path())) {
    if (entry.rfind("Cross", 0) == 0) tree.push_back(entry);
  }
  return tree;
}

// Puts Cross and Cross111 into the state `entries` gives, in Tree's notation.
void Arrange(const GameFolder& game, const Lines& entries) {
  game.Remove("Cross");
  game.Remove("Cross111");
  for (const std::string& entry : entries) {
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) game.AddFolder(entry.substr(0, entry.size() - 1));
    else game.AddFile(entry.substr(0, equals), entry.substr(equals + 1));
  }
}

// ---- Clicks and notices ----

struct Notice {
  const char* text;
  int answer;  // the button that closes it
};

// The style of each notice these buttons show: its buttons (low four bits) and its icon.
struct NoticeStyle {
  const char* text;
  UINT style;
};

constexpr NoticeStyle kNoticeStyles[] = {
    {texts::kCloseClientFirst, MB_OK | MB_ICONEXCLAMATION},
    {texts::kAlreadyOptimized, MB_OK | MB_ICONEXCLAMATION},
    {texts::kOverwriteBackup, MB_YESNO | MB_ICONQUESTION},
    {texts::kOptimizeFailed, MB_OK | MB_ICONHAND},
    {texts::kOptimizeDone, MB_OK | MB_ICONASTERISK},
    {texts::kNoBackup, MB_OK | MB_ICONEXCLAMATION},
    {texts::kRestoreFailed, MB_OK | MB_ICONHAND},
    {texts::kRestoreDone, MB_OK | MB_ICONASTERISK},
};

UINT StyleOf(const std::string& text) {
  for (const NoticeStyle& notice : kNoticeStyles) {
    if (text == notice.text) return notice.style;
  }
  return 0;
}

// Answers each notice as `notices` says, after checking its text, buttons and icon and that the
// main window is still there while it is open.
void AnswerEach(HWND main, DWORD pid, const std::vector<Notice>& notices) {
  for (const Notice& expected : notices) {
    SCOPED_TRACE(expected.text);
    HWND box = WaitForNotice(pid);
    ASSERT_TRUE(box) << "no notice";
    EXPECT_EQ(NoticeText(box), expected.text);
    const UINT style = StyleOf(expected.text);
    const std::vector<int> buttons =
        (style & MB_TYPEMASK) == MB_YESNO ? std::vector<int>{IDYES, IDNO} : std::vector<int>{IDOK};
    EXPECT_EQ(NoticeButtons(box), buttons);
    EXPECT_EQ(NoticeIcon(box), style & MB_ICONMASK);
    EXPECT_TRUE(IsWindow(main)) << "the main window went while the notice was open";
    AnswerNotice(box, expected.answer);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the notice stays open";
  }
}

// Clicks the button (BM_CLICK, posted: the handler blocks in its notices) and answers them.
void ClickThrough(HWND main, DWORD pid, int button, const std::vector<Notice>& notices) {
  PostMessageA(ControlOf(main, button), BM_CLICK, 0, 0);
  AnswerEach(main, pid, notices);
}

// True once the click's handler has returned without opening a further notice: a message sent
// to the main window is taken only after the handler returned, or inside a notice then open.
bool EndedWithoutFurtherNotice(HWND main, DWORD pid) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  return FindNotice(pid) == nullptr;
}

// ---- Every folder state of both buttons ----

struct Row {
  const char* name;
  int button;
  Lines before;          // Cross and Cross111 when the button is clicked (arranged by hand)
  const char* readOnly;  // a file of `before` made read-only, or null
  const char* heldOpen;  // a folder another process holds a handle to (no delete sharing), or null
  std::vector<Notice> notices;
  bool ends;                 // the program ends, exit code 0, after the last notice
  bool optimizeEnabled;      // the buttons afterwards, when the program goes on
  bool restoreEnabled;
  Lines after;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

const Lines kFullCross = {"Cross\\", "Cross\\a.dll=new a", "Cross\\sub\\",
                          "Cross\\sub\\b.dll=new b"};
const Lines kFullBackup = {"Cross111\\", "Cross111\\old.dll=old backup", "Cross111\\sub\\",
                           "Cross111\\sub\\deep.dll=deep backup"};
const Lines kMovedAside = {"Cross111\\", "Cross111\\a.dll=new a", "Cross111\\sub\\",
                           "Cross111\\sub\\b.dll=new b", "Cross\\"};
const Lines kBackupRestored = {"Cross\\", "Cross\\old.dll=old backup", "Cross\\sub\\",
                               "Cross\\sub\\deep.dll=deep backup"};

Lines Both(const Lines& first, const Lines& second) {
  Lines both = first;
  both.insert(both.end(), second.begin(), second.end());
  return both;
}

const Notice kAlreadyOptimized = {texts::kAlreadyOptimized, IDOK};
const Notice kOptimizeDone = {texts::kOptimizeDone, IDOK};
const Notice kOptimizeFailed = {texts::kOptimizeFailed, IDOK};
const Notice kAnswerYes = {texts::kOverwriteBackup, IDYES};
const Notice kAnswerNo = {texts::kOverwriteBackup, IDNO};
const Notice kNoBackup = {texts::kNoBackup, IDOK};
const Notice kRestoreDone = {texts::kRestoreDone, IDOK};
const Notice kRestoreFailed = {texts::kRestoreFailed, IDOK};

const Row kOptimizeRows[] = {
    {"CrossMissing", ids::按钮1, kFullBackup, nullptr, nullptr, {kAlreadyOptimized}, false, true,
     true, Both(kFullBackup, {"Cross\\"})},
    {"CrossMissingNoBackup", ids::按钮1, {}, nullptr, nullptr, {kAlreadyOptimized}, false, true,
     true, {"Cross\\"}},
    {"CrossEmpty", ids::按钮1, Both(kFullBackup, {"Cross\\"}), nullptr, nullptr,
     {kAlreadyOptimized}, false, true, true, Both(kFullBackup, {"Cross\\"})},
    {"NoBackup", ids::按钮1, kFullCross, nullptr, nullptr, {kOptimizeDone}, false, false, true,
     kMovedAside},
    {"EmptyBackupGoesWithoutAQuestion", ids::按钮1, Both({"Cross111\\"}, kFullCross), nullptr,
     nullptr, {kOptimizeDone}, false, false, true, kMovedAside},
    {"BackupAnsweredYes", ids::按钮1, Both(kFullBackup, kFullCross), nullptr, nullptr,
     {kAnswerYes, kOptimizeDone}, false, false, true, kMovedAside},
    {"BackupAnsweredNo", ids::按钮1, Both(kFullBackup, kFullCross), nullptr, nullptr, {kAnswerNo},
     false, true, true, Both(kFullBackup, kFullCross)},
    // Wine lets the question be closed (IDCANCEL, answer code 1): not a Yes either.
    {"BackupQuestionClosed", ids::按钮1, Both(kFullBackup, kFullCross), nullptr, nullptr,
     {{texts::kOverwriteBackup, IDCANCEL}}, false, true, true, Both(kFullBackup, kFullCross)},
    {"BackupIsAFile", ids::按钮1, Both({"Cross111=a file"}, kFullCross), nullptr, nullptr,
     {kOptimizeFailed}, false, true, true, Both({"Cross111=a file"}, kFullCross)},
    // A file holds the name Cross: fails before the question, so no Yes can cost the backup.
    {"CrossIsAFileWithBackup", ids::按钮1, Both(kFullBackup, {"Cross=a file"}), nullptr, nullptr,
     {kOptimizeFailed}, false, true, true, Both(kFullBackup, {"Cross=a file"})},
    {"CrossHeldOpen", ids::按钮1, kFullCross, nullptr, "Cross", {kOptimizeFailed}, false, true, true,
     kFullCross},
    {"CrossHeldOpenAfterYes", ids::按钮1, Both(kFullBackup, kFullCross), nullptr, "Cross",
     {kAnswerYes, kOptimizeFailed}, false, true, true, kFullCross},
    // What the deletion of the old backup could remove stays removed; Cross is untouched.
    {"ReadOnlyFileInBackupAfterYes", ids::按钮1, Both(kFullBackup, kFullCross),
     "Cross111\\sub\\deep.dll", nullptr, {kAnswerYes, kOptimizeFailed}, false, true, true,
     Both({"Cross111\\", "Cross111\\sub\\", "Cross111\\sub\\deep.dll=deep backup"}, kFullCross)},
};

const Row kRestoreRows[] = {
    {"NoBackup", ids::按钮2, kFullCross, nullptr, nullptr, {kNoBackup}, false, true, true,
     kFullCross},
    {"BackupIsAFile", ids::按钮2, Both({"Cross111=a file"}, kFullCross), nullptr, nullptr,
     {kNoBackup}, false, true, true, Both({"Cross111=a file"}, kFullCross)},
    {"CrossFull", ids::按钮2, Both(kFullBackup, kFullCross), nullptr, nullptr, {kRestoreDone}, false,
     true, false, kBackupRestored},
    {"CrossEmpty", ids::按钮2, Both(kFullBackup, {"Cross\\"}), nullptr, nullptr, {kRestoreDone},
     false, true, false, kBackupRestored},
    {"EmptyBackup", ids::按钮2, Both({"Cross111\\"}, kFullCross), nullptr, nullptr, {kRestoreDone},
     false, true, false, {"Cross\\"}},
    {"CrossDeletedByHand", ids::按钮2, kFullBackup, nullptr, nullptr, {kRestoreFailed}, true, false,
     false, kFullBackup},
    {"ReadOnlyFileInCross", ids::按钮2, Both(kFullBackup, kFullCross), "Cross\\sub\\b.dll", nullptr,
     {kRestoreFailed}, true, false, false,
     Both(kFullBackup, {"Cross\\", "Cross\\sub\\", "Cross\\sub\\b.dll=new b"})},
    // Cross is deleted, then the rename fails: the backup keeps every file under its own name.
    {"BackupHeldOpen", ids::按钮2, Both(kFullBackup, kFullCross), nullptr, "Cross111",
     {kRestoreFailed}, true, false, false, kFullBackup},
};

class SwitchRow : public AppTest, public ::testing::WithParamInterface<Row> {};

// Proves each row: the notices with their texts and buttons, the buttons afterwards (or the end
// with exit code 0 once the failure notice is closed), and Cross and Cross111 byte for byte.
TEST_P(SwitchRow, NoticesButtonsAndFolders) {
  const Row& row = GetParam();
  HWND main = StartApp();
  ASSERT_TRUE(main);
  const DWORD pid = apps_.front().Id();
  Arrange(game_, row.before);
  if (row.readOnly)
    SetFileAttributesA((game_.Path() + "\\" + row.readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (row.heldOpen) {
    held = CreateFileA((game_.Path() + "\\" + row.heldOpen).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  ASSERT_EQ(Tree(game_), row.before);

  ClickThrough(main, pid, row.button, row.notices);

  if (row.ends) {
    EXPECT_EQ(apps_.front().WaitForExit(), 0u);
  } else {
    EXPECT_TRUE(EndedWithoutFurtherNotice(main, pid)) << Describe(FindNotice(pid));
    // A destruction request would be posted: watch that none is carried out.
    EXPECT_TRUE(StaysTrue([&] { return IsWindowVisible(main) != 0; }, kStaysOpenWatch));
    EXPECT_EQ(IsWindowEnabled(ControlOf(main, ids::按钮1)) != 0, row.optimizeEnabled);
    EXPECT_EQ(IsWindowEnabled(ControlOf(main, ids::按钮2)) != 0, row.restoreEnabled);
  }
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(Tree(game_), row.after);
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Optimize, SwitchRow, ::testing::ValuesIn(kOptimizeRows), RowName);
INSTANTIATE_TEST_SUITE_P(Restore, SwitchRow, ::testing::ValuesIn(kRestoreRows), RowName);

// ---- Game clients, links, clicks under a notice ----

using Switch = AppTest;

// Proves each of the four client programs, running, makes both buttons refuse and touch nothing.
TEST_F(Switch, EachClientBlocksBothButtons) {
  HWND main = StartApp();
  ASSERT_TRUE(main);
  const DWORD pid = apps_.front().Id();
  const Lines before = Tree(game_);
  for (const char* client : texts::kGameClientNames) {
    SCOPED_TRACE(client);
    NamedSleeper running(client);
    ASSERT_TRUE(running.process().Running());
    for (int button : {ids::按钮1, ids::按钮2}) {
      ClickThrough(main, pid, button, {{texts::kCloseClientFirst, IDOK}});
      EXPECT_TRUE(EndedWithoutFurtherNotice(main, pid));
    }
    EXPECT_EQ(Tree(game_), before);
    EXPECT_TRUE(IsWindowEnabled(ControlOf(main, ids::按钮1)));
    EXPECT_TRUE(IsWindowEnabled(ControlOf(main, ids::按钮2)));
  }
}

// Proves a folder link inside Cross is never emptied through during restore: the folder it
// points to, outside the game folder, keeps every file. Wine can't remove such a link (its
// RemoveDirectoryA fails on a link to a folder that holds files), so restore fails and ends;
// the backup is untouched.
TEST_F(Switch, RestoreLeavesTheTargetOfAFolderLinkInCrossIntact) {
  HWND main = StartApp();
  ASSERT_TRUE(main);
  const DWORD pid = apps_.front().Id();
  Arrange(game_, Both(kFullBackup, kFullCross));
  const std::string outside = game_.Path() + "\\..\\outside";
  game_.AddFile("..\\outside\\keep.txt", "keep");
  game_.AddFile("..\\outside\\deeper\\keep2.txt", "keep too");
  if (!StartUnixCommand("Z:\\bin\\ln -s ../../outside Cross/link", game_.Path()))
    GTEST_SKIP() << "no Unix ln to make a folder link with (not under Wine)";
  const std::string link = game_.Path() + "\\Cross\\link";
  ASSERT_TRUE(WaitUntil([&] {
    return GetFileAttributesA(link.c_str()) ==
           (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
  }));

  ClickThrough(main, pid, ids::按钮2, {kRestoreFailed});
  EXPECT_EQ(apps_.front().WaitForExit(), 0u);

  EXPECT_EQ(ReadWholeFile(outside + "\\keep.txt"), "keep");
  EXPECT_EQ(ReadWholeFile(outside + "\\deeper\\keep2.txt"), "keep too");
  const Lines tree = Tree(game_);
  EXPECT_EQ(Lines(tree.begin(), tree.begin() + kFullBackup.size()), kFullBackup);
  StartUnixCommand("Z:\\bin\\rm -f Cross/link", game_.Path());
  EXPECT_TRUE(
      WaitUntil([&] { return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; }));
}

// Moves the notice off the main window, so that a click aimed at a button reaches the window and
// not the notice's own buttons. The notice places itself while it starts: a message it answers
// shows that it has started, and only then is it moved. True once it is clear of the window.
bool MoveAside(HWND box, HWND main) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  const RECT mainRect = ScreenRect(main);
  SetWindowPos(box, nullptr, mainRect.right + 10, 0, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return WaitUntil([&] {
    RECT overlap{}, boxRect = ScreenRect(box);
    return !IntersectRect(&overlap, &boxRect, &mainRect);
  });
}

// Proves real clicks on either button do nothing while the question is open: the main window is
// disabled, no second notice opens, no folder changes; and that the same click works once the
// notice is gone.
TEST_F(Switch, ClicksWhileANoticeIsOpenDoNothing) {
  Arrange(game_, Both(kFullBackup, kFullCross));
  HWND main = StartApp();
  ASSERT_TRUE(main);
  const DWORD pid = apps_.front().Id();
  const Lines before = Tree(game_);
  ASSERT_TRUE(BringToFront(main));
  ClickCentre(ControlOf(main, ids::按钮1));
  HWND question = WaitForNotice(pid);
  ASSERT_TRUE(question) << "a real click on 优化 opened no notice";
  ASSERT_TRUE(MoveAside(question, main)) << Describe(question);
  EXPECT_FALSE(IsWindowEnabled(main));

  const std::vector<HWND> windows = VisibleWindowsOf(pid);
  for (int button : {ids::按钮1, ids::按钮2}) ClickCentre(ControlOf(main, button));
  EXPECT_TRUE(StaysTrue([&] { return VisibleWindowsOf(pid) == windows; }, Millis{500}));
  EXPECT_EQ(Tree(game_), before);

  AnswerEach(main, pid, {kAnswerNo});
  EXPECT_TRUE(EndedWithoutFurtherNotice(main, pid));
  EXPECT_TRUE(IsWindowEnabled(main));
  ASSERT_TRUE(BringToFront(main));
  ClickCentre(ControlOf(main, ids::按钮1));
  AnswerEach(main, pid, {kAnswerNo});
  EXPECT_EQ(Tree(game_), before);
}

// ---- The typical run ----

// Writes a PNG of the whole screen as `name`.png into the folder that KESTROVA_SCREENSHOTS names
// (a Unix path), when it is set; tools/screenshots.sh sets it and runs this under Wine's virtual
// desktop, so caption bars are drawn. The topmost window of process `pid` is made the active
// one and all of them are repainted first, the main window below a notice included.
void Screenshot(DWORD pid, const std::string& name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("KESTROVA_SCREENSHOTS", folder, sizeof folder)) return;
  const std::vector<HWND> windows = VisibleWindowsOf(pid);  // topmost first
  ASSERT_FALSE(windows.empty());
  BringToFront(windows.front());
  for (auto window = windows.rbegin(); window != windows.rend(); ++window)
    RedrawWindow(*window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::string png = std::string(folder) + "/" + name + ".png";
  // Written under another name first: the file appears only once it is complete.
  const std::string part = "'" + png + ".part'";
  ASSERT_TRUE(StartUnixCommand("Z:\\bin\\sh -c \"import -window root png:" + part + " && mv " +
                                   part + " '" + png + "'\"",
                               DriverFolder()));
  std::string windowsPath = "Z:" + png;
  for (char& c : windowsPath) c = c == '/' ? '\\' : c;
  EXPECT_TRUE(WaitUntil([&] {
    return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
  })) << "no screenshot " << png;
}

// Clicks the button with the real mouse and waits for the notice it opens.
HWND ClickForNotice(HWND main, DWORD pid, int button) {
  if (!BringToFront(main)) return nullptr;
  ClickCentre(ControlOf(main, button));
  return WaitForNotice(pid);
}

// One click of the typical run: the notice it brings, then the folders and 优化's state.
struct RunStep {
  int button;
  Notice done;
  const char* noticeShot;
  Lines after;
  bool optimizeEnabled;  // 还原 the other way round
  const char* windowShot;
};

const RunStep kTypicalRun[] = {
    {ids::按钮1, kOptimizeDone, "2-optimize-done", kMovedAside, false, "3-main-window-optimized"},
    {ids::按钮2, kRestoreDone, "4-restore-done", kFullCross, true, "5-main-window-restored"},
};

// Proves the typical run: the game found with Cross full and no Cross111, so only 优化 is
// enabled; 优化 moves Cross aside and swaps the buttons; 还原 brings it back and swaps them
// again; closing the window ends the program with exit code 0. Real mouse clicks throughout.
TEST_F(Switch, TypicalRun) {
  Arrange(game_, kFullCross);
  HWND main = StartApp();
  ASSERT_TRUE(main);
  const DWORD pid = apps_.front().Id();
  HWND optimize = ControlOf(main, ids::按钮1), restore = ControlOf(main, ids::按钮2);
  EXPECT_EQ(TextOf(ControlOf(main, ids::标签1)),
            texts::kPathLabelPrefix + game_.Path() + texts::kPathLabelSuffix);
  EXPECT_TRUE(IsWindowEnabled(optimize));
  EXPECT_FALSE(IsWindowEnabled(restore));
  Screenshot(pid, "1-main-window");

  for (const RunStep& step : kTypicalRun) {
    SCOPED_TRACE(step.done.text);
    HWND done = ClickForNotice(main, pid, step.button);
    ASSERT_TRUE(done) << "a real click opened no notice";
    Screenshot(pid, step.noticeShot);
    AnswerEach(main, pid, {step.done});
    EXPECT_TRUE(EndedWithoutFurtherNotice(main, pid));
    EXPECT_EQ(Tree(game_), step.after);
    EXPECT_EQ(IsWindowEnabled(optimize) != 0, step.optimizeEnabled);
    EXPECT_EQ(IsWindowEnabled(restore) != 0, !step.optimizeEnabled);
    Screenshot(pid, step.windowShot);
  }

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(apps_.front().WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
