#include "win32/ModalForm.h"

#include "win32/Dpi.h"
#include "win32/Shell.h"

void TModalForm::CreateForm(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, int width,
                            int height, HWND owner) {
  RegisterClassOnce(className, 0, ::GetSysColorBrush(COLOR_BTNFACE));
  dpi_ = win32::SystemDpi();
  RECT frame{0, 0, win32::Scaled(width, dpi_), win32::Scaled(height, dpi_)};
  win32::AdjustWindowRectForDpi(&frame, style, FALSE, exStyle, dpi_);
  Create(exStyle, className, caption, style, 0, 0, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr);
}

bool TModalForm::ShowModal(HWND owner) {
  if (!placed_) {
    placed_ = true;
    const POINT at = FirstPlace(owner);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    focus_ = FirstFocus();
  }
  // While the window is open its owner takes no input, but still repaints.
  ::EnableWindow(owner, FALSE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetActiveWindow(hwnd_);
  if (focus_) ::SetFocus(focus_);
  done_ = false;
  ok_ = false;
  win32::RunEventLoop(done_);
  const HWND focus = ::GetFocus();
  if (focus && ::IsChild(hwnd_, focus)) focus_ = focus;
  // The owner is enabled before this window hides, so that it becomes active again.
  ::EnableWindow(owner, TRUE);
  ::ShowWindow(hwnd_, SW_HIDE);
  ::SetActiveWindow(owner);
  return ok_;
}

void TModalForm::EndModal(bool ok) {
  ok_ = ok;
  done_ = true;
}

LRESULT TModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // IDOK and IDCANCEL (Enter where no button is focused, Escape) are not buttons here.
      if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) Clicked(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      EndModal(false);
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = HDC(wParam);
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
      return LRESULT(::GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}
