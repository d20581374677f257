// `quarvel-levels check` of a full level set (256 playable levels, 75,780 bytes) as a whole
// process, from spawn to exit, against `cat` of the same file as a whole process: the floor
// of starting a small program that reads the file and writes to standard output. Both
// write to /dev/null. The repetitions run interleaved in random order, so drifting load
// hits both alike; after the runs the ratio of the medians is printed. The aim is 2 x.
// Then `check` of 1,000 small sets (one to three levels each) in one process against `cat`
// of the same files: the aim is to stay under cat (below 1 x), as the files are read once
// and each only as far as it is long.
//
// The file lives in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
// (scripts/bench runs in build-bench), removed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "InterleavedRuns.h"
#include "ProcessBench.h"
#include "files/LevelSetFile.h"
#include "model/LevelSet.h"

namespace {

using namespace quarvel_bench;

constexpr double kAim = 2.0;
constexpr double kManyAim = 1.0;
constexpr int kSmallSets = 1000;
constexpr int kRepetitions = 15;

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kRepetitions)) return 1;

  const std::string folder = MakeBenchFolder("cli_bench");
  if (folder.empty()) return 1;
  const std::string file = folder + "/full.dag";
  WriteFullSet(file);

  std::vector<std::string> checkManyCommand = {QUARVEL_LEVELS_PROGRAM, "check"}, catManyCommand = {"cat"};
  for (int i = 0; i < kSmallSets; ++i) {
    const std::string small = folder + "/small" + std::to_string(i) + ".dag";
    auto set = std::make_unique<quarvel::LevelSet>();
    quarvel::ClearLevelSet(*set);
    for (int level = 0; level <= i % 3; ++level) {
      (*set)[static_cast<std::size_t>(level)].Cells[0] = 1;
      (*set)[static_cast<std::size_t>(level)].Rubies = 1;
      (*set)[static_cast<std::size_t>(level)].Time = static_cast<std::int16_t>(20 + i % 50);
    }
    quarvel::WriteLevelSetFile(small, *set);
    checkManyCommand.push_back(small);
    catManyCommand.push_back(small);
  }

  RegisterProcess("Process/quarvel-levels_check", "check", {QUARVEL_LEVELS_PROGRAM, "check", file});
  RegisterProcess("Process/cat", "cat", {"cat", file});
  RegisterProcess("Process/quarvel-levels_check_1000_small", "check many", checkManyCommand);
  RegisterProcess("Process/cat_1000_small", "cat many", catManyCommand);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);

  const double check = Median(Samples()["check"]), cat = Median(Samples()["cat"]);
  if (check > 0 && cat > 0) {
    const double ratio = check / cat;
    std::printf("\nquarvel-levels check of 256 levels: %.3f ms; cat of the same file: %.3f ms (medians)\n", check * 1e3,
                cat * 1e3);
    std::printf("  check time / cat time = %.2f  (aim <= %.1f: %s)\n", ratio, kAim, ratio <= kAim ? "met" : "MISSED");
  }
  const double checkMany = Median(Samples()["check many"]), catMany = Median(Samples()["cat many"]);
  if (checkMany > 0 && catMany > 0) {
    const double ratio = checkMany / catMany;
    std::printf("quarvel-levels check of %d small sets: %.3f ms; cat of the same files: %.3f ms (medians)\n",
                kSmallSets, checkMany * 1e3, catMany * 1e3);
    std::printf("  check time / cat time = %.2f  (aim < %.1f: %s)\n", ratio, kManyAim,
                ratio < kManyAim ? "met" : "MISSED");
  }
  return 0;
}
