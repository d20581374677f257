#pragma once
// The grid as screen readers know it: a table of 11 columns by 13 rows whose cells are
// numbered row by row, each named after its tile and described by its place, in the same
// words in every front end.

#include <optional>
#include <string>

#include "editor/GridCursor.h"

namespace quarvel {

inline constexpr int kGridCellCount = kColumns * kRows;

// The cell's number among the table's children, row by row from 0, and back; nothing for a
// number off the table.
constexpr int ChildIndex(TGridCell cell) { return cell.Row * kColumns + cell.Col; }
constexpr std::optional<TGridCell> ChildCell(int index) {
  if (index < 0 || index >= kGridCellCount) return std::nullopt;
  return TGridCell{index % kColumns, index / kColumns};
}

// The neighbour of `cell` a screen reader moves to, nothing past the grid's edge.
enum class TGridDirection { Left, Right, Up, Down };
std::optional<TGridCell> Neighbour(TGridCell cell, TGridDirection direction);

// A cell's name: its tile's ("Red block"), or "Tile N" for a code that is no tile.
std::string CellName(std::int32_t code);
// The headers and a cell's place: "Column 3", "Row 5", "Column 3, row 5" (counting from 1).
std::string ColumnName(int col);
std::string RowName(int row);
std::string CellPlace(TGridCell cell);

}  // namespace quarvel
