#include "win32/Application.h"

TApplication* Application = nullptr;

TApplication::TApplication(const std::wstring& title, HICON icon) {
  RegisterClassOnce(L"TApplication", 0, nullptr, icon);
  // A popup with a system menu (the taskbar button's menu and icon) and no caption, no
  // frame: nothing to draw. An application window: always on the taskbar while visible.
  Create(WS_EX_APPWINDOW, L"TApplication", title.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
         nullptr);
  ::SetWindowRgn(hwnd_, ::CreateRectRgn(0, 0, 0, 0), FALSE);
}

void TApplication::Show(int showCommand) {
  // Where the main window stands, so that the desktop places nothing of the program elsewhere.
  RECT main;
  ::GetWindowRect(mainForm_, &main);
  ::SetWindowPos(hwnd_, nullptr, main.left, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE) {
    mainHidden_ = true;
    ::ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
    return;
  }
  ::ShowWindow(hwnd_, SW_SHOWNA);
  ::ShowWindow(mainForm_, showCommand);
}

void TApplication::Minimize() { ::ShowWindow(hwnd_, SW_MINIMIZE); }

void TApplication::ActivateLastActive() {
  if (!mainForm_ || Minimized()) return;
  HWND target = ::GetLastActivePopup(mainForm_);
  if (!target || !::IsWindowVisible(target) || !::IsWindowEnabled(target)) target = mainForm_;
  if (::IsWindowVisible(target) && ::IsWindowEnabled(target)) ::SetForegroundWindow(target);
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED && mainForm_ && ::IsWindowVisible(mainForm_)) {
        mainHidden_ = true;
        ::ShowWindow(mainForm_, SW_HIDE);
      } else if (wParam != SIZE_MINIMIZED && mainHidden_ && mainForm_) {
        mainHidden_ = false;
        ::ShowWindow(mainForm_, SW_SHOW);
      }
      return 0;
    case WM_SETFOCUS:
      // Activated (its taskbar button, Alt+Tab): the window last active takes over.
      ActivateLastActive();
      return 0;
    case WM_CLOSE:
      // The taskbar button's Close: the main window closes, which ends the program; not
      // while a dialog or box holds it disabled, as its own close box would not.
      if (mainForm_ && ::IsWindowEnabled(mainForm_)) ::PostMessageW(mainForm_, WM_CLOSE, 0, 0);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}
