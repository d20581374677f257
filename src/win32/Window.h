#pragma once
// A window with a C++ object behind it: the object's HandleMessage gets every message
// after WM_NCCREATE. An error escaping it is shown by ReportError, and the message is then
// answered as DefWindowProc answers it.

#include <windows.h>

namespace win32 {

class TWindow {
 public:
  // Destroys the window, which no longer reaches this object.
  virtual ~TWindow();
  HWND Handle() const { return hwnd_; }

 protected:
  // Registers `className` once, with this procedure.
  static void RegisterClassOnce(const wchar_t* className, UINT style, HBRUSH background, HICON icon = nullptr);
  // Creates the window; `this` is its object from the first message on.
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y, int width,
              int height, HWND parent, HMENU menu);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_PAINT: Paint between BeginPaint and EndPaint, with the part of the client area that
  // needs painting.
  LRESULT PaintNow();
  virtual void Paint(HDC /*dc*/, const RECT& /*dirty*/) {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace win32
