#include "qt/widgets/Button.h"

#include <QKeyEvent>

TButton::TButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setAutoDefault(false);
  setDefault(false);
  setFocusPolicy(Qt::StrongFocus);
}

void TButton::keyPressEvent(QKeyEvent* event) {
  // Qt presses a non-default button only with Space; Enter presses the focused one too.
  // Enter on the keypad is Enter too.
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
    animateClick();
    return;
  }
  QPushButton::keyPressEvent(event);
}
