#include "qt/desktop/ActiveControl.h"

#include <QApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

// The last control of each window that had the keyboard focus, menu bars left out.
QHash<const QWidget*, QPointer<QWidget>>& LastControls() {
  static QHash<const QWidget*, QPointer<QWidget>> controls;
  return controls;
}

bool IsMenu(const QWidget* widget) {
  return qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QMenu*>(widget);
}

}  // namespace

QWidget* ActiveControl(const QWidget* window) {
  if (!window) return nullptr;
  QWidget* focus = window->focusWidget();
  if (focus && !IsMenu(focus)) return focus;
  if (QWidget* last = LastControls().value(window); last && last->window() == window) return last;
  return focus;
}

TActiveControlWatch& TActiveControlWatch::Instance() {
  static TActiveControlWatch* watch = new TActiveControlWatch();  // lives as long as the application
  return *watch;
}

TActiveControlWatch::TActiveControlWatch() : QObject(qApp) {
  connect(qApp, &QApplication::focusChanged, this, &TActiveControlWatch::FocusChanged);
}

void TActiveControlWatch::FocusChanged(QWidget* old, QWidget* now) {
  auto& controls = LastControls();
  // Remembers `control` as its window's active control; returns the one it replaces.
  auto remember = [this, &controls](QWidget* control) -> QWidget* {
    QWidget* window = control->window();
    auto it = controls.find(window);
    if (it == controls.end()) {
      connect(window, &QObject::destroyed, this, [window] { LastControls().remove(window); });
      controls.insert(window, control);
      return nullptr;
    }
    QWidget* previous = it.value();
    it.value() = control;
    return previous;
  };
  // A window's first control is the one that had the focus when the watch began.
  if (old && !IsMenu(old) && !controls.contains(old->window())) remember(old);
  if (!now || IsMenu(now)) return;
  QWidget* previous = remember(now);
  if (previous != now) emit Changed(now->window(), previous, now);
}
