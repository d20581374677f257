#pragma once
// What the quarvel-levels benchmarks share: a full level set file, a whole process run to
// its end with standard output on /dev/null, timed per spawn, and the medians of the
// samples by name.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdlib.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

extern char** environ;

namespace quarvel_bench {

inline constexpr int kSpawnsPerIteration = 20;

inline std::map<std::string, std::vector<double>>& Samples() {
  static std::map<std::string, std::vector<double>> samples;
  return samples;
}

// A full set, every level playable and different; `seed` makes another such set.
inline void WriteFullSet(const std::string& path, int seed = 0) {
  auto set = std::make_unique<quarvel::LevelSet>();
  quarvel::ClearLevelSet(*set);
  for (int level = 0; level < quarvel::kLevelCount; ++level) {
    for (int cell = 0; cell <= level % quarvel::kCellCount; ++cell)
      (*set)[static_cast<std::size_t>(level)].Cells[static_cast<std::size_t>(cell)] =
          static_cast<quarvel::TileCode>(cell == 0 ? 1 : 1 + (level + cell + seed) % 9);
    (*set)[static_cast<std::size_t>(level)].Rubies = 1;
    (*set)[static_cast<std::size_t>(level)].Time = static_cast<std::int16_t>(10 + level + seed);
  }
  for (int level = 0; level < quarvel::kLevelCount; ++level)
    if (!quarvel::IsLevelPlayable(*set, level)) std::abort();
  quarvel::WriteLevelSetFile(path, *set);
}

// A new folder for a benchmark's files, named after `name`, under $QUARVEL_BENCH_DIR or
// else the current folder (scripts/bench runs in build-bench); empty when it cannot be made.
inline std::string MakeBenchFolder(const std::string& name) {
  const char* base = std::getenv("QUARVEL_BENCH_DIR");
  std::string folder =
      (base != nullptr && *base != '\0' ? std::string(base) : std::string(".")) + "/" + name + ".XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror("mkdtemp");
    return {};
  }
  return folder;
}

// Runs the program to its end with standard output on /dev/null; false when it did not
// exit with `expectedStatus`.
inline bool RunOnce(const std::vector<std::string>& command, int expectedStatus) {
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

// The time of one run of `command`, kept under `name`.
inline void BM_Process(benchmark::State& state, const std::string& name, const std::vector<std::string>& command,
                       int expectedStatus) {
  if (!RunOnce(command, expectedStatus)) {
    state.SkipWithError(("cannot run " + command.front()).c_str());
    return;
  }
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kSpawnsPerIteration; ++i) {
      if (!RunOnce(command, expectedStatus)) {
        state.SkipWithError(("run failed: " + command.front()).c_str());
        return;
      }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count() / kSpawnsPerIteration);
    Samples()[name].push_back(took.count() / kSpawnsPerIteration);
  }
}

inline void RegisterProcess(const std::string& label, const std::string& name, const std::vector<std::string>& command,
                            int expectedStatus = 0) {
  benchmark::RegisterBenchmark(label.c_str(), BM_Process, name, command, expectedStatus)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->ReportAggregatesOnly(true);
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace quarvel_bench
