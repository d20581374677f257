// Start-up of the editor against a bare Qt main window, in the same run.
//
// Each repetition is one start: it spawns one probe (startup_probe_editor or startup_probe_bare, found next
// to this program) and waits for it. The probe hands back, through a pipe, CLOCK_MONOTONIC
// stamps of its start-up (see ProbeReport.h); the iteration time is from just before the
// spawn to the moment the main window's first frame has been painted, so process creation,
// loading the shared libraries and everything up to the first paint count, while the
// probe's exit does not. wait4() gives the probe's peak resident memory.
//
// The starts of the two probes are interleaved in random order (200 each by default;
// --benchmark_repetitions=N changes that), so drifting load on the machine hits both alike.
// At the end the program prints, per window system, the medians of both with the phases of
// the start-up, the editor's time as a multiple of the bare window's, and the editor's
// peak memory above the bare window's in MiB.
//
// Window systems: "offscreen" always; "xcb" as well when DISPLAY is set (e.g. under Xvfb),
// "wayland" when WAYLAND_DISPLAY is (e.g. a headless weston; scripts/bench starts both).
// Set STARTUP_BENCH_PLATFORMS to a comma-separated list to choose. With STARTUP_BENCH_STRICT=1
// the program exits with status 2 when the editor misses its aim.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "InterleavedRuns.h"

extern char** environ;

namespace {

constexpr int kReportFd = 3;
constexpr int kIterations = 1;
constexpr int kDefaultRepetitions = 200;

// The time budget the editor is held to, against the bare window.
constexpr double kTimeRatioAim = 1.10;
constexpr double kMemoryAimMiB = 2.0;

std::int64_t Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

double Ms(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

// One start of a probe, times in ns after the spawn.
struct Sample {
  std::int64_t mainEntered = 0;
  std::int64_t appCreated = 0;
  std::int64_t windowsShown = 0;
  std::int64_t paintStarted = 0;
  std::int64_t frameDone = 0;
  std::int64_t exited = 0;
  long peakKiB = 0;
};

std::string ProgramDirectory() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  std::string s(path);
  const auto slash = s.rfind('/');
  return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

// The directory the probes start in. The editor's start-up depends on it (its file
// dialogs look at the working directory), so by default it is an empty directory of our
// own, the same for every run; STARTUP_BENCH_CWD names another one.
std::string& ProbeDirectory() {
  static std::string directory;
  return directory;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[512];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  return text;
}

// Starts the probe at `path` on window system `platform`, waits for it and fills `sample`.
// Returns an empty string, or what went wrong (with the probe's own output).
std::string RunProbe(const std::string& path, const std::string& platform, Sample& sample) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return std::string("pipe: ") + std::strerror(errno);
  // The probe's stdout and stderr go to a memory file, shown only if the probe fails.
  const int output = memfd_create("startup_probe_output", MFD_CLOEXEC);
  if (output < 0) return std::string("memfd_create: ") + std::strerror(errno);

  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) == 0 || std::strncmp(*e, "STARTUP_PROBE_FD=", 17) == 0) continue;
    env.emplace_back(*e);
  }
  env.push_back("QT_QPA_PLATFORM=" + platform);
  env.push_back("STARTUP_PROBE_FD=" + std::to_string(kReportFd));
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string arg0 = path;
  char* argv[] = {arg0.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, report[1], kReportFd);
  posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, ProbeDirectory().c_str());

  const std::int64_t start = Now();
  pid_t pid = 0;
  const int spawnError = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(report[1]);
  if (spawnError != 0) {
    close(report[0]);
    close(output);
    return "cannot start " + path + ": " + std::strerror(spawnError);
  }
  const std::string line = ReadAll(report[0]);
  close(report[0]);

  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  sample.exited = Now() - start;
  sample.peakKiB = usage.ru_maxrss;

  long long stamps[5] = {};
  std::istringstream in(line);
  for (auto& s : stamps) in >> s;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !in || stamps[4] == 0) {
    lseek(output, 0, SEEK_SET);
    const std::string said = ReadAll(output);
    close(output);
    return path + " on " + platform + " did not report a first paint (status " + std::to_string(status) + ")" +
           (said.empty() ? std::string() : ": " + said);
  }
  close(output);
  sample.mainEntered = stamps[0] - start;
  sample.appCreated = stamps[1] - start;
  sample.windowsShown = stamps[2] - start;
  sample.paintStarted = stamps[3] - start;
  sample.frameDone = stamps[4] - start;
  return {};
}

