// Restore's tree deletion: DeleteDirectoryTree on its own and the whole restore click, against
// `cmd /c rd /s /q` on an identical tree with cmd's own start-up (`cmd /c rem`) taken off.
#include "bench/cases.h"
#include "bench/fixtures.h"
#include "platform/win32/win32_platform.h"
#include "switch/folder_ops.h"

namespace bench {

namespace {

constexpr int kTreeSizes[] = {1000, 10000};

struct TreeSamples {
  Samples deleteTree, restoreClick, rd, rdWhole, cmdAlone;
};

double TimeDeleteDirectoryTree(int files) {
  e2e::GameFolder scratch;
  const std::string tree = scratch.Path() + "\\Cross";
  BuildTree(tree, files);
  const auto fileSystem = platform::NewWin32FileSystem();
  FolderOps folders(*fileSystem);
  const double start = NowMs();
  const bool removed = folders.DeleteDirectoryTree(tree);
  const double elapsed = NowMs() - start;
  if (!removed) Fail("DeleteDirectoryTree left " + tree);
  return elapsed;
}

double TimeCommand(const std::string& commandLine) {
  const double start = NowMs();
  if (!RunCommand(commandLine)) Fail("could not run " + commandLine);
  return NowMs() - start;
}

void MeasureRd(int files, TreeSamples* samples) {
  e2e::GameFolder scratch;
  const std::string tree = scratch.Path() + "\\Cross";
  BuildTree(tree, files);
  const double whole = TimeCommand("cmd.exe /c rd /s /q \"" + tree + "\"");
  if (GetFileAttributesA(tree.c_str()) != INVALID_FILE_ATTRIBUTES) Fail("rd left " + tree);
  const double cmdAlone = TimeCommand("cmd.exe /c rem");
  samples->rdWhole.push_back(whole);
  samples->cmdAlone.push_back(cmdAlone);
  samples->rd.push_back(whole - cmdAlone);
}

double TimeRestoreClick(int files) {
  Game game;
  BuildTree(game.Path() + "\\Cross", files);
  game.AddFile("Cross111\\a.dll");
  RunningKestrova kestrova(game);
  return TimeClickToNotice(kestrova, e2e::ids::按钮2, "还原成功！");
}

std::vector<Comparison> RowsFor(const std::string& files, const TreeSamples& samples) {
  const std::string rd = "rd /s /q minus cmd start-up";
  return {
      {"Delete tree, " + files + " files (ms)", "DeleteDirectoryTree", samples.deleteTree, rd,
       samples.rd, 1.0},
      {"Restore click to notice, " + files + " files (ms)", "Kestrova.exe", samples.restoreClick,
       rd, samples.rd, 1.0},
      {"cmd start-up taken off, " + files + " files (ms)", "cmd /c rd /s /q", samples.rdWhole,
       "cmd /c rem", samples.cmdAlone, 0},
  };
}

}  // namespace

std::vector<Comparison> TreeDeletionCases(const Settings& settings) {
  std::vector<Comparison> rows;
  for (int size : kTreeSizes) {
    const int files = settings.Files(size);
    TreeSamples samples;
    for (int run = 0; run < settings.folderRuns; ++run) {
      samples.deleteTree.push_back(TimeDeleteDirectoryTree(files));
      MeasureRd(files, &samples);
      samples.restoreClick.push_back(TimeRestoreClick(files));
    }
    for (Comparison& row : RowsFor(std::to_string(files), samples)) rows.push_back(row);
  }
  return rows;
}

}  // namespace bench
