#include "editor/GridCells.h"

#include "model/Tiles.h"

namespace quarvel {

std::optional<TGridCell> Neighbour(TGridCell cell, TGridDirection direction) {
  TGridCell next = cell;
  switch (direction) {
    case TGridDirection::Left:
      --next.Col;
      break;
    case TGridDirection::Right:
      ++next.Col;
      break;
    case TGridDirection::Up:
      --next.Row;
      break;
    case TGridDirection::Down:
      ++next.Row;
      break;
  }
  if (next.Col < 0 || next.Col > kLastCol || next.Row < 0 || next.Row > kLastRow) return std::nullopt;
  return next;
}

std::string CellName(std::int32_t code) {
  if (const TileKind* tile = FindTile(code)) return std::string(tile->Label);
  return "Tile " + std::to_string(code);
}

std::string ColumnName(int col) { return "Column " + std::to_string(col + 1); }

std::string RowName(int row) { return "Row " + std::to_string(row + 1); }

std::string CellPlace(TGridCell cell) { return ColumnName(cell.Col) + ", row " + std::to_string(cell.Row + 1); }

}  // namespace quarvel
