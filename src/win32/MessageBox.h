#pragma once
// The program's message boxes: one OK button, in the plain style or with the error icon.

#include <windows.h>

#include <string_view>

namespace win32 {

enum class TMessageBoxStyle {
  Plain,  // one OK button, no icon
  Error,  // one OK button and the error icon
};

// A box owned by `owner`, the window it speaks for: it opens over it, has no taskbar button
// of its own, and the owner takes no input while it is open. Returns when it is dismissed,
// the owner active again, with the keyboard at the control that had it (win32/Form.h).
// With no owner, the box is modal for the whole program.
int ShowMessageBox(HWND owner, std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style);

}  // namespace win32
