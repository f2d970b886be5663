#include "bench/measure.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

double Median(Samples samples) {
  std::sort(samples.begin(), samples.end());
  const size_t middle = samples.size() / 2;
  return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// "median | min-max" of samples that are never empty.
std::string Cell(const Samples& samples) {
  const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  return Format("%.1f", Median(samples)) + " | " + Format("%.1f", *low) + "-" +
         Format("%.1f", *high);
}

}  // namespace

double NowMs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool WaitClosely(const std::function<bool()>& ready, double deadlineMs) {
  const double end = NowMs() + deadlineMs;
  while (!ready()) {
    if (NowMs() >= end) return false;
    Sleep(1);
  }
  return true;
}

void Alternate(int runs, const std::function<double()>& a, Samples* aSamples,
               const std::function<double()>& b, Samples* bSamples) {
  for (int run = 0; run < runs; ++run) {
    aSamples->push_back(a());
    bSamples->push_back(b());
  }
}

std::string MarkdownTable(const std::vector<Comparison>& rows) {
  std::string table =
      "| Measure | Subject | Median | Min-max | Reference | Median | Min-max | Ratio | Goal "
      "| Met |\n|---|---|--:|--:|---|--:|--:|--:|--:|---|\n";
  for (const Comparison& row : rows) {
    const double ratio = Median(row.subjectSamples) / Median(row.referenceSamples);
    const bool hasGoal = row.goal > 0;
    table += "| " + row.measure + " | " + row.subject + " | " + Cell(row.subjectSamples) + " | " +
             row.reference + " | " + Cell(row.referenceSamples) + " | " +
             Format("%.2f", ratio) + " | " + (hasGoal ? Format("<= %.2f", row.goal) : "-") +
             " | " + (hasGoal ? (ratio <= row.goal ? "yes" : "**no**") : "-") + " |\n";
  }
  return table;
}

void Fail(const std::string& why) {
  std::fprintf(stderr, "benchmark failed: %s\n", why.c_str());
  std::exit(1);
}

}  // namespace bench
