// The game client check: four snapshots of everything (flags 15, as the program takes them)
// against one snapshot of the processes alone (flags 2), with and without 50 extra processes.
#include <windows.h>
#include <tlhelp32.h>

#include <memory>

#include "bench/cases.h"
#include "bench/fixtures.h"
#include "platform/win32/win32_platform.h"
#include "switch/client_check.h"

namespace bench {

namespace {

constexpr int kExtraProcesses = 50;
constexpr DWORD kSettleMs = 5000;

double TimeClientCheck(ClientCheck& check) {
  const double start = NowMs();
  const bool running = check.IsGameClientRunning();
  const double elapsed = NowMs() - start;
  if (running) Fail("a game client name is running");
  return elapsed;
}

double TimeProcessSnapshot() {
  const double start = NowMs();
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) Fail("no process snapshot");
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
  }
  CloseHandle(snapshot);
  return NowMs() - start;
}

Comparison MeasureChecks(const std::string& setting, int runs) {
  const auto table = platform::NewWin32ProcessTable();
  ClientCheck check(*table);
  Comparison row{"Client check, " + setting + " (ms)", "IsGameClientRunning (4 x flags 15)", {},
                 "one snapshot, flags 2", {}, 0};
  Alternate(runs, [&] { return TimeClientCheck(check); }, &row.subjectSamples,
            TimeProcessSnapshot, &row.referenceSamples);
  return row;
}

}  // namespace

std::vector<Comparison> ClientCheckCases(const Settings& settings) {
  Comparison alone = MeasureChecks("no extra processes", settings.runs);
  std::vector<std::unique_ptr<e2e::NamedSleeper>> extras;
  for (int n = 0; n < kExtraProcesses; ++n)
    extras.push_back(std::make_unique<e2e::NamedSleeper>("idle" + std::to_string(n) + ".exe"));
  // Wine's CreateProcess returns once the new process has loaded its DLLs; the little that is
  // left of their start-up is given a fixed time, as Wine tells no CPU times of other processes.
  Sleep(kSettleMs);
  Comparison crowded = MeasureChecks("50 extra processes", settings.runs);
  Comparison growth{"Client check, 50 extra against none (ms)",
                    "IsGameClientRunning, 50 extra", crowded.subjectSamples,
                    "IsGameClientRunning, none extra", alone.subjectSamples, 0};
  return {alone, crowded, growth};
}

}  // namespace bench
