#include "qt/desktop/ModalExec.h"

#include <QApplication>
#include <QDialog>
#include <QWindow>

#include "qt/desktop/OwnerWindow.h"
#include "qt/desktop/TestSeams.h"

namespace {

// On Wayland a window cannot place itself: a dialog without a parent widget (it keeps its
// own place between showings) is made transient for the window it is opened from, so
// that the compositor opens it over that window. Elsewhere it stays a window of its own,
// as a window manager would otherwise lend it the main window's icon.
void BelongToOwnerWindow(QDialog& dialog) {
  if (QGuiApplication::platformName() != QLatin1String("wayland")) return;
  QWidget* owner = OwnerWindow();
  if (dialog.parentWidget() || !owner || owner == &dialog) return;
  dialog.winId();  // the native window, so that it can be given its owner before it shows
  if (QWindow* window = dialog.windowHandle(); window && owner->windowHandle())
    window->setTransientParent(owner->windowHandle());
}

}  // namespace

int ExecModal(QDialog& dialog) {
  if (const auto& handler = ModalHandler()) return handler(dialog);
  BelongToOwnerWindow(dialog);
  return dialog.exec();
}
