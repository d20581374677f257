#include "desktop/Beep.h"

#include <QApplication>

#include "desktop/TestSeams.h"

void SystemBeep() {
  if (const auto& handler = BeepHandler()) {
    handler();
    return;
  }
  QApplication::beep();
}
