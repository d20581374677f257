// Reading and saving a full level set file (256 levels, 75,780 bytes), each against its
// floor measured in the same run on the same bytes in the same folder:
//   read floor: open, one read() of the 75,780 bytes, close;
//   save floor: open a temporary file, write, fsync, close, rename it over the target.
// After the runs the ratios (median of the repetitions) are printed; the aims are read
// within 1.5 x and save within 1.2 x of the floor.
//
// The files live in a new folder under $QUARVEL_BENCH_DIR, or else the current folder
// (scripts/bench runs in build-bench), removed at the end.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/LevelSetBytes.h"
#include "files/LevelSetFile.h"
#include "model/LevelCheck.h"
#include "model/LevelSet.h"

using namespace quarvel;

namespace {

struct Fixture {
  std::string folder;
  std::unique_ptr<LevelSet> set = std::make_unique<LevelSet>();
  std::unique_ptr<LevelSet> target = std::make_unique<LevelSet>();
  std::vector<std::uint8_t> bytes;
};

Fixture& F() {
  static Fixture fixture;
  return fixture;
}

void Die(const char* what) {
  std::perror(what);
  std::exit(1);
}

void SetUp() {
  Fixture& f = F();
  const char* base = std::getenv("QUARVEL_BENCH_DIR");
  std::string pattern = std::string(base && *base ? base : ".") + "/quarvel-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) Die("mkdtemp");
  f.folder = pattern;
  ClearLevelSet(*f.set);
  for (int level = 0; level < kLevelCount; ++level) {
    LevelRecord& r = (*f.set)[level];
    for (int i = 0; i < kCellCount; ++i) r.Cells[i] = static_cast<TileCode>((level + i) % 10);
    r.Time = 120;
    r.Rubies = 2;
    r.Emeralds = 1;
  }
  f.bytes.resize(kMaxLevelSetFileSize);
  const std::size_t size =
      EncodeLevelSet(*f.set, std::span<std::uint8_t, kMaxLevelSetFileSize>(f.bytes.data(), kMaxLevelSetFileSize));
  if (size != kMaxLevelSetFileSize) Die("not every level is playable");
  WriteLevelSetFile(f.folder + "/read.dag", *f.set);
  WriteLevelSetFile(f.folder + "/save.dag", *f.set);
  WriteLevelSetFile(f.folder + "/floor.dag", *f.set);
}

void BM_ReadFloor(benchmark::State& state) {
  const std::string path = F().folder + "/read.dag";
  static std::uint8_t buffer[kMaxLevelSetFileSize];
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Die("open");
    if (::read(fd, buffer, sizeof buffer) != static_cast<ssize_t>(sizeof buffer)) Die("read");
    ::close(fd);
    benchmark::DoNotOptimize(buffer);
  }
}

void BM_Read(benchmark::State& state) {
  const std::string path = F().folder + "/read.dag";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadLevelSetFile(path, *F().target));
    benchmark::ClobberMemory();
  }
}

void BM_SaveFloor(benchmark::State& state) {
  const std::string path = F().folder + "/floor.dag";
  const std::string temp = F().folder + "/.floor.dag.tmp";
  const std::vector<std::uint8_t>& bytes = F().bytes;
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) Die("open");
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Die("write");
    if (::fsync(fd) != 0) Die("fsync");
    if (::close(fd) != 0) Die("close");
    if (::rename(temp.c_str(), path.c_str()) != 0) Die("rename");
  }
}

void BM_Save(benchmark::State& state) {
  const std::string path = F().folder + "/save.dag";
  for (auto _ : state) WriteLevelSetFile(path, *F().set);
}

BENCHMARK(BM_ReadFloor)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9);
BENCHMARK(BM_Read)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9);
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9);

// The console output as usual, and every repetition's time kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
    }
  }

  // Median time per iteration, in the benchmarks' unit (microseconds); 0 when not run.
  double Median(const std::string& name) const {
    const auto found = times_.find(name);
    if (found == times_.end() || found->second.empty()) return 0;
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  }

 private:
  std::map<std::string, std::vector<double>> times_;
};

void PrintRatio(const RatioReporter& reporter, const char* what, const char* name, const char* floor, double aim) {
  const double time = reporter.Median(name), floor_time = reporter.Median(floor);
  if (time <= 0 || floor_time <= 0) return;
  const double ratio = time / floor_time;
  std::printf("%s / floor: %.3f  (%.1f us against %.1f us; aim <= %.1f%s)\n", what, ratio, time, floor_time, aim,
              ratio <= aim ? "" : ", OVER THE AIM");
}

}  // namespace

int main(int argc, char** argv) {
  // Repetitions of the four benchmarks run in a random interleaving by default, so that a
  // change in the machine's load touches an operation and its floor alike.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  SetUp();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nRatios (median of the repetitions, real time):\n");
  PrintRatio(reporter, "read", "BM_Read", "BM_ReadFloor", 1.5);
  PrintRatio(reporter, "save", "BM_Save", "BM_SaveFloor", 1.2);
  std::error_code ignored;
  std::filesystem::remove_all(F().folder, ignored);
  return 0;
}
