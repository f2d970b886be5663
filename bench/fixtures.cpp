#include "bench/fixtures.h"

#include "bench/measure.h"

namespace bench {

namespace {

constexpr int kFilesPerFolder = 100;
constexpr double kStartDeadlineMs = 30000;

std::string LeafFolder(const std::string& root, int index) {
  return root + "\\d" + std::to_string(index / 100) + "\\d" + std::to_string(index / 10 % 10) +
         "\\d" + std::to_string(index % 10);
}

void MakeFolders(const std::string& leaf, size_t rootLength) {
  for (size_t cut = leaf.find('\\', rootLength + 1); cut != std::string::npos;
       cut = leaf.find('\\', cut + 1))
    CreateDirectoryA(leaf.substr(0, cut).c_str(), nullptr);
  CreateDirectoryA(leaf.c_str(), nullptr);
}

}  // namespace

void BuildTree(const std::string& folder, int files) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int file = 0; file < files; ++file) {
    const std::string leaf = LeafFolder(folder, file / kFilesPerFolder);
    if (file % kFilesPerFolder == 0) MakeFolders(leaf, folder.size());
    const std::string path = leaf + "\\f" + std::to_string(file % kFilesPerFolder) + ".dat";
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) Fail("could not create " + path);
    CloseHandle(handle);
  }
}

bool WaitUntilShownAndIdle(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  const bool idle = WaitForInputIdle(process, static_cast<DWORD>(kStartDeadlineMs)) == 0;
  CloseHandle(process);
  return idle && WaitClosely([&] { return !e2e::VisibleWindowsOf(pid).empty(); });
}

bool RunCommand(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return false;
  WaitForSingleObject(info.hProcess, INFINITE);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

RunningKestrova::RunningKestrova(const Game& game)
    : entry(game.Path()), app(e2e::StartKestrova()) {
  if (!entry.Written() || !app.Started() || !WaitUntilShownAndIdle(app.Id()))
    Fail("Kestrova did not start on " + game.Path());
  window = e2e::WaitForMainWindow(app);
  if (!window) Fail("Kestrova showed something other than its main window");
}

double TimeClickToNotice(const RunningKestrova& kestrova, int buttonId,
                         const std::string& expected) {
  HWND button = e2e::ControlOf(kestrova.window, buttonId);
  if (!IsWindowEnabled(button)) Fail("the button to click is disabled");
  HWND notice = nullptr;
  const double start = NowMs();
  PostMessageA(button, BM_CLICK, 0, 0);
  WaitClosely([&] { return (notice = e2e::FindNotice(kestrova.app.Id())) != nullptr; });
  const double elapsed = NowMs() - start;
  if (!notice || e2e::NoticeText(notice) != expected)
    Fail("the click ended in another notice: " + (notice ? e2e::NoticeText(notice) : "none"));
  e2e::AnswerNotice(notice, IDOK);
  return elapsed;
}

}  // namespace bench
