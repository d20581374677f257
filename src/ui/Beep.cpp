#include "ui/Beep.h"

#include <QApplication>

#include "ui/TestSeams.h"

void SystemBeep() {
  if (const auto& handler = BeepHandler()) {
    handler();
    return;
  }
  QApplication::beep();
}
