// `quarvel-levels thumbnail` of a full level set (256 used levels) at 256 pixels as a whole
// process, from spawn to exit, as a file manager's thumbnailer runs it, against
// thumbnail_probe_bare: a bare program that encodes a PNG of the same size with the same
// encoder and writes it (before the drawing moved into the core, a bare Qt program on the
// offscreen platform, which thumbnail then started itself). Both write their picture to a file. The repetitions run
// interleaved in random order, so drifting load hits both alike; after the runs the ratio of the medians is printed.
// The aim is 1.5 x.
//
// The files live in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
// (scripts/bench runs in build-bench), removed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "InterleavedRuns.h"
#include "ProcessBench.h"

namespace {

using namespace quarvel_bench;

constexpr double kAim = 1.5;
constexpr int kRepetitions = 15;

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kRepetitions)) return 1;

  const std::string folder = MakeBenchFolder("cli_thumbnail_bench");
  if (folder.empty()) return 1;
  const std::string file = folder + "/full.dag";
  WriteFullSet(file);

  RegisterProcess("Process/quarvel-levels_thumbnail", "thumbnail",
                  {QUARVEL_LEVELS_PROGRAM, "thumbnail", "-s", "256", file, folder + "/thumbnail.png"});
  RegisterProcess("Process/bare_png", "bare", {THUMBNAIL_PROBE_BARE, folder + "/bare.png"});
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);

  const double thumbnail = Median(Samples()["thumbnail"]), bare = Median(Samples()["bare"]);
  if (thumbnail > 0 && bare > 0) {
    const double ratio = thumbnail / bare;
    std::printf("\nquarvel-levels thumbnail of a full set: %.3f ms; a bare program writing a PNG: %.3f ms (medians)\n",
                thumbnail * 1e3, bare * 1e3);
    std::printf("  thumbnail time / bare time = %.2f  (aim <= %.1f: %s)\n", ratio, kAim,
                ratio <= kAim ? "met" : "MISSED");
  }
  return 0;
}
