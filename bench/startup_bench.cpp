// Start-up to the first paint and memory after start: Kestrova.exe against the baseline window,
// and against the baseline that also does what Kestrova must (to show what is Kestrova's own).
#include <windows.h>
#include <psapi.h>

#include "bench/cases.h"
#include "bench/fixtures.h"

namespace bench {

namespace {

constexpr double kBytesPerKb = 1024;

struct StartUp {
  double ms;
  double privateKb;
  double peakWorkingSetKb;
};

struct Program {
  const char* exe;
  const char* caption;  // of its main window
  const char* name;     // in the table
  Samples ms = {}, privateKb = {}, peakWorkingSetKb = {};

  void Add(const StartUp& start) {
    ms.push_back(start.ms);
    privateKb.push_back(start.privateKb);
    peakWorkingSetKb.push_back(start.peakWorkingSetKb);
  }
};

// Private bytes are read as PagefileUsage, the commit charge: Windows gives PrivateUsage the same
// value, but Wine fills only PagefileUsage (from the process's anonymous and swapped pages).
StartUp MemoryOf(DWORD pid, double ms) {
  PROCESS_MEMORY_COUNTERS counters{};
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  const bool read = process && GetProcessMemoryInfo(process, &counters, sizeof counters);
  if (process) CloseHandle(process);
  if (!read || counters.PagefileUsage == 0) Fail("could not read the memory counters");
  return {ms, counters.PagefileUsage / kBytesPerKb, counters.PeakWorkingSetSize / kBytesPerKb};
}

// From CreateProcess to the window shown and painted, then the memory right after. A program
// that shows anything but its main window (a notice, say) is not measured.
StartUp MeasureStart(const Program& program) {
  const std::string exe = program.exe;
  const double start = NowMs();
  e2e::Process app(e2e::DriverFolder() + "\\" + exe);
  if (!app.Started() || !WaitUntilShownAndIdle(app.Id())) Fail(exe + " showed no window");
  const double ms = NowMs() - start;
  const std::vector<HWND> shown = e2e::VisibleWindowsOf(app.Id());
  if (shown.size() != 1 || e2e::TextOf(shown.front()) != program.caption)
    Fail(exe + " showed something other than its main window");
  return MemoryOf(app.Id(), ms);
}

}  // namespace

std::vector<Comparison> StartUpCases(const Settings& settings) {
  Game game;  // found in the registry, Cross and Cross111 both there: both buttons enabled
  game.AddFile("Cross\\a.dll");
  game.AddFile("Cross111\\a.dll");
  e2e::InstallSourceEntry entry(game.Path());
  if (!entry.Written()) Fail("could not write InstallSource");

  Program programs[] = {{"Kestrova.exe", "Kestrova", "Kestrova.exe"},
                        {"kestrova_baseline.exe", "Baseline", "baseline window"},
                        {"kestrova_baseline_required.exe", "Baseline", "baseline + required parts"}};
  // The first start of each loads what the system caches for the later ones.
  for (const Program& program : programs) MeasureStart(program);
  for (int run = 0; run < settings.runs; ++run) {
    for (Program& program : programs) program.Add(MeasureStart(program));
  }

  const Program& kestrova = programs[0];
  std::vector<Comparison> rows;
  for (const Program* reference : {&programs[1], &programs[2]}) {
    const bool floor = reference == &programs[1];  // the goals hold against the bare floor
    rows.push_back({"Start-up to first paint (ms)", kestrova.name, kestrova.ms, reference->name,
                    reference->ms, floor ? 1.10 : 0});
    rows.push_back({"Private bytes after start (KB)", kestrova.name, kestrova.privateKb,
                    reference->name, reference->privateKb, floor ? 1.2 : 0});
    rows.push_back({"Peak working set after start (KB)", kestrova.name,
                    kestrova.peakWorkingSetKb, reference->name, reference->peakWorkingSetKb,
                    floor ? 1.2 : 0});
  }
  return rows;
}

}  // namespace bench
