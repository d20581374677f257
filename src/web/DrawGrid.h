#pragma once
// The level grid on a <canvas>: its pixels are the core's grid picture at the page's device
// pixel ratio, in the page's system colours; the current cell moves by the mouse, drag,
// keys and wheel by the editor's rules, and every move asks the window first
// (OnSelectCell), which paints the cell.

#include <functional>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/GridCursor.h"
#include "picture/GridPicture.h"
#include "web/Timer.h"

namespace web {

class TDrawGrid {
 public:
  using Cell = quarvel::TGridCell;
  explicit TDrawGrid(const quarvel::EditorSession& editor);

  std::function<void(int ACol, int ARow)> OnSelectCell;

  Cell Current() const { return current_; }
  // Whether the grid is its window's active control: the current cell shows focused.
  void SetFocused(bool focused);
  // The page's ratio of device to CSS pixels, and its colours (0xAARRGGBB; the highlight
  // may be translucent).
  void SetLook(double ratio, quarvel::Rgb window, quarvel::Rgb highlight);
  // Redraws every cell from the level shown, and names every cell anew.
  void Repaint();

  // The page's events, in CSS pixels from the control's corner.
  void MouseDown(double x, double y, int button, int clicks);
  void MouseMove(double x, double y);
  void MouseUp(double x, double y);
  void Wheel(int units);  // 120 a notch, positive turned up
  void KeyDown(quarvel::TGridKey key, bool ctrl);

 private:
  bool CellAt(double x, double y, Cell& cell) const;
  void MoveTo(Cell cell);
  void DragStep();
  void Draw(const quarvel::PixelRect& area);
  void Name(Cell cell);

  const quarvel::EditorSession& editor_;
  Cell current_;
  bool focused_ = false;
  double ratio_ = 1;
  quarvel::GridColours colours_ = quarvel::StandardGridColours();
  bool dragging_ = false;
  double pointerX_ = 0, pointerY_ = 0;
  quarvel::TWheelSteps wheel_;
  Timer dragSteps_;
  std::vector<std::uint8_t> rgba_;
};

}  // namespace web
