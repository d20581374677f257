#pragma once
// A one-shot or repeating timer on the page's event loop, as the desktop's timers tick on
// the user-interface thread: its handler runs between events.

#include <functional>

namespace web {

class Timer {
 public:
  explicit Timer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
  ~Timer() { Stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Ticks after `first` milliseconds, then every `every` (0: once).
  void Start(int first, int every = 0);
  void Stop();
  bool Running() const { return id_ != 0; }

 private:
  static void Tick(void* self);

  std::function<void()> onTick_;
  long id_ = 0;
  int every_ = 0;
};

}  // namespace web
