#include "win32/Window.h"

#include <exception>

#include "win32/ReportError.h"

namespace win32 {

TWindow::~TWindow() {
  if (!hwnd_) return;
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ::DestroyWindow(hwnd_);
}

void TWindow::RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  ::RegisterClassExW(&wc);
}

HWND TWindow::Create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu) {
  return ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menu,
                           ::GetModuleHandleW(nullptr), this);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT TWindow::PaintNow() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  Paint(dc, ps.rcPaint);
  ::EndPaint(hwnd_, &ps);
  return 0;
}

LRESULT CALLBACK TWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<TWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return window->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ReportError(error);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace win32
