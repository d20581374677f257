#pragma once
// Where a window opens: at its own place wherever it fits on the screen, else moved up and
// left just enough to lie on the screen's available area, title bar and frame included,
// so that no control opens out of reach.

#include <QPoint>
#include <QRect>

class QWidget;

// Where `frame` goes to lie wholly inside `available`: where it is if it does, else moved
// up and left just enough; a frame larger than `available` keeps its top-left corner on it.
QPoint FittedCorner(const QRect& frame, const QRect& available);

// Moves the top-level `window`, about to be shown for the first time, to `place` (the
// corner of the window itself, inside any frame), or as near it as FittedCorner allows on
// the screen that holds `place`, with the frame the window manager says it will add.
void PlaceOnScreen(QWidget& window, QPoint place);
