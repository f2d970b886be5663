// The optimize click on Cross folders of growing size: one rename, so the time from the click to
// "优化成功！" must not grow with the number of files.
#include <memory>

#include "bench/cases.h"
#include "bench/fixtures.h"

namespace bench {

namespace {

constexpr int kCrossSizes[] = {10, 1000, 100000};

// Optimizes `game` once and puts its Cross back as it was for the next run.
double TimeOptimizeClick(const Game& game) {
  double elapsed = 0;
  {
    RunningKestrova kestrova(game);
    elapsed = TimeClickToNotice(kestrova, e2e::ids::按钮1, "优化成功！");
  }
  const std::string cross = game.Path() + "\\Cross";
  if (!RemoveDirectoryA(cross.c_str()) || !MoveFileA((cross + "111").c_str(), cross.c_str()))
    Fail("could not put back " + cross);
  return elapsed;
}

std::string CrossOf(int files) { return "Cross of " + std::to_string(files) + " files"; }

}  // namespace

std::vector<Comparison> OptimizeCases(const Settings& settings) {
  std::vector<std::unique_ptr<Game>> games;
  std::vector<Samples> samples(std::size(kCrossSizes));
  for (int size : kCrossSizes) {
    games.push_back(std::make_unique<Game>());
    BuildTree(games.back()->Path() + "\\Cross", settings.Files(size));
  }
  for (int run = 0; run < settings.folderRuns; ++run) {
    for (size_t n = 0; n < games.size(); ++n) samples[n].push_back(TimeOptimizeClick(*games[n]));
  }
  const auto files = [&](size_t n) { return settings.Files(kCrossSizes[n]); };
  return {
      {"Optimize click to notice (ms)", CrossOf(files(2)), samples[2], CrossOf(files(0)),
       samples[0], 1.5},
      {"Optimize click to notice (ms)", CrossOf(files(1)), samples[1], CrossOf(files(0)),
       samples[0], 0},
  };
}

}  // namespace bench
