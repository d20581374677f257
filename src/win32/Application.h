#pragma once
// The program's own window, the one the desktop lists the running program by: its text is
// the program title, its icon the program icon, and it owns the main window. Taskbars give
// a button to every visible window that no other window owns, labelled with its text; so
// the program's button reads the program title, and the main window, owned, has none of
// its own. The window has no size and an empty region: nothing of it shows on the screen.
//
// Minimising the main window minimises this one, which hides the main window; restoring
// this one (its taskbar button) shows the main window again; activating it activates the
// program's window that was last active; closing it closes the main window.

#include <string>

#include "win32/Window.h"

class TApplication : public win32::TWindow {
 public:
  // Made before any other window, hidden: `title` and `icon` are the program's.
  TApplication(const std::wstring& title, HICON icon);

  // The main window, owned by this one (made with Handle() as its owner).
  void SetMainForm(HWND mainForm) { mainForm_ = mainForm; }
  // Shows the program, the main window in state `showCommand` (ShowWindow's); minimised,
  // only the taskbar button shows, and the main window comes with the restore.
  void Show(int showCommand);
  // Minimises the program to its taskbar button.
  void Minimize();
  bool Minimized() const { return ::IsIconic(hwnd_) != FALSE; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ActivateLastActive();

  HWND mainForm_ = nullptr;
  bool mainHidden_ = false;  // hidden by the minimising, shown again by the restore
};

extern TApplication* Application;
