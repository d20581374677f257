#pragma once
// The drawn level grid, a child window of class "TDrawGrid": 11 x 13 cells of 20 x 20
// pixels with 1-pixel lines, inside a sunken 2-pixel border (picture/GridPicture.h lays it
// out at any dpi). It holds no level data: it asks its owner before the current cell moves
// (OnSelectCell) and calls its owner to draw each cell's content (OnDrawCell) after painting
// the cell's background.

#include <functional>
#include <string>

#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include "model/LevelSet.h"
#include "picture/GridPicture.h"
#include "win32/Win32Support.h"

class TGridAccessible;

struct TGridDrawState {
  bool Selected = false;  // the current cell
  bool Focused = false;   // the current cell while the grid is its window's active control
};

// The grid's colours by their roles in the system's colour scheme.
quarvel::GridColours SystemGridColours();

class TDrawGrid : public win32::TWindow {
 public:
  using SelectCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect)>;
  // Canvas is the grid's picture being composed; Rect the cell's square in it.
  using DrawCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, const quarvel::PixelRect& Rect,
                                             TGridDrawState State, quarvel::Picture& Canvas)>;

  static constexpr int kColCount = quarvel::kColumns;  // 11
  static constexpr int kRowCount = quarvel::kRows;     // 13
  static constexpr UINT kDragStepMs = 60;
  static constexpr int kWheelNotch = WHEEL_DELTA;  // 120

  // At (left, top) of the parent's client area, 241 x 281 at 96 dpi.
  TDrawGrid(HWND parent, int left, int top);

  // The name screen readers give a cell: its tile's.
  using CellNameHandler = std::function<std::wstring(int ACol, int ARow)>;

  ~TDrawGrid() override;

  void SetOnSelectCell(SelectCellHandler handler) { onSelectCell_ = std::move(handler); }
  void SetOnCellName(CellNameHandler handler) { onCellName_ = std::move(handler); }
  std::wstring CellName(int ACol, int ARow) const { return onCellName_ ? onCellName_(ACol, ARow) : std::wstring(); }
  // The object that screen readers are handed for the grid (WM_GETOBJECT), with a reference
  // for the caller.
  IAccessible* Accessible();
  void SetOnDrawCell(DrawCellHandler handler) { onDrawCell_ = std::move(handler); }

  int Col() const { return col_; }
  int Row() const { return row_; }

  // Redraws all cells now, before returning.
  void RepaintAll();

  // True while the grid is its window's active control (holds, or last held, the focus).
  bool IsActiveControl() const { return active_; }
  bool IsDragging() const { return dragging_; }

  // The grid's picture as it shows now, in its device pixels.
  quarvel::Picture Compose() const;
  // The layout at the window's dpi.
  quarvel::GridLayout CurrentLayout() const;
  // The cell under a point of the client area, or false when the point is on no cell.
  bool CellAt(POINT point, int& ACol, int& ARow) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool MoveTo(int ACol, int ARow);
  void InvalidateCell(int ACol, int ARow);
  void DragStep();
  void EndDrag();
  void SetStepping(bool on);
  void KeyDown(WPARAM key);
  void Paint(HDC dc) override;

  SelectCellHandler onSelectCell_;
  DrawCellHandler onDrawCell_;
  CellNameHandler onCellName_;
  TGridAccessible* accessible_ = nullptr;  // made at the first question of a screen reader
  int col_ = 0;
  int row_ = 0;
  bool active_ = false;
  bool dragging_ = false;
  bool stepping_ = false;  // the 60 ms drag steps are running
  int wheelRemainder_ = 0;
};
