#pragma once
// What every window of the Win32 front end needs: UTF-8 and UTF-16 texts, the form font,
// pixels at the window's dpi, a window class whose procedure reaches a C++ object, and the
// dispatch that shows an error which escaped a handler.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Pixels at 96 dpi as pixels at `dpi`, whole pixels.
inline int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), 96); }

// "MS Sans Serif", 8 points, regular, for the dpi given; one per dpi, kept for the run.
HFONT FormFont(UINT dpi);

// A window with a C++ object behind it: the object's HandleMessage gets every message
// after WM_NCCREATE. An error escaping it is shown by ReportError, and the message is
// then answered as DefWindowProc answers it.
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
  // WM_PAINT: Paint between BeginPaint and EndPaint.
  LRESULT PaintNow();
  virtual void Paint(HDC /*dc*/) {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Runs a handler; an error escaping it goes to ReportError (the program's dispatch).
void Dispatch(const std::function<void()>& handler);

}  // namespace win32
