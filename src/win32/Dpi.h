#pragma once
// The dpi calls of Windows 10 1607 and later, looked up when first asked for, so that the
// program still starts on Windows 7 SP1 and 8.1, where a window's dpi is the system's.

#include <windows.h>

namespace win32 {

// The dpi of the screen the window is on; 0 for a window that is no longer there.
UINT WindowDpi(HWND hwnd);
// The dpi the whole desktop was scaled by when the program started.
UINT SystemDpi();
// AdjustWindowRectEx, with the frame and menu bar measured at `dpi`.
BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);

}  // namespace win32
