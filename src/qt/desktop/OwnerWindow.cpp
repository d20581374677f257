#include "qt/desktop/OwnerWindow.h"

#include <QApplication>
#include <QMainWindow>

QWidget* OwnerWindow() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMainWindow*>(window) && window->isVisible()) return window;
  }
  return nullptr;
}
