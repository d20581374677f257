#include "qt/desktop/x11/WindowClass.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QWindow>

#include <cstdlib>
#include <memory>

#include "qt/desktop/ProgramTitle.h"

namespace {

// Rewrites the class part of the window's WM_CLASS, keeping the instance part Qt chose.
// The window is not mapped yet, so the desktop only ever sees the final value.
void SetClass(xcb_connection_t* connection, xcb_window_t window, const QByteArray& windowClass) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, false, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
  std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(xcb_get_property_reply(connection, cookie, nullptr),
                                                                   &free);
  if (!reply || reply->format != 8) return;
  const QByteArray old(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       xcb_get_property_value_length(reply.get()));
  const QByteArray instance = old.left(old.indexOf('\0'));
  if (instance.isEmpty()) return;
  const QByteArray value = instance + '\0' + windowClass + '\0';
  if (value == old) return;
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(value.size()), value.constData());
  xcb_flush(connection);
}

class TWindowClassKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated) {
      auto* window = qobject_cast<QWindow*>(watched);
      auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
      // The offscreen platform answers for X11 too, with no connection.
      xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
      if (window && window->isTopLevel() && connection) {
        SetClass(connection, static_cast<xcb_window_t>(window->winId()), ProgramTitle().toLocal8Bit());
      }
    }
    return false;
  }
};

}  // namespace

void KeepWindowClassAsTitle() {
  static QPointer<TWindowClassKeeper> keeper;
  if (keeper || !qGuiApp) return;
  keeper = new TWindowClassKeeper(qGuiApp);
  qGuiApp->installEventFilter(keeper);
}
