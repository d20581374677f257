#pragma once
// A window destroyed by another X client: xdotool's windowclose and the like destroy it
// outright instead of asking it to close, and no close event reaches the program.

class QWidget;

// Ends the event loops, as closing `window` does, when another X client destroys its
// native window. Nothing where the program does not run on X11.
void QuitWhenDestroyed(QWidget& window);
