#include "win32/ModalForm.h"

#include "win32/Dpi.h"
#include "win32/EventLoop.h"
#include "win32/FormFont.h"
#include "win32/ScreenPlace.h"

void TModalForm::CreateForm(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, HWND owner) {
  RegisterClassOnce(className, 0, ::GetSysColorBrush(COLOR_BTNFACE));
  dpi_ = win32::SystemDpi();
  RECT frame{0, 0, win32::Scaled(form_.ClientWidth, dpi_), win32::Scaled(form_.ClientHeight, dpi_)};
  win32::AdjustWindowRectForDpi(&frame, style, FALSE, exStyle, dpi_);
  Create(exStyle, className, caption, style, 0, 0, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr);
}

POINT TModalForm::FirstPlace(HWND owner) const {
  if (form_.Left >= 0) return POINT{win32::Scaled(form_.Left, dpi_), win32::Scaled(form_.Top, dpi_)};
  RECT over, own;
  ::GetWindowRect(owner, &over);
  ::GetWindowRect(hwnd_, &own);
  const RECT centred = win32::CentredOver(own, over);
  return POINT{centred.left, centred.top};
}

bool TModalForm::ShowModal(HWND owner) {
  if (!placed_) {
    placed_ = true;
    const POINT at = FirstPlace(owner);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    focus_ = FirstFocus();
  }
  // At every showing: the screen or its scale may have changed since the last.
  win32::MoveOntoWorkArea(hwnd_);
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
    default:
      return TForm::HandleMessage(message, wParam, lParam);
  }
}