// All samples of every benchmark, by probe and window system, for the summary.
std::map<std::string, std::vector<Sample>>& Samples() {
  static std::map<std::string, std::vector<Sample>> samples;
  return samples;
}

std::string Key(const std::string& probe, const std::string& platform) { return probe + "/" + platform; }

// Window systems on which a probe failed; those not run at all (filtered out) are not here.
std::vector<std::string>& FailedPlatforms() {
  static std::vector<std::string> failed;
  return failed;
}

void BM_Startup(benchmark::State& state, const std::string& probe, const std::string& platform) {
  const std::string path = ProgramDirectory() + "/startup_probe_" + probe;
  auto& samples = Samples()[Key(probe, platform)];
  // One untimed start first, so the first timed one does not pay for a cold page cache.
  if (samples.empty()) {
    Sample warm;
    if (const std::string error = RunProbe(path, platform, warm); !error.empty()) {
      state.SkipWithError(error.c_str());
      FailedPlatforms().push_back(platform);
      return;
    }
  }
  double peakMiB = 0, mainMs = 0, appMs = 0, windowsMs = 0, paintMs = 0, exitMs = 0;
  for (auto _ : state) {
    Sample sample;
    if (const std::string error = RunProbe(path, platform, sample); !error.empty()) {
      state.SkipWithError(error.c_str());
      FailedPlatforms().push_back(platform);
      break;
    }
    state.SetIterationTime(static_cast<double>(sample.frameDone) / 1e9);
    samples.push_back(sample);
    peakMiB += static_cast<double>(sample.peakKiB) / 1024.0;
    mainMs += Ms(sample.mainEntered);
    appMs += Ms(sample.appCreated);
    windowsMs += Ms(sample.windowsShown);
    paintMs += Ms(sample.paintStarted);
    exitMs += Ms(sample.exited);
  }
  // Averages over the iterations; every stamp is in ms after the spawn.
  using benchmark::Counter;
  state.counters["peak_MiB"] = Counter(peakMiB, Counter::kAvgIterations);
  state.counters["main_ms"] = Counter(mainMs, Counter::kAvgIterations);
  state.counters["app_ms"] = Counter(appMs, Counter::kAvgIterations);
  state.counters["windows_ms"] = Counter(windowsMs, Counter::kAvgIterations);
  state.counters["paint_ms"] = Counter(paintMs, Counter::kAvgIterations);
  state.counters["exit_ms"] = Counter(exitMs, Counter::kAvgIterations);
}

