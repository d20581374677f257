#pragma once
// The windows' pixels and font at a dpi: the layout's numbers are pixels at 96 dpi.

#include <windows.h>

namespace win32 {

// Pixels at 96 dpi as pixels at `dpi`, whole pixels.
inline int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), 96); }

// "MS Sans Serif", 8 points, regular, for the dpi given; one per dpi, kept for the run.
HFONT FormFont(UINT dpi);

}  // namespace win32
