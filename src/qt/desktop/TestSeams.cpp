#include "qt/desktop/TestSeams.h"

#include <utility>

namespace {
template <class Handler>
Handler& Slot() {
  static Handler handler;
  return handler;
}
}  // namespace

void SetMessageBoxHandler(TMessageBoxHandler handler) { Slot<TMessageBoxHandler>() = std::move(handler); }
void SetModalHandler(TModalHandler handler) { Slot<TModalHandler>() = std::move(handler); }
void SetBeepHandler(TBeepHandler handler) { Slot<TBeepHandler>() = std::move(handler); }

const TMessageBoxHandler& MessageBoxHandler() { return Slot<TMessageBoxHandler>(); }
const TModalHandler& ModalHandler() { return Slot<TModalHandler>(); }
const TBeepHandler& BeepHandler() { return Slot<TBeepHandler>(); }
