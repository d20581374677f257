#include "win32/Win32Support.h"

#include <map>

#include "win32/Shell.h"

namespace win32 {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(std::size_t(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(std::size_t(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

HFONT FormFont(UINT dpi) {
  static std::map<UINT, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (!font) {
    // 8 points: 11 pixels high at 96 dpi.
    font = ::CreateFontW(-MulDiv(8, int(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         L"MS Sans Serif");
  }
  return font;
}

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
  Paint(dc);
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

void Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

}  // namespace win32
