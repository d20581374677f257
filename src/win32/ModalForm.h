#pragma once
// A dialog window shown modally by a command: the owner takes no input while it is open,
// it hides when closed, and it keeps its place (moved onto the work area, if need be, at
// every showing), its values and its focused control for the next showing. Escape closes nothing; the close command
// (Alt+F4) counts as Cancel.

#include "editor/Layout.h"
#include "win32/Form.h"

class TModalForm : public win32::TForm {
 public:
  // Shows the window over `owner` until it closes; true when it closed with OK.
  bool ShowModal(HWND owner);

 protected:
  explicit TModalForm(const WindowLayout::TFormPlace& form) : TForm(form) {}
  // Makes a hidden popup window with `exStyle` and `style` around the form's client area,
  // owned by `owner`; it first opens at the form's place, or centred over its owner.
  void CreateForm(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, HWND owner);
  // Closes the window with the result OK or Cancel.
  void EndModal(bool ok);
  // The control that takes the focus the first time.
  virtual HWND FirstFocus() = 0;
  // A push button's click.
  virtual void Clicked(int id) = 0;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Where the window stands when it is first shown (screen pixels of its frame).
  POINT FirstPlace(HWND owner) const;

  bool placed_ = false;
  bool done_ = false;
  bool ok_ = false;
  HWND focus_ = nullptr;  // the control that had the focus when the window last closed
};
