#include "qt/desktop/Beep.h"

#include <QApplication>

#include "qt/desktop/TestSeams.h"

void SystemBeep() {
  if (const auto& handler = BeepHandler()) {
    handler();
    return;
  }
  QApplication::beep();
}
