// `quarvel-levels export`, `import` and `diff` of full level sets (256 playable levels) as
// whole processes, from spawn to exit, each against `cat` of the same files as a whole
// process, in one run with the repetitions interleaved in random order. After the runs the
// ratios of the medians are printed. The aims: export and import 1.5 x, diff of two full
// sets 3 x.
//
// The files live in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
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

constexpr int kRepetitions = 15;
constexpr int kDiffers = 1;  // diff's status for two sets that differ

struct Comparison {
  const char* Name;
  const char* Against;
  double Aim;
};

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kRepetitions)) return 1;

  const std::string folder = MakeBenchFolder("cli_text_bench");
  if (folder.empty()) return 1;
  const std::string a = folder + "/a.dag", b = folder + "/b.dag", text = folder + "/a.txt";
  WriteFullSet(a);
  WriteFullSet(b, 1);
  if (!RunOnce({QUARVEL_LEVELS_PROGRAM, "export", a, "-o", text}, 0)) {
    std::fprintf(stderr, "cannot export %s\n", a.c_str());
    return 1;
  }

  RegisterProcess("Process/quarvel-levels_export", "export", {QUARVEL_LEVELS_PROGRAM, "export", a});
  RegisterProcess("Process/cat_set", "cat set", {"cat", a});
  RegisterProcess("Process/quarvel-levels_import", "import", {QUARVEL_LEVELS_PROGRAM, "import", text, "-o", "-"});
  RegisterProcess("Process/cat_text", "cat text", {"cat", text});
  RegisterProcess("Process/quarvel-levels_diff", "diff", {QUARVEL_LEVELS_PROGRAM, "diff", a, b}, kDiffers);
  RegisterProcess("Process/cat_two_sets", "cat two sets", {"cat", a, b});
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);

  std::printf("\n");
  for (const Comparison& c : {Comparison{"export", "cat set", 1.5}, Comparison{"import", "cat text", 1.5},
                              Comparison{"diff", "cat two sets", 3.0}}) {
    const double took = Median(Samples()[c.Name]), floor = Median(Samples()[c.Against]);
    if (took <= 0 || floor <= 0) continue;
    const double ratio = took / floor;
    std::printf("quarvel-levels %s: %.3f ms; %s: %.3f ms (medians); ratio %.2f (aim <= %.1f: %s)\n", c.Name, took * 1e3,
                c.Against, floor * 1e3, ratio, c.Aim, ratio <= c.Aim ? "met" : "MISSED");
  }
  return 0;
}
