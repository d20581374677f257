#pragma once
// The program's message boxes: one OK button, in the plain style or with the error icon.

#include <string_view>

namespace win32 {

enum class TMessageBoxStyle {
  Plain,  // one OK button, no icon
  Error,  // one OK button and the error icon
};

// A box modal for the whole program, with one OK button; returns when it is dismissed,
// the window that was active before it active again.
int ShowMessageBox(std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style);

}  // namespace win32
