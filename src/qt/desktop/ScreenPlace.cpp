#include "qt/desktop/ScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "qt/desktop/x11/FrameExtents.h"

namespace {

QRect AvailableAt(QPoint place, const QWidget& window) {
  const QScreen* screen = QGuiApplication::screenAt(place);
  if (!screen) screen = window.screen();
  return screen ? screen->availableGeometry() : QRect();
}

// The frame's widths in the window's own pixels, rounded up: a frame a device pixel wider
// than it seems still has to fit. A window framed before keeps the widths Qt learned then:
// asked again, a window manager may configure the hidden window anew (openbox moves a
// resizable one at 150 % to its corner, fitting its size to the size steps), after the
// place for this showing has been set.
QMargins LogicalFrame(QWidget& window) {
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  if (outer != inner) {
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
  }
  const QMargins device = AskFrameExtents(window).value_or(QMargins());
  const qreal ratio = window.devicePixelRatioF();
  auto logical = [ratio](int pixels) { return int(std::ceil(pixels / ratio - 1e-9)); };
  return {logical(device.left()), logical(device.top()), logical(device.right()), logical(device.bottom())};
}

}  // namespace

QSize FittedSize(QSize size, const QMargins& frame, const QRect& available, QSize least) {
  if (available.isEmpty()) return size;
  return size.boundedTo(available.marginsRemoved(frame).size()).expandedTo(least);
}

QPoint FittedCorner(const QRect& frame, const QRect& available) {
  if (available.isEmpty()) return frame.topLeft();
  const int left = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
  const int top = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
  return {left, top};
}

void PlaceOnScreen(QWidget& window, QPoint place) {
  const QRect available = AvailableAt(place, window);
  const QMargins frame = LogicalFrame(window);
  const QRect framed = QRect(place, window.size()).marginsAdded(frame);
  // Until the window is framed Qt places the window itself, and the frame goes round it.
  window.move(FittedCorner(framed, available) + QPoint(frame.left(), frame.top()));
}

void FitOnScreen(QWidget& window, QPoint place) {
  const QRect available = AvailableAt(place, window);
  const QMargins frame = LogicalFrame(window);
  const QSize size =
      FittedSize(window.size(), frame, available, window.minimumSizeHint().expandedTo(window.minimumSize()));
  const QRect framed = QRect(place, size).marginsAdded(frame);
  // The window's own rectangle, inside the frame: right before the first showing, and
  // after it, when Qt would take a move to be the frame's.
  window.setGeometry(QRect(FittedCorner(framed, available) + QPoint(frame.left(), frame.top()), size));
}

QPoint CentredOver(const QWidget& owner, QSize size) {
  const QRect frame = owner.frameGeometry();
  return {frame.left() + (frame.width() - size.width()) / 2, frame.top() + (frame.height() - size.height()) / 2};
}
