#include "qt/desktop/x11/WindowDestroyed.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace {

// Qt asks the X server for structure events on each of its windows, so a DestroyNotify for
// the window comes to this program whoever destroyed it.
class TDestroyWatch : public QAbstractNativeEventFilter {
 public:
  explicit TDestroyWatch(QWidget& window) : window_(&window) {}

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t" || !window_) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) return false;
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    // The window Qt has now: a native window Qt itself replaced (new window flags, say)
    // has another id by the time its destruction is reported.
    if (destroyed->window == static_cast<xcb_window_t>(window_->internalWinId())) QCoreApplication::quit();
    return false;  // Qt sees it too
  }

 private:
  QPointer<QWidget> window_;
};

}  // namespace

void QuitWhenDestroyed(QWidget& window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;  // the offscreen platform answers for X11 with no connection
  auto* watch = new TDestroyWatch(window);
  QCoreApplication::instance()->installNativeEventFilter(watch);
  QObject::connect(&window, &QObject::destroyed, QCoreApplication::instance(), [watch] {
    QCoreApplication::instance()->removeNativeEventFilter(watch);
    delete watch;
  });
}
