#pragma once
// Where a window opens: at its own place wherever it fits on the screen, else moved up and
// left just enough to lie on the screen's available area, title bar and frame included,
// so that no control opens out of reach. A window that may be resized is also made just
// small enough to fit.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where `frame` goes to lie wholly inside `available`: where it is if it does, else moved
// up and left just enough; a frame larger than `available` keeps its top-left corner on it.
QPoint FittedCorner(const QRect& frame, const QRect& available);

// Moves the top-level `window`, about to be shown for the first time, to `place` (the
// corner of the window itself, inside any frame), or as near it as FittedCorner allows on
// the screen that holds `place`, with the frame the window manager says it will add.
void PlaceOnScreen(QWidget& window, QPoint place);

// The size a resizable window of `size` takes to lie, with `frame` round it, inside
// `available`: its own where it fits, else shrunk just enough, though never below `least`.
QSize FittedSize(QSize size, const QMargins& frame, const QRect& available, QSize least);

// Sizes and places the resizable top-level `window` before each showing: shrunk as
// FittedSize says on the screen that holds `place` (the corner of the window itself),
// never below the least size its layout allows, then placed there as PlaceOnScreen places
// a window, whether or not it has been shown before.
void FitOnScreen(QWidget& window, QPoint place);

// The corner at which a window of `size` stands centred over `owner`'s frame.
QPoint CentredOver(const QWidget& owner, QSize size);
