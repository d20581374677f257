#pragma once
// The plain controls of the windows: labels, push buttons, the palette's picture buttons
// and the list of tile pictures they draw from.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace win32 {

// A label with `caption`, of no size until its window places it (TForm::Place).
HWND NewLabel(HWND parent, const wchar_t* caption);

// A push button, of no size until its window places it; `ownerDraw` for one whose face the
// parent draws (WM_DRAWITEM). Enter presses it while it has the focus, as Space does,
// however the focus came to it.
HWND NewButton(HWND parent, int id, const wchar_t* caption, bool ownerDraw = false);

// The ten tile pictures as an image list with masks (ImageList1), each `size` pixels square
// (20 at 96 dpi), stretched pixel for pixel.
HIMAGELIST NewTileImageList(int size);

// A palette button's face: a raised button with the tile's picture centred on it, drawn
// through its mask; pressed, the picture moves one pixel; focused, a dotted focus mark.
void DrawPaletteButton(const DRAWITEMSTRUCT& item, HIMAGELIST pictures, int tile, UINT dpi);

}  // namespace win32
