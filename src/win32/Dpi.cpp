#include "win32/Dpi.h"

namespace win32 {

namespace {

// A function of user32, or nullptr where this Windows lacks it. The cast through a function
// of no arguments tells the compiler the signature is known to match.
template <typename Function>
Function User32(const char* name) {
  const FARPROC address = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  using Function = UINT(WINAPI*)(HWND);
  static const Function getDpiForWindow = User32<Function>("GetDpiForWindow");
  if (getDpiForWindow) return getDpiForWindow(hwnd);
  return ::IsWindow(hwnd) ? SystemDpi() : 0;
}

UINT SystemDpi() {
  using Function = UINT(WINAPI*)();
  static const Function getDpiForSystem = User32<Function>("GetDpiForSystem");
  if (getDpiForSystem) return getDpiForSystem();
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : 96;
}

BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
  using Function = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const Function adjustForDpi = User32<Function>("AdjustWindowRectExForDpi");
  if (adjustForDpi) return adjustForDpi(rect, style, menu, exStyle, dpi);
  // Before per-monitor scaling the system's metrics are those of the one dpi there is.
  return ::AdjustWindowRectEx(rect, style, menu, exStyle);
}

}  // namespace win32
