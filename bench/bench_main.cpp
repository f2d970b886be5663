// The benchmark driver: measures Kestrova.exe (built beside it) against the floor and writes the
// table of figures to the file named on its command line. tools/bench.sh runs it under Wine.
//
//   kestrova_bench.exe [--smoke] TABLE.md
//
// --smoke: one run of each case on trees a hundred times smaller; only proves the cases run.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/cases.h"

namespace {

using CaseGroup = std::vector<bench::Comparison> (*)(const bench::Settings&);

constexpr struct {
  const char* name;
  CaseGroup run;
} kGroups[] = {
    {"start-up and memory", bench::StartUpCases},
    {"client check", bench::ClientCheckCases},
    {"optimize", bench::OptimizeCases},
    {"tree deletion and restore", bench::TreeDeletionCases},
};

bool WriteText(const char* path, const std::string& text) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  // A crash ends the run instead of opening a dialog nobody on an Xvfb display would close.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  const bool smoke = argc == 3 && std::strcmp(argv[1], "--smoke") == 0;
  if (argc != 2 && !smoke) {
    std::fprintf(stderr, "usage: kestrova_bench.exe [--smoke] TABLE.md\n");
    return 2;
  }
  bench::Settings settings;
  if (smoke) settings = {1, 1, 100};

  std::vector<bench::Comparison> rows;
  for (const auto& group : kGroups) {
    std::fprintf(stderr, "bench: %s\n", group.name);
    for (const bench::Comparison& row : group.run(settings)) rows.push_back(row);
  }
  if (!WriteText(argv[argc - 1], bench::MarkdownTable(rows))) {
    std::fprintf(stderr, "could not write %s\n", argv[argc - 1]);
    return 1;
  }
  return 0;
}
