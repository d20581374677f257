#pragma once
// Shared by the start-up probes: takes the time stamps of one start of a program and hands
// them to the benchmark that launched it.
//
// Every stamp is CLOCK_MONOTONIC in nanoseconds, the clock the launching benchmark reads
// just before it spawns the probe, so the differences need no other reference. The stamps
// go, as one line of text, to the file descriptor named by STARTUP_PROBE_FD; without that
// variable the probe prints them as milliseconds after main() to standard output, which is
// handy when running a probe by hand.
//
// "First paint" is taken in two steps: the first QEvent::Paint the main window receives
// (the start of its first frame) and the end of that frame, when the window and all its
// children have been painted and flushed (see FirstPaintWatch). The probe then ends at
// once, without tearing the windows down.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace startup_probe {

inline std::int64_t Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

struct Stamps {
  std::int64_t mainEntered = 0;   // first line of main()
  std::int64_t appCreated = 0;    // the application object exists
  std::int64_t windowsShown = 0;  // the program's windows exist and the main one was shown
  std::int64_t paintStarted = 0;  // the main window's first paint event
  std::int64_t frameDone = 0;     // that frame painted and flushed
};

[[noreturn]] inline void ReportAndExit(const Stamps& s) {
  char line[256];
  const char* fdText = std::getenv("STARTUP_PROBE_FD");
  if (fdText != nullptr) {
    const int n = std::snprintf(line, sizeof line, "%lld %lld %lld %lld %lld\n", static_cast<long long>(s.mainEntered),
                                static_cast<long long>(s.appCreated), static_cast<long long>(s.windowsShown),
                                static_cast<long long>(s.paintStarted), static_cast<long long>(s.frameDone));
    const int fd = std::atoi(fdText);
    const char* p = line;
    std::size_t left = static_cast<std::size_t>(n);
    while (left > 0) {
      const ssize_t written = write(fd, p, left);
      if (written <= 0) _exit(3);
      p += written;
      left -= static_cast<std::size_t>(written);
    }
  } else {
    auto ms = [&](std::int64_t t) { return static_cast<double>(t - s.mainEntered) / 1e6; };
    std::printf(
        "application %.2f ms, windows %.2f ms, first paint %.2f ms, first frame done %.2f ms"
        " (after main)\n",
        ms(s.appCreated), ms(s.windowsShown), ms(s.paintStarted), ms(s.frameDone));
    std::fflush(stdout);
  }
  // Tearing the windows down is not part of start-up; peak memory is already reached.
  _exit(0);
}

// Installed on the application before any window is shown, so a paint that happens inside
// show() is seen as well. The main window is the one QMainWindow of the program.
//
// Painting a window is one synchronous pass: the window gets its paint event, then each
// child widget in turn, then the backing store is flushed. So the first event after the
// main window's first paint event that is not a paint event of one of its widgets marks
// the end of the first frame. That event may be anything the event loop had queued; it is
// only timed, never waited for, so work queued before it does not count as painting.
class FirstPaintWatch final : public QObject {
 public:
  explicit FirstPaintWatch(Stamps& stamps) : stamps_(stamps) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (stamps_.paintStarted == 0) {
      if (event->type() == QEvent::Paint && qobject_cast<QMainWindow*>(watched) != nullptr) {
        stamps_.paintStarted = Now();
        mainWindow_ = static_cast<QWidget*>(watched);
        // Makes sure some other event follows even when the program posts nothing.
        QMetaObject::invokeMethod(
            this, [] {}, Qt::QueuedConnection);
      }
      return false;
    }
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == mainWindow_) {
      return false;
    }
    stamps_.frameDone = Now();
    ReportAndExit(stamps_);
  }

 private:
  Stamps& stamps_;
  QWidget* mainWindow_ = nullptr;
};

}  // namespace startup_probe
