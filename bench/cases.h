#pragma once
// The benchmark's cases. Each runs its programs under the same conditions, alternately, and
// answers its rows of the table.

#include <algorithm>
#include <vector>

#include "bench/measure.h"

namespace bench {

struct Settings {
  int runs = 31;        // start-up, memory and the client check: each side this many times
  int folderRuns = 9;   // the cases that build trees of files first
  int treeDivisor = 1;  // the trees' file counts are divided by this (a quick smoke run)

  /// The number of files a tree of `size` files gets in this run; at least one.
  int Files(int size) const { return std::max(1, size / treeDivisor); }
};

/// Start-up to the first paint, and memory after start: Kestrova.exe against the baseline.
std::vector<Comparison> StartUpCases(const Settings& settings);
/// IsGameClientRunning against one bare process snapshot, without and with 50 extra processes.
std::vector<Comparison> ClientCheckCases(const Settings& settings);
/// DeleteDirectoryTree, and the whole restore click, against `rd /s /q` on the same trees.
std::vector<Comparison> TreeDeletionCases(const Settings& settings);
/// The optimize click on a large Cross against a small one: a rename must not grow with it.
std::vector<Comparison> OptimizeCases(const Settings& settings);

}  // namespace bench
