#pragma once
// Timing, summaries and the table of the benchmark driver. Every figure is compared with one
// taken in the same run, the two measured alternately, so the machine's load falls on both alike.

#include <functional>
#include <string>
#include <vector>

namespace bench {

using Samples = std::vector<double>;

/// Milliseconds since an arbitrary fixed point (QueryPerformanceCounter).
double NowMs();
/// Polls `ready` about every millisecond until it answers true (true) or `deadlineMs` passes.
/// The end-to-end harness polls every 10 ms, too coarse for events timed in milliseconds.
bool WaitClosely(const std::function<bool()>& ready, double deadlineMs = 30000);

/// Runs `a` then `b`, `runs` times over, appending what each returns to its samples.
void Alternate(int runs, const std::function<double()>& a, Samples* aSamples,
               const std::function<double()>& b, Samples* bSamples);

/// One row of the table: `subject` against `reference`, measured in the same run.
struct Comparison {
  std::string measure;  // what is measured, with its unit
  std::string subject;
  Samples subjectSamples;
  std::string reference;
  Samples referenceSamples;
  double goal = 0;  // the highest ratio aimed at; 0 where the figure is only reported
};

/// The rows as a Markdown table: median and min-max of each side, the ratio of the medians, the
/// goal and whether it was met. ASCII only: the sources' literals are code page 936 bytes.
std::string MarkdownTable(const std::vector<Comparison>& rows);

/// Ends the benchmark with a message when a run did not go as it must (no figure is better
/// than a wrong one).
[[noreturn]] void Fail(const std::string& why);

}  // namespace bench
