#pragma once
// Where a window may stand: on the work area of a monitor (the screen less the taskbar and
// other desktop bars), moved just enough.

#include <windows.h>

namespace win32 {

// `frame` moved just enough to lie on `work`; one wider or taller than `work` keeps its
// left or top edge, and so its title bar, on it.
RECT OnWorkArea(const RECT& frame, const RECT& work);
// `frame` centred over `over`.
RECT CentredOver(const RECT& frame, const RECT& over);

// Moves `window` onto the work area of the monitor it is most on (the nearest one when on
// none), as OnWorkArea does; nothing when it lies there already.
void MoveOntoWorkArea(HWND window);

}  // namespace win32
