#pragma once
// The frame a window manager will put round a window, asked before the window is mapped.

#include <QMargins>
#include <optional>

class QWidget;

// The frame's widths in device pixels (left, top, right, bottom) that the X11 window
// manager gives `window`, asked with _NET_REQUEST_FRAME_EXTENTS before the window is first
// shown. Nothing where there is no X11, no window manager that answers such a request, or
// no answer within a moment.
std::optional<QMargins> AskFrameExtents(QWidget& window);
