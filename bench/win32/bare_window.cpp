// The yardstick for the Win32 editor's start: a bare window of the editor's size with a
// menu bar and nothing in it, shown and painted once, then the event loop.
#include <windows.h>

namespace {
LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"BareWindow";
  ::RegisterClassW(&wc);
  HMENU menu = ::CreateMenu();
  ::AppendMenuW(menu, MF_STRING, 1, L"Levels");
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 256, 477};
  ::AdjustWindowRect(&frame, style, TRUE);
  HWND hwnd = ::CreateWindowW(L"BareWindow", L"Bare Window", style, 204, 129, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, menu, instance, nullptr);
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
