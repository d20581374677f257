#include "web/Timer.h"

#include <emscripten/eventloop.h>

namespace web {

void Timer::Start(int first, int every) {
  Stop();
  every_ = every;
  id_ = emscripten_set_timeout(&Timer::Tick, first, this);
}

void Timer::Stop() {
  if (id_ != 0) emscripten_clear_timeout(id_);
  id_ = 0;
}

void Timer::Tick(void* self) {
  auto* timer = static_cast<Timer*>(self);
  timer->id_ = timer->every_ > 0 ? emscripten_set_timeout(&Timer::Tick, timer->every_, timer) : 0;
  timer->onTick_();
}

}  // namespace web
