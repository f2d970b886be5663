#include "app/program.h"

#include <algorithm>

#include "app/global_texts.h"
#include "app/texts.h"

namespace {

// The folder part of a module path: everything before its last backslash.
std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

Program::Program(const Platform& platform)
    : platform_(platform),
      notices_(platform.boxes),
      folders_(platform.files),
      clients_(platform.processes),
      window_(platform.gui, {[this] { switch_.HandleOptimizeClick(); },
                             [this] { switch_.HandleRestoreClick(); },
                             [this] { HandleMainWindowDestroyed(); }}),
      discovery_(platform.registry, platform.shell, folders_, notices_, window_),
      switch_(clients_, folders_, notices_, window_) {}

int Program::Run() {
  platform_.process.InitializeOle();
  platform_.process.SetCurrentFolder(FolderOf(platform_.process.ModuleFileName()));
  AddExitCleanup(ReleaseGlobalTexts);

  if (!window_.Create()) {
    FailFatally();
    return -1;  // only reached where ending the process returns (tests)
  }
  HandleMainWindowCreated();
  window_.Show();

  messageLoopEntered_ = true;
  const int exitCode = platform_.gui.RunMessageLoop();
  RunEndSequence();
  return exitCode;
}

void Program::HandleMainWindowCreated() {
  EnsureSingleInstance(texts::kInstanceEventName);
  discovery_.Run();
}

void Program::HandleMainWindowDestroyed() {
  if (messageLoopEntered_) platform_.gui.PostQuit(0);
}

void Program::EnsureSingleInstance(const std::string& identifier) {
  // Creating the event and looking at whether it existed closes the gap between testing and
  // claiming: of two copies started at the same instant, only one creates it.
  if (platform_.process.OpenNamedEvent(identifier) ||
      platform_.process.CreateNamedEvent(identifier) == platform::EventCreation::AlreadyExisted) {
    EndProgram(0);
  }
}

void Program::EndProgram(int exitCode) {
  RunEndSequence();
  platform_.process.ExitProcessNow(exitCode);
}

void Program::AddExitCleanup(void (*routine)()) {
  if (std::find(exitCleanup_.begin(), exitCleanup_.end(), routine) == exitCleanup_.end())
    exitCleanup_.push_back(routine);
}

void Program::RunEndSequence() {
  const std::vector<void (*)()> routines = std::move(exitCleanup_);
  exitCleanup_.clear();
  for (void (*routine)() : routines) routine();
  platform_.process.UninitializeOle();
}

void Program::FailFatally() {
  platform_.boxes.ShowMessageBox(nullptr, texts::kFatalError, texts::kWindowCaption,
                                 0x10 /* MB_ICONHAND */);
  exitCleanup_.clear();
  EndProgram(-1);
}
