#pragma once
// Rules of the editor that both desktop front ends hold inside their own controls today and
// that the page needs too: the grid cursor's keys, wheel and drag steps, the palette's
// table, the cells' accessible names, the integer field's repeat, the dialogs' sizes and
// the program title. They belong with the editor's other rules below every front end; they
// are gathered here, in one file, until they move there.

#include <algorithm>
#include <cstdint>
#include <string>

#include "model/LevelSet.h"
#include "model/Tiles.h"

namespace quarvel::pending {

// A cell of the grid: column 0..10, row 0..12.
struct GridCell {
  int Col = 0, Row = 0;
  bool operator==(const GridCell&) const = default;
};

constexpr int kLastCol = kColumns - 1;
constexpr int kLastRow = kRows - 1;

enum class GridKey { Up, Down, Left, Right, Home, End, PageUp, PageDown };

// Where a key moves the current cell (Shift changes nothing): one step, an edge, a corner.
// Paging moves by the rows shown less one, so it stops at the edge.
constexpr GridCell GridKeyTarget(GridCell from, GridKey key, bool ctrl) {
  GridCell to = from;
  switch (key) {
    case GridKey::Up:
      if (!ctrl) to.Row = std::max(from.Row - 1, 0);
      break;
    case GridKey::Down:
      if (!ctrl) to.Row = std::min(from.Row + 1, kLastRow);
      break;
    case GridKey::Left:
      to.Col = ctrl ? 0 : std::max(from.Col - 1, 0);
      break;
    case GridKey::Right:
      to.Col = ctrl ? kLastCol : std::min(from.Col + 1, kLastCol);
      break;
    case GridKey::Home:
      to.Col = 0;
      if (ctrl) to.Row = 0;
      break;
    case GridKey::End:
      to.Col = kLastCol;
      if (ctrl) to.Row = kLastRow;
      break;
    case GridKey::PageUp:
      to.Row = std::max(from.Row - kLastRow, 0);
      break;
    case GridKey::PageDown:
      to.Row = std::min(from.Row + kLastRow, kLastRow);
      break;
  }
  return to;
}

// The wheel: turns are added up, and each full notch of 120 units is one row (up for a
// turn up). Returns the rows to move, negative upward, and keeps the rest in `remainder`.
constexpr int kWheelNotch = 120;
constexpr int WheelRows(int& remainder, int units) {
  remainder += units;
  const int notches = remainder / kWheelNotch;  // toward zero: a part notch waits
  remainder -= notches * kWheelNotch;
  return -notches;
}

// A drag held outside the cells steps one column and one row toward the pointer every
// 60 milliseconds (dc, dr: -1, 0 or 1), stopping at the edges.
constexpr int kDragStepMilliseconds = 60;
constexpr GridCell DragStepTarget(GridCell from, int dc, int dr) {
  return {std::clamp(from.Col + dc, 0, kLastCol), std::clamp(from.Row + dr, 0, kLastRow)};
}

// The brush each palette button sets: BitBtn1 .. BitBtn6 tiles 0 .. 5, BitBtn7 ..
// BitBtn10 tiles 9 .. 6.
constexpr TCurrentBrush kPaletteBrush[10] = {0, 1, 2, 3, 4, 5, 9, 8, 7, 6};

// What a screen reader says of a cell: its tile, and its place counted from 1.
inline std::string CellName(TileCode code) {
  if (const TileKind* tile = FindTile(code)) return std::string(tile->Label);
  return "Tile " + std::to_string(code);
}
inline std::string CellPlace(int col, int row) {
  return "Column " + std::to_string(col + 1) + ", row " + std::to_string(row + 1);
}
inline constexpr char kGridName[] = "Level grid";

// A held up or down button of an integer field steps after 400 ms, then every 100 ms.
constexpr int kRepeatDelayMilliseconds = 400;
constexpr int kRepeatIntervalMilliseconds = 100;

// Client areas, and the About box's two controls (the main window's and the Levels Copy
// dialog's controls are in Layout.h).
struct ClientSize {
  int Width, Height;
};
constexpr ClientSize kMainClient{256, 477};
constexpr ClientSize kLevelsCopyClient{198, 202};
constexpr ClientSize kAboutClient{232, 243};
struct AboutPlace {
  const char* Name;
  int Left, Top, Width, Height, Tab;
};
constexpr AboutPlace kAboutBox[] = {{"Button1", 80, 200, 75, 25, 0}, {"Memo1", 8, 8, 217, 177, 1}};  // in tab order

// The program title of QuarvelEdit, which captions the error boxes.
inline constexpr char kProgramTitle[] = "Quarveledit";

}  // namespace quarvel::pending
