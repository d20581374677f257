#include "win32/EventLoop.h"

#include <windows.h>

namespace win32 {

bool RunEventLoop(const bool& done) {
  MSG msg;
  while (!done) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (got < 0) return false;
    // Tab, Shift+Tab and Enter on a focused button as in a dialog, in any of the windows.
    const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && ::IsDialogMessageW(root, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace win32
