// The yardsticks for the Win32 editor's start: a bare window of the editor's size with a
// menu bar and nothing in it, shown and painted once, then the event loop. Built twice:
// bare_window.exe, with no manifest, and bare_window_themed.exe (QUARVEL_THEMED), with the
// editor's manifest and common controls 6 loaded, as every themed Win32 program has them.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace {
#ifdef QUARVEL_THEMED
constexpr const wchar_t* kTitle = L"Bare Themed Window";
#else
constexpr const wchar_t* kTitle = L"Bare Window";
#endif

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef QUARVEL_THEMED
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
#endif
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
  HWND hwnd = ::CreateWindowW(L"BareWindow", kTitle, style, 204, 129, frame.right - frame.left,
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
