// The program's entry: the title, the three windows, the event loop, exit status 0.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "win32/Application.h"
#include "win32/EventLoop.h"
#include "win32/ProgramTitle.h"
#include "win32/Unit1.h"
#include "win32/Unit2.h"
#include "win32/Unit3.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // 1. The program title, from the program file's name, before any window exists.
  std::vector<wchar_t> path(32768, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
  win32::SetProgramTitle(win32::ProgramTitleFromPath(std::wstring_view(path.data(), length)));

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The window the desktop lists the program by, titled with the program title.
  const HICON icon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  Application = new TApplication(win32::ProgramTitle(), icon);

  // 2 - 4. The main window, then the Levels Copy dialog and the About box, hidden.
  Form1 = new TForm1();
  Application->SetMainForm(Form1->Handle());
  Form2 = new TForm2(Form1->Handle());
  Form3 = new TForm3(Form1->Handle());

  // 5. Shown as the desktop asked: maximised, minimised or normal.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  int show = SW_SHOWNORMAL;
  if (startup.dwFlags & STARTF_USESHOWWINDOW) {
    switch (startup.wShowWindow) {
      case SW_SHOWMAXIMIZED:
        show = SW_SHOWMAXIMIZED;
        break;
      case SW_SHOWMINIMIZED:
      case SW_SHOWMINNOACTIVE:
      case SW_MINIMIZE:
        show = SW_SHOWMINNOACTIVE;
        break;
      default:
        break;
    }
  }
  Form1->Show(show);

  // 6 - 7. The event loop, until the main window closes.
  const bool never = false;
  win32::RunEventLoop(never);
  delete Form3;
  delete Form2;
  delete Form1;
  delete Application;
  return 0;
}
