// `quarvel-levels check` of a full level set (256 playable levels, 75,780 bytes) as a whole
// process, from spawn to exit, against `cat` of the same file as a whole process: the floor
// of starting a small program that reads the file and writes to standard output. Both
// write to /dev/null. The repetitions run interleaved in random order, so drifting load
// hits both alike; after the runs the ratio of the medians is printed. The aim is 2 x.
//
// The file lives in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
// (scripts/bench runs in build-bench), removed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "InterleavedRuns.h"
#include "ProcessBench.h"

namespace {

using namespace quarvel_bench;

constexpr double kAim = 2.0;
constexpr int kRepetitions = 15;

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kRepetitions)) return 1;

  const std::string folder = MakeBenchFolder("cli_bench");
  if (folder.empty()) return 1;
  const std::string file = folder + "/full.dag";
  WriteFullSet(file);

  RegisterProcess("Process/quarvel-levels_check", "check", {QUARVEL_LEVELS_PROGRAM, "check", file});
  RegisterProcess("Process/cat", "cat", {"cat", file});
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
  return 0;
}
