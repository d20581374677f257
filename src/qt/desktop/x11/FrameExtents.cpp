#include "qt/desktop/x11/FrameExtents.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

namespace {

constexpr int kAnswerWithinMs = 200;  // a window manager answers in a millisecond or two

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, std::strlen(name), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of a property of `window`.
std::span<const std::uint32_t> Values(const Reply<xcb_get_property_reply_t>& reply) {
  if (!reply || reply->format != 32) return {};
  return {static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())),
          static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / 4};
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                         xcb_atom_t type, std::uint32_t length) {
  return {
      xcb_get_property_reply(connection, xcb_get_property(connection, false, window, name, type, 0, length), nullptr),
      &std::free};
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
  const Reply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
  return geometry ? geometry->root : xcb_window_t(XCB_WINDOW_NONE);
}

}  // namespace

std::optional<QMargins> AskFrameExtents(QWidget& widget) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;  // none on offscreen
  if (!connection) return std::nullopt;
  const auto window = static_cast<xcb_window_t>(widget.winId());
  const xcb_window_t root = RootOf(connection, window);
  const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
  const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
  if (root == XCB_WINDOW_NONE || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE) return std::nullopt;

  // Only a window manager that says it answers is asked: there is no waiting on the others.
  const auto features = Property(connection, root, supported, XCB_ATOM_ATOM, 1024);
  const auto list = Values(features);
  if (std::find(list.begin(), list.end(), request) == list.end()) return std::nullopt;

  xcb_client_message_event_t message = {};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = request;
  xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);

  const QDeadlineTimer deadline(kAnswerWithinMs);
  do {
    const auto answer = Property(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (const auto values = Values(answer); values.size() == 4) {
      return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
    }
    QThread::msleep(2);
  } while (!deadline.hasExpired());
  return std::nullopt;
}
