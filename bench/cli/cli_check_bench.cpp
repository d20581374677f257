// `quarvel-levels check` of a full level set (256 playable levels, 75,780 bytes) as a whole
// process, from spawn to exit, against `cat` of the same file as a whole process: the floor
// of starting a small program that reads the file and writes to standard output. Both
// write to /dev/null. The repetitions run interleaved in random order, so drifting load
// hits both alike; after the runs the ratio of the medians is printed. The aim is 2 x.
//
// The file lives in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
// (scripts/bench runs in build-bench), removed at the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "InterleavedRuns.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

extern char** environ;

namespace {

constexpr double kAim = 2.0;
constexpr int kRepetitions = 15;
constexpr int kSpawnsPerIteration = 20;

std::string& SetFile() {
  static std::string path;
  return path;
}

std::map<std::string, std::vector<double>>& Samples() {
  static std::map<std::string, std::vector<double>> samples;
  return samples;
}

// A full set, every level playable and different.
void WriteFullSet(const std::string& path) {
  auto set = std::make_unique<quarvel::LevelSet>();
  quarvel::ClearLevelSet(*set);
  for (int level = 0; level < quarvel::kLevelCount; ++level) {
    for (int cell = 0; cell <= level % quarvel::kCellCount; ++cell)
      (*set)[static_cast<std::size_t>(level)].Cells[static_cast<std::size_t>(cell)] =
          static_cast<quarvel::TileCode>(cell == 0 ? 1 : 1 + (level + cell) % 9);
    (*set)[static_cast<std::size_t>(level)].Rubies = 1;
    (*set)[static_cast<std::size_t>(level)].Time = static_cast<std::int16_t>(10 + level);
  }
  for (int level = 0; level < quarvel::kLevelCount; ++level)
    if (!quarvel::IsLevelPlayable(*set, level)) std::abort();
  quarvel::WriteLevelSetFile(path, *set);
}

// Runs the program to its end with standard output on /dev/null; false when it did not
// exit with `expectedStatus`.
bool RunOnce(const std::vector<std::string>& command, int expectedStatus) {
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == expectedStatus;
}

void BM_Process(benchmark::State& state, const std::string& name, const std::vector<std::string>& command) {
  if (!RunOnce(command, 0)) {
    state.SkipWithError(("cannot run " + command.front()).c_str());
    return;
  }
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSpawnsPerIteration; ++i) {
      if (!RunOnce(command, 0)) {
        state.SkipWithError(("run failed: " + command.front()).c_str());
        return;
      }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count() / kSpawnsPerIteration);
    Samples()[name].push_back(took.count() / kSpawnsPerIteration);
  }
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kRepetitions)) return 1;

  const char* base = std::getenv("QUARVEL_BENCH_DIR");
  std::string folder = (base != nullptr && *base != '\0' ? std::string(base) : std::string(".")) + "/cli_bench.XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  SetFile() = folder + "/full.dag";
  WriteFullSet(SetFile());

  benchmark::RegisterBenchmark("Process/quarvel-levels_check", BM_Process, std::string("check"),
                               std::vector<std::string>{QUARVEL_LEVELS_PROGRAM, "check", SetFile()})
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->ReportAggregatesOnly(true);
  benchmark::RegisterBenchmark("Process/cat", BM_Process, std::string("cat"),
                               std::vector<std::string>{"cat", SetFile()})
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->ReportAggregatesOnly(true);
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
