#pragma once
// What the grid's accessible table (GridAccessible.h) reads of the grid: its window, its
// current cell, its cells' names and squares. The table knows the grid through this alone.

#include <windows.h>

#include <optional>
#include <string>

#include "editor/GridCursor.h"

class TGridView {
 public:
  virtual HWND GridWindow() const = 0;
  virtual quarvel::TGridCell CurrentCell() const = 0;
  // The name screen readers give a cell: its tile's.
  virtual std::string CellName(quarvel::TGridCell cell) const = 0;
  // A cell's square, in the grid's client pixels.
  virtual RECT CellRect(quarvel::TGridCell cell) const = 0;
  // The cell under a point of the client area, nothing when the point is on no cell.
  virtual std::optional<quarvel::TGridCell> CellAt(POINT point) const = 0;

 protected:
  ~TGridView() = default;
};