template <typename Get>
double Median(const std::vector<Sample>& samples, Get get) {
  std::vector<double> values;
  for (const auto& s : samples) values.push_back(get(s));
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void PrintPhases(const char* name, const std::vector<Sample>& s) {
  auto m = [&](auto get) { return Median(s, get); };
  const double main = m([](const Sample& x) { return Ms(x.mainEntered); });
  const double app = m([](const Sample& x) { return Ms(x.appCreated - x.mainEntered); });
  const double windows = m([](const Sample& x) { return Ms(x.windowsShown - x.appCreated); });
  const double paint = m([](const Sample& x) { return Ms(x.paintStarted - x.windowsShown); });
  const double frame = m([](const Sample& x) { return Ms(x.frameDone - x.paintStarted); });
  const double total = m([](const Sample& x) { return Ms(x.frameDone); });
  const double peak = m([](const Sample& x) { return static_cast<double>(x.peakKiB) / 1024.0; });
  std::printf(
      "  %-7s %8.2f ms = to main %6.2f + application %6.2f + windows %6.2f + to paint %6.2f"
      " + frame %6.2f; peak %6.2f MiB  (%zu starts)\n",
      name, total, main, app, windows, paint, frame, peak, s.size());
}

// Returns false when the editor misses the aim on some window system; sets `failed` when a
// probe failed.
bool PrintSummary(const std::vector<std::string>& platforms, bool& failed) {
  bool met = true;
  bool headed = false;
  auto head = [&] {
    if (headed) return;
    headed = true;
    std::printf(
        "\nStart-up to the first painted frame of the main window (medians; the phases are medians\n"
        "each, so they need not add up exactly):\n");
  };
  for (const auto& platform : platforms) {
    const auto& editor = Samples()[Key("editor", platform)];
    const auto& bare = Samples()[Key("bare", platform)];
    const auto& failures = FailedPlatforms();
    if (std::find(failures.begin(), failures.end(), platform) != failures.end()) {
      head();
      std::printf("%s: no result (a probe failed, see above)\n", platform.c_str());
      failed = true;
      continue;
    }
    if (editor.empty() || bare.empty()) continue;  // not run, e.g. left out by a filter
    head();
    std::printf("%s:\n", platform.c_str());
    PrintPhases("editor", editor);
    PrintPhases("bare", bare);
    const double editorMs = Median(editor, [](const Sample& x) { return Ms(x.frameDone); });
    const double bareMs = Median(bare, [](const Sample& x) { return Ms(x.frameDone); });
    const double editorMiB = Median(editor, [](const Sample& x) { return static_cast<double>(x.peakKiB) / 1024.0; });
    const double bareMiB = Median(bare, [](const Sample& x) { return static_cast<double>(x.peakKiB) / 1024.0; });
    const double ratio = bareMs > 0 ? editorMs / bareMs : 0;
    const double extra = editorMiB - bareMiB;
    const bool timeOk = ratio <= kTimeRatioAim;
    const bool memoryOk = extra <= kMemoryAimMiB;
    met = met && timeOk && memoryOk;
    std::printf("  editor time / bare time      = %.3f  (aim <= %.2f: %s)\n", ratio, kTimeRatioAim,
                timeOk ? "met" : "MISSED");
    std::printf("  editor peak - bare peak      = %+.2f MiB  (aim <= %.1f MiB: %s)\n", extra, kMemoryAimMiB,
                memoryOk ? "met" : "MISSED");
  }
  return met;
}

std::vector<std::string> Platforms() {
  std::vector<std::string> platforms;
  const char* chosen = std::getenv("STARTUP_BENCH_PLATFORMS");
  if (chosen != nullptr && *chosen != '\0') {
    std::string list(chosen);
    std::size_t begin = 0;
    while (begin <= list.size()) {
      const std::size_t comma = std::min(list.find(',', begin), list.size());
      if (comma > begin) platforms.push_back(list.substr(begin, comma - begin));
      begin = comma + 1;
    }
    return platforms;
  }
  platforms.push_back("offscreen");
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') platforms.push_back("xcb");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') platforms.push_back("wayland");
  return platforms;
}

}  // namespace

int main(int argc, char** argv) {
  if (!InitializeInterleaved(argc, argv, kDefaultRepetitions)) return 1;

  char emptyDirectory[] = "/tmp/startup_bench.XXXXXX";
  const char* chosenDirectory = std::getenv("STARTUP_BENCH_CWD");
  if (chosenDirectory != nullptr && *chosenDirectory != '\0') {
    ProbeDirectory() = chosenDirectory;
    emptyDirectory[0] = '\0';
  } else if (mkdtemp(emptyDirectory) != nullptr) {
    ProbeDirectory() = emptyDirectory;
  } else {
    std::perror("mkdtemp");
    return 1;
  }

  const std::vector<std::string> platforms = Platforms();
  for (const auto& platform : platforms) {
    for (const char* probe : {"editor", "bare"}) {
      benchmark::RegisterBenchmark(("Startup/" + std::string(probe) + "/" + platform).c_str(), BM_Startup,
                                   std::string(probe), platform)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->Iterations(kIterations)
          ->ReportAggregatesOnly(true);
    }
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bool failed = false;
  const bool met = PrintSummary(platforms, failed);
  if (emptyDirectory[0] != '\0') rmdir(emptyDirectory);
  // Missing the aim is reported, not failed, unless STARTUP_BENCH_STRICT is set.
  const char* strict = std::getenv("STARTUP_BENCH_STRICT");
  if (failed) return 1;
  return !met && strict != nullptr && *strict != '\0' && std::strcmp(strict, "0") != 0 ? 2 : 0;
}
