#include "ui/Beep.h"

#include <QApplication>
#include <utility>

namespace {

std::function<void()>& BeepHandler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void SystemBeep() {
  if (const auto& handler = BeepHandler()) {
    handler();
    return;
  }
  QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }
