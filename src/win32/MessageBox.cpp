#include "win32/MessageBox.h"

#include <windows.h>

#include <string>

namespace win32 {

int ShowMessageBox(std::wstring_view Text, std::wstring_view Caption, TMessageBoxStyle Style) {
  const HWND active = ::GetActiveWindow();
  const std::wstring text(Text), caption(Caption);
  // No owner and task-modal: the box belongs to the program and every window of it waits.
  UINT type = MB_OK | MB_TASKMODAL;
  if (Style == TMessageBoxStyle::Error) type |= MB_ICONERROR;
  const int answer = ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
  return answer;
}

}  // namespace win32
