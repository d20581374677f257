#pragma once
// The drawn level grid, a child window of class "TDrawGrid": 11 x 13 cells of 20 x 20
// pixels with 1-pixel lines, inside a sunken 2-pixel border (picture/GridPicture.h lays it
// out at any dpi). It holds no level data: it asks its owner before the current cell moves
// (OnSelectCell) and calls its owner to draw each cell's content (OnDrawCell) after painting
// the cell's background. Its cursor moves by editor/GridCursor.h's rules.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "editor/GridCursor.h"
#include "picture/GridPicture.h"
#include "win32/GridView.h"
#include "win32/Window.h"

struct IAccessible;
class TGridAccessible;

struct TGridDrawState {
  bool Selected = false;  // the current cell
  bool Focused = false;   // the current cell while the grid is its window's active control
};

// The grid's colours by their roles in the system's colour scheme.
quarvel::GridColours SystemGridColours();

class TDrawGrid : public win32::TWindow, private TGridView {
 public:
  using SelectCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, bool& CanSelect)>;
  // Canvas is the grid's picture being composed; Rect the cell's square in it.
  using DrawCellHandler = std::function<void(TDrawGrid* Sender, int ACol, int ARow, const quarvel::PixelRect& Rect,
                                             TGridDrawState State, quarvel::Picture& Canvas)>;
  // The name screen readers give a cell: its tile's (editor/GridCells.h).
  using CellNameHandler = std::function<std::string(int ACol, int ARow)>;

  static constexpr UINT kDragStepMs = 60;

  // At the parent's client corner, as large as its cells at the window's dpi (241 x 281 at
  // 96 dpi), until it is placed.
  explicit TDrawGrid(HWND parent);
  ~TDrawGrid() override;

  void SetOnSelectCell(SelectCellHandler handler) { onSelectCell_ = std::move(handler); }
  void SetOnDrawCell(DrawCellHandler handler) { onDrawCell_ = std::move(handler); }
  void SetOnCellName(CellNameHandler handler) { onCellName_ = std::move(handler); }
  // The object that screen readers are handed for the grid (WM_GETOBJECT), with a reference
  // for the caller.
  IAccessible* Accessible();

  int Col() const { return cell_.Col; }
  int Row() const { return cell_.Row; }

  // Redraws all cells now, before returning.
  void RepaintAll();

  // True while the grid is its window's active control (holds, or last held, the focus).
  bool IsActiveControl() const { return active_; }
  bool IsDragging() const { return dragging_; }

  // The grid's picture as it shows now, in its device pixels.
  quarvel::Picture Compose() const;
  // The layout at the window's dpi.
  quarvel::GridLayout CurrentLayout() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The picture with the frame and the cells that meet `dirty` drawn; the rest of it is the
  // base colour.
  quarvel::Picture Compose(const RECT& dirty) const;
  // Sized by its cells at its dpi.
  void FitToCells();
  bool MoveTo(quarvel::TGridCell cell);
  void InvalidateCell(quarvel::TGridCell cell);
  // The cell under a point of the client area, nothing off the cells.
  std::optional<quarvel::TGridCell> CellAt(POINT point) const override;
  void DragStep();
  void EndDrag();
  void SetStepping(bool on);
  void KeyDown(WPARAM key);
  void Wheel(int delta);
  void Paint(HDC dc, const RECT& dirty) override;

  // TGridView, for the accessible table.
  HWND GridWindow() const override { return hwnd_; }
  quarvel::TGridCell CurrentCell() const override { return cell_; }
  std::string CellName(quarvel::TGridCell cell) const override;
  RECT CellRect(quarvel::TGridCell cell) const override;

  SelectCellHandler onSelectCell_;
  DrawCellHandler onDrawCell_;
  CellNameHandler onCellName_;
  TGridAccessible* accessible_ = nullptr;  // made at the first question of a screen reader
  quarvel::TGridCell cell_;
  UINT dpi_ = 96;  // its window's
  bool active_ = false;
  bool dragging_ = false;
  bool stepping_ = false;  // the 60 ms drag steps are running
  quarvel::TWheelSteps wheel_;
};
