#pragma once
// The start of a benchmark that compares two whole processes: repetitions interleaved in
// random order, so that drifting load on the machine hits both alike. The same flags given
// on the command line come later and win.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Initialises Google Benchmark with those defaults and `repetitions` runs of each; false
// when an argument is not understood (it has been reported).
inline bool InitializeInterleaved(int argc, char** argv, int repetitions) {
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::string count = "--benchmark_repetitions=" + std::to_string(repetitions);
  std::vector<char*> args{argv[0], interleave.data(), count.data()};
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int size = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&size, args.data());
  return !benchmark::ReportUnrecognizedArguments(size, args.data());
}
