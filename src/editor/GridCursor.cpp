#include "editor/GridCursor.h"

#include <algorithm>

namespace quarvel {

namespace {
TGridCell Clamped(int col, int row) { return {std::clamp(col, 0, kLastCol), std::clamp(row, 0, kLastRow)}; }
}  // namespace

TGridCell CellAfterKey(TGridCell from, TGridKey key, bool ctrl) {
  switch (key) {
    case TGridKey::Up:
      return ctrl ? from : Clamped(from.Col, from.Row - 1);
    case TGridKey::Down:
      return ctrl ? from : Clamped(from.Col, from.Row + 1);
    case TGridKey::Left:
      return ctrl ? TGridCell{0, from.Row} : Clamped(from.Col - 1, from.Row);
    case TGridKey::Right:
      return ctrl ? TGridCell{kLastCol, from.Row} : Clamped(from.Col + 1, from.Row);
    case TGridKey::Home:
      return {0, ctrl ? 0 : from.Row};
    case TGridKey::End:
      return {kLastCol, ctrl ? kLastRow : from.Row};
    case TGridKey::PageUp:
      return Clamped(from.Col, from.Row - kLastRow);
    case TGridKey::PageDown:
      return Clamped(from.Col, from.Row + kLastRow);
  }
  return from;
}

TGridCell CellAfterDragStep(TGridCell from, int dx, int dy) {
  return Clamped(from.Col + std::clamp(dx, -1, 1), from.Row + std::clamp(dy, -1, 1));
}

int TWheelSteps::Add(int delta) {
  // A part turn back takes away from what was collected.
  remainder_ += delta;
  const int notches = remainder_ / kNotch;
  remainder_ -= notches * kNotch;
  return -notches;
}

}  // namespace quarvel
