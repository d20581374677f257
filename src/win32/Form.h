#pragma once
// A window of the editor's own (the main window, Levels Copy, About): its client area and
// its controls placed from the layout table (editor/Layout.h) at the window's dpi, in the
// table's tab order, with labels on the button face, and laid out again by the same rules
// when the dpi changes (WM_DPICHANGED: moved to a monitor of another scale); the control
// that had the keyboard when another window (a box, a dialog, another program) took it has
// it again when the window is active again.

#include <span>
#include <vector>

#include "editor/Layout.h"
#include "win32/Window.h"

namespace win32 {

class TForm : public TWindow {
 protected:
  explicit TForm(const WindowLayout::TFormPlace& form) : form_(form) {}

  // How a placed control is sized: by the table, or by itself (the grid, by its cells).
  enum class TSizing { Table, Own };

  // Puts `control` at `place`, in the form font, at the window's dpi: a label (no width in
  // the table) as wide as its text and a line of the font high. Kept for the tab order.
  HWND Place(const WindowLayout::TControlPlace& place, HWND control, TSizing sizing = TSizing::Table);
  // Orders the placed controls as the tab order of `table`: the dialog manager's Tab
  // follows the order of the children.
  void SetTabOrder(std::span<const WindowLayout::TControlPlace> table);

  // Sizes the frame around the form's client area at the window's dpi, as the system draws
  // it; then measured, in case a menu bar came out another height.
  void FitClientArea();
  // After a change of dpi, when the controls of the table are placed again: what else
  // depends on the dpi.
  virtual void DpiChanged() {}

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  const WindowLayout::TFormPlace& form_;
  UINT dpi_ = 96;
  HWND activeControl_ = nullptr;  // the control that held the focus when the window was left

 private:
  struct TPlaced {
    WindowLayout::TControlPlace Place;
    HWND Control;
    TSizing Sizing;
  };
  void Move(const TPlaced& placed) const;
  // WM_DPICHANGED: the suggested frame, then every control at `dpi`.
  void ChangeDpi(UINT dpi, const RECT& suggested);

  std::vector<TPlaced> placed_;
};

}  // namespace win32
